// Decodes of freight terms, shipment types, campaigns, agent types, packing
// and packages, locations, appearance of goods, special price lists, texts,
// bases, risks, projects and job orders, margin indices, delivery rounds,
// accounting groupings, transport-card configurations, fictitious-article
// classifications, variant options, public-administration offices and
// references, tax groups and supply chains.
#include <array>
#include <span>

#include "convert/converters.h"
#include "decode/describe.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

constexpr table kPorto{{"MG91_DESCR"}, "    MG91_PORTO WITH (NOLOCK)", {{{"    MG91_CODICE = '", way::quoted, 0}}}};
value porto(decode& dc, std::span<value> a) { return describe(dc, a, kPorto); }

constexpr table kTipoSpedizione{{"MG93_DESCR"}, "    MG93_TIPOSPED WITH (NOLOCK)",
                                {{{"    MG93_CODICE = '", way::quoted, 0}}}};
value tipo_spedizione(decode& dc, std::span<value> a) { return describe(dc, a, kTipoSpedizione); }

constexpr table kCampagna{{"MG94_DESCAMP"}, "    MG94_CAMPANAG WITH (NOLOCK)",
                          {{{"    MG94_DITTA_CG18 = ", way::company}, {"    MG94_CODCAMP = '", way::quoted, 0}}}};
value campagna(decode& dc, std::span<value> a) { return describe(dc, a, kCampagna); }

constexpr table kTipologiaAgente{{"MG1P_DESCR"}, "    MG1P_TIPOAGENTE WITH (NOLOCK)",
                                 {{{"    MG1P_DITTA_CG18 = ", way::company}, {"    MG1P_CODICE = '", way::quoted, 0}}}};
value tipologia_agente(decode& dc, std::span<value> a) { return describe(dc, a, kTipologiaAgente); }

constexpr table kImballo{{"MG95_DESCR"}, "    MG95_IMBALLO WITH (NOLOCK)",
                         {{{"    MG95_CODICE = '", way::quoted, 0}}},
                         {"1005", "MG95_IDPROV"}};
value imballo(decode& dc, std::span<value> a) { return describe(dc, a, kImballo); }

constexpr table kConfezione{{"MG96_DESCCONFEZ"}, "    MG96_CONFDESC WITH (NOLOCK)",
                            {{{"    MG96_DITTA_CG18 = ", way::company}, {"    MG96_CODCONFEZ = '", way::quoted, 0}}},
                            {"1006", "MG96_IDPROV"}};
value confezione(decode& dc, std::span<value> a) { return describe(dc, a, kConfezione); }

// A package of an article: the package rows of the article that hold for
// every option ('') or for the given one, described in the current language.
constexpr piece kArticlePackages[] = {
    {" INNER JOIN MG50_PARMAGAZ WITH (NOLOCK) ON"}, {"    MG50_DITTA_CG18 = MG66_DITTA_CG18"},
    {" LEFT JOIN MG6D_FLGTABARTVAR WITH (NOLOCK) ON"}, {"    MG6D_DITTA_CG18 = MG66_DITTA_CG18 AND"},
    {"    MG6D_CODART_MG66 = MG66_CODART AND"}, {"    MG6D_PROG = 1"},
    {" LEFT JOIN MG68_CONFART WITH (NOLOCK) ON"}, {"    MG68_DITTA_CG18 = MG66_DITTA_CG18 AND"},
    {"    MG68_CODART_MG66 = MG66_CODART AND"}, {"    MG68_OPZIONE_MG5E IN ('', '", way::quoted, 1}, {")"},
    {" INNER JOIN MG96_CONFDESC WITH (NOLOCK) ON"}, {"    MG96_DITTA_CG18 = MG68_DITTA_CG18 AND"},
    {"    MG96_CODCONFEZ = MG68_CODCONFEZ_MG96"}};

constexpr table kConfezioneArticolo{{"MG96_DESCCONFEZ"}, "    MG66_ANAGRART WITH (NOLOCK)",
                                    {{{"    MG66_DITTA_CG18 = ", way::company},
                                      {"    MG66_CODART = '", way::quoted, 0},
                                      {"    MG68_CODCONFEZ_MG96 = '", way::quoted, 2}}},
                                    {"1006", "MG96_IDPROV"}, kArticlePackages};
value confezione_articolo(decode& dc, std::span<value> a) { return describe(dc, a, kConfezioneArticolo); }

constexpr table kUbicazione{{"MG97_DESCUBICAZ"}, "    MG97_UBICAZ WITH (NOLOCK)",
                            {{{"    MG97_DITTA_CG18 = ", way::company}, {"    MG97_UBICAZ = '", way::quoted, 0}}}};
value ubicazione(decode& dc, std::span<value> a) { return describe(dc, a, kUbicazione); }

// Both codes as the caller typed them, right-trimmed.
constexpr table kUbicazioneDeposito{{"MG97_DESCUBICAZ"}, "    MG97_UBICAZ WITH (NOLOCK)",
                                    {{{"    MG97_DITTA_CG18 = ", way::company},
                                      {"    MG97_CODDEP_MG58 = '", way::trimmed, 0},
                                      {"    MG97_UBICAZ = '", way::trimmed, 1}}}};
value ubicazione_deposito(decode& dc, std::span<value> a) {
  // A code that cannot be converted (a Null one) stops the composition: the
  // field list is already replaced, the statement stays as it was, and the
  // caller gets no error.
  skip_on_error([&] { describe(dc, a, kUbicazioneDeposito); });
  return {};
}

constexpr table kAspettoDeiBeni{{"MG99_DESCR"}, "    MG99_ASPBENI WITH (NOLOCK)",
                                {{{"    MG99_CODICE = '", way::quoted, 0}}},
                                {"1007", "MG99_IDPROV"}};
value aspetto_dei_beni(decode& dc, std::span<value> a) { return describe(dc, a, kAspettoDeiBeni); }

constexpr table kListino99Prezzi{{"LI24_DESCR"}, "    LI24_ANAGLIST99 WITH (NOLOCK)",
                                 {{{"    LI24_DITTA_CG18 = ", way::company}, {"    LI24_CODICE = '", way::quoted, 0}}}};
value listino99_prezzi(decode& dc, std::span<value> a) { return describe(dc, a, kListino99Prezzi); }

constexpr table kListinoPiuArticoli{{"LI26_DESCR"}, "    LI26_ANAGLISPIUART WITH (NOLOCK)",
                                    {{{"    LI26_DITTA_CG18 = ", way::company},
                                      {"    LI26_CODICE = '", way::quoted, 0}}}};
value listino_piu_articoli(decode& dc, std::span<value> a) { return describe(dc, a, kListinoPiuArticoli); }

// Only the text without a language: the base text of the code.
constexpr table kTestiVari{{"MG0B_DESCR"}, "    MG0B_TESTI WITH (NOLOCK)",
                           {{{"    MG0B_DITTA_CG18 = ", way::company},
                             {"    MG0B_INDTIPO = ", way::number, 0},
                             {"    MG0B_CODTESTO = '", way::quoted, 1},
                             {"    MG0B_LINGUA_MG52 = ''"}}}};
value testi_vari(decode& dc, std::span<value> a) { return describe(dc, a, kTestiVari); }

constexpr table kBase{{"MG0C_DESCRBASE"}, "    MG0C_BASI WITH (NOLOCK)",
                      {{{"    MG0C_DITTA_CG18 = ", way::company}, {"    MG0C_CODBASE = '", way::quoted, 0}}}};
value base(decode& dc, std::span<value> a) { return describe(dc, a, kBase); }

constexpr table kRischio{{"MG2A_DESCRIZIONE"}, "    MG2A_RISCHIO WITH (NOLOCK)",
                         {{{"    MG2A_DITTA_CG18 = ", way::company}, {"    MG2A_CODICE = '", way::quoted, 0}}},
                         {"1032", "MG2A_IDPROV"}};
value rischio(decode& dc, std::span<value> a) { return describe(dc, a, kRischio); }

// Projects and job orders.
constexpr table kProgetto{{"PD68_DESCRPROG"}, "    PD68_PROGETTI WITH (NOLOCK)",
                          {{{"    PD68_DITTA_CG18 = ", way::company}, {"    PD68_CODPROG = '", way::quoted, 0}}}};
value progetto(decode& dc, std::span<value> a) { return describe(dc, a, kProgetto); }

constexpr table kSottoprogetto{{"PD69_DESCRSOTPROG"}, "    PD69_SOTTOPROGETTI WITH (NOLOCK)",
                               {{{"    PD69_DITTA_CG18 = ", way::company},
                                 {"    PD69_CODPROG_PD68 = '", way::quoted, 0},
                                 {"    PD69_SOTPROG = ", way::number, 1}}}};
value sottoprogetto(decode& dc, std::span<value> a) { return describe(dc, a, kSottoprogetto); }

// A job order is its row with sub-order number 0.
constexpr table kCommessa{{"PD25_DESCR"}, "    PD25_COMMESSA WITH (NOLOCK)",
                          {{{"    PD25_DITTA_CG18 = ", way::company},
                            {"    PD25_CODCOMMESSA = '", way::quoted, 0},
                            {"    PD25_CODSOTCOMM = 0"}}}};
value commessa(decode& dc, std::span<value> a) { return describe(dc, a, kCommessa); }

constexpr table kSottoCommessa{{"PD25_DESCR"}, "    PD25_COMMESSA WITH (NOLOCK)",
                               {{{"    PD25_DITTA_CG18 = ", way::company},
                                 {"    PD25_CODCOMMESSA = '", way::quoted, 0},
                                 {"    PD25_CODSOTCOMM = ", way::number, 1}}}};
value sotto_commessa(decode& dc, std::span<value> a) { return describe(dc, a, kSottoCommessa); }

// The description and the period indicator.
constexpr table kIndiceMargine{{"MG4U_DESCR", "MG4U_INDPERIOD"}, "    MG4U_TABINMARG WITH (NOLOCK)",
                               {{{"    MG4U_DITTA_CG18 = ", way::company},
                                 {"    MG4U_CODINMARG = '", way::quoted, 0}}}};
value indice_margine(decode& dc, std::span<value> a) { return describe(dc, a, kIndiceMargine); }

constexpr table kGiro{{"MG1H_DESCRIZIONE"}, "    MG1H_GIRI",
                      {{{"    MG1H_DITTA_CG18 = ", way::company}, {"    MG1H_GIRO= '", way::quoted, 0}}}};
value giro(decode& dc, std::span<value> a) { return describe(dc, a, kGiro); }

// Accounting groupings of articles, customers/suppliers and phases.
constexpr table kRaggruppoContabileArticolo{{"MGA2_DESCR"}, "    MGA2_CATCPARART",
                                            {{{"    MGA2_DITTA_CG18 = ", way::company},
                                              {"    MGA2_CODCAT= '", way::quoted, 0}}}};
value raggruppo_contabile_articolo(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppoContabileArticolo);
}

// TipoCf (the second argument) goes in as it stands, not converted.
constexpr table kRaggruppoContabileClienteFornitore{{"MGA3_DESCR"}, "    MGA3_CATCPARCF",
                                                    {{{"    MGA3_DITTA_CG18 = ", way::company},
                                                      {"    MGA3_TIPOCF_CG44 = ", way::plain, 1},
                                                      {"    MGA3_CODCAT= '", way::quoted, 0}}}};
value raggruppo_contabile_cliente_fornitore(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppoContabileClienteFornitore);
}

constexpr table kRaggruppoContabileFase{{"MGA5_DESCR"}, "    MGA5_CATCPARFASE",
                                        {{{"    MGA5_DITTA_CG18 = ", way::company},
                                          {"    MGA5_CODCAT= '", way::quoted, 0}}}};
value raggruppo_contabile_fase(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppoContabileFase); }

// The configuration code is numeric and written without quotes.
constexpr table kConfigurazioneSchedaTrasporto{{"MG1N_DESCRIZIONE"}, "    MG1N_CONFSCHETRA",
                                               {{{"    MG1N_CODICE= ", way::plain_text, 0}}}};
value configurazione_scheda_trasporto(decode& dc, std::span<value> a) {
  return describe(dc, a, kConfigurazioneSchedaTrasporto);
}

constexpr table kClassificazioneArticoliFittizi{{"MG6L_DESCR"}, "    MG6L_CLASSARTFITZ WITH (NOLOCK)",
                                                {{{"    MG6L_INDFITTIZIO = '", way::decimal, 0}}}};
value classificazione_articoli_fittizi(decode& dc, std::span<value> a) {
  return describe(dc, a, kClassificazioneArticoliFittizi);
}

// ---------------------------------------------------------------------------
// An option of a variant in the compact form: plain, renamed by a variant
// grouping, or renamed by the grouping of the article's variant management.

constexpr piece kOpzioneForm[] = {
    {"SELECT MG5E_DESCR "},
    {"FROM MG5E_OPZIONI WITH (NOLOCK) "},
    {"WHERE MG5E_DITTA_CG18     = ", way::company}, {" AND "},
    {"      MG5E_CODICEVAR_MG5F = '", way::quoted, 0}, {" AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}};

constexpr piece kRaggruppamentoForm[] = {
    {"SELECT (CASE WHEN MG5H_DESCR IS NULL THEN MG5E_DESCR ELSE MG5H_DESCR END) AS MG5E_DESCR "},
    {"FROM MG5H_COMPRAGVAR WITH (NOLOCK) "},
    {"INNER JOIN MG5E_OPZIONI WITH (NOLOCK) "},
    {"ON MG5E_DITTA_CG18 = MG5H_DITTA_CG18 AND "},
    {"   MG5E_CODICEVAR_MG5F = MG5H_CODICEVAR_MG5F AND "},
    {"   MG5E_OPZIONE = MG5H_OPZIONE_MG5E "},
    {"WHERE MG5H_DITTA_CG18 = ", way::company}, {" AND "},
    {"      MG5H_CODICEVAR_MG5F = '", way::quoted, 0}, {" AND "},
    {"      MG5H_RAGGR_MG5G = '", way::quoted, 3}, {" AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}};

// The grouping comes from the article's variant management row: an article
// whose variant has a grouping yields a row only for that grouping's options.
constexpr piece kArticoloForm[] = {
    {"SELECT (CASE WHEN MG5H_DESCR IS NULL THEN MG5E_DESCR ELSE MG5H_DESCR END) AS MG5E_DESCR "},
    {"FROM MG6B_GESVARART WITH (NOLOCK) "},
    {"INNER JOIN MG5E_OPZIONI WITH (NOLOCK) "},
    {"ON MG5E_DITTA_CG18     = MG6B_DITTA_CG18 AND "},
    {"   MG5E_CODICEVAR_MG5F = MG6B_CODICEVAR_MG5F "},
    {"LEFT OUTER JOIN MG5H_COMPRAGVAR WITH (NOLOCK) "},
    {"ON MG5H_DITTA_CG18     = MG6B_DITTA_CG18      AND "},
    {"   MG5H_CODICEVAR_MG5F = MG6B_CODICEVAR_MG5F  AND "},
    {"   MG5H_RAGGR_MG5G     = MG6B_CODRAGGVAR_MG5G AND "},
    {"   MG5H_OPZIONE_MG5E   = MG5E_OPZIONE "},
    {"WHERE MG6B_DITTA_CG18     = ", way::company}, {" AND "},
    {"      MG6B_CODICEVAR_MG5F = '", way::quoted, 0}, {" AND "},
    {"      MG6B_CODART_MG66    = '", way::quoted, 2}, {" AND "},
    {"      (MG6B_CODRAGGVAR_MG5G IS NULL OR "},
    {"       (MG6B_CODRAGGVAR_MG5G IS NOT NULL AND MG5H_DITTA_CG18 IS NOT NULL) "},
    {"       ) AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}};
// Arguments: CodiceVariante, CodiceOpzione, CodiceArticolo, CodiceRaggruppamento.
value opzione_ext(decode& dc, std::span<value> a) {
  std::span<const piece> form = kOpzioneForm;
  if (!a[2].is_missing()) form = kArticoloForm;  // an article given, even an empty one
  else if (!TextOrEmpty(a[3]).empty()) form = kRaggruppamentoForm;
  return compose(dc, a, "MG5E_DESCR", form);
}

// ---------------------------------------------------------------------------
// Public-administration offices and references, tax groups, in the line
// form with all the conditions on the line after WHERE. No company filter.

constexpr table kUfficioPACliFor{{"CG1M_NOME"}, "    CG1M_UFFICIOPA WITH (NOLOCK)",
                                 {{{"    CG1M_CODICE = '", way::quoted, 0},
                                   {" AND CG1M_CODICE_CG16 = ", way::number, 1},
                                   {" AND CG1M_TIPOCF_CG44 = ", way::number, 2}}},
                                 {}, {}, {}, joined::as_written, form::lines};
value ufficio_pa_cli_for(decode& dc, std::span<value> a) { return describe(dc, a, kUfficioPACliFor); }

// An office assigned to the destination, or to none.
constexpr table kUfficioPACliForDest{{"CG1M_NOME"}, "    CG1M_UFFICIOPA WITH (NOLOCK)",
                                     {{{"    CG1M_CODICE = '", way::quoted, 0},
                                       {" AND CG1M_CODICE_CG16 = ", way::number, 1},
                                       {" AND CG1M_TIPOCF_CG44 = ", way::number, 2},
                                       {" AND (CG1M_CODDESTIN = ISNULL('", way::quoted, 3},
                                       {", '') OR CG1M_CODDESTIN = '')"}}},
                                     {}, {}, {}, joined::as_written, form::lines};
value ufficio_pa_cli_for_dest(decode& dc, std::span<value> a) { return describe(dc, a, kUfficioPACliForDest); }

// The reference code itself: the row exists exactly when the reference does.
constexpr table kRiferimentiAmministrazionePA{{"CG1N_CODICE"}, "    CG1N_RIFERAMMPA WITH (NOLOCK) ",
                                              {{{" CG1N_CODICE_CG1M = '", way::quoted, 0},
                                                {" AND CG1N_CODICE_CG16 = ", way::number, 1},
                                                {" AND CG1N_CODICE = '", way::quoted, 2}}},
                                              {}, {}, "    CG1N_CODICE ", joined::as_written, form::lines};
value riferimenti_amministrazione_pa(decode& dc, std::span<value> a) {
  return describe(dc, a, kRiferimentiAmministrazionePA);
}

constexpr table kTaxGroup{{"NV04_DESCRIPTION"}, "    NV04_TAXGROUP WITH (NOLOCK) ",
                          {{{"  NV04_CODE = '", way::quoted, 0}}},
                          {}, {}, "    NV04_DESCRIPTION ", joined::as_written, form::lines};
value tax_group(decode& dc, std::span<value> a) { return describe(dc, a, kTaxGroup); }

// ---------------------------------------------------------------------------
// Supply chains: all of them by code, those of a supplier, and those of a
// supplier with their authorisation state for the article (in the host's
// current company) before the description.

constexpr table kFilere{{"MGH7_DESCRIZIONE"}, "    MGH7_FILIERE WITH (NOLOCK)",
                        {{{"    MGH7_CODICE = '", way::quoted, 0}}}};
value filere(decode& dc, std::span<value> a) { return describe(dc, a, kFilere); }

constexpr table kFilereByIdFor{{"MGH7_DESCRIZIONE"}, "    MGH7_FILIERE WITH (NOLOCK)",
                               {{{"    MGH7_IDCLIFOR = ", way::number, 0},
                                 {"    AND MGH7_CODICE = '", way::quoted, 1}}},
                               {}, {}, {}, joined::as_written};
value filere_by_id_for(decode& dc, std::span<value> a) { return describe(dc, a, kFilereByIdFor); }

constexpr piece kFilereByIdForExt[] = {
    {" SELECT"},
    {"    CASE MGH8_INDSTATO"},
    {"       WHEN 0 THEN '(Disabilitata)'"},
    {"       WHEN 1 THEN '(Con riserva)'"},
    {"       WHEN 2 THEN '(Abilitata)'"},
    {"    END  + '-' + "},
    {"MGH7_DESCRIZIONE"},
    {"    AS MGH7_DESCRIZIONE"},
    {" FROM"}, {"    MGH7_FILIERE WITH (NOLOCK)"},
    {" INNER JOIN"}, {"    MGH8_AUTFILIERE WITH (NOLOCK)"},
    {" ON"}, {"    MGH8_ID_MGH7 = MGH7_ID"},
    {"    AND MGH8_DITTA_CG18 = ", way::host_company},
    {"    AND MGH8_CODART_MG66 = '", way::quoted, 2},
    {" WHERE"}, {"    MGH7_IDCLIFOR = ", way::number, 0},
    {"    AND MGH7_CODICE = '", way::quoted, 1}};
value filere_by_id_for_ext(decode& dc, std::span<value> a) {
  return compose(dc, a, "MGH7_DESCRIZIONE", kFilereByIdForExt);
}

// The older name of the same decode.
value sottprogetto(decode& dc, std::span<value> a) { return sottoprogetto(dc, a); }

// An office of a customer (TipoCliFor 0).
value ufficio_pa(decode& dc, std::span<value> a) {
  std::array<value, 3> args{a[0], a[1], value(std::int16_t{0})};
  return ufficio_pa_cli_for(dc, args);
}

// Kept for callers of the older interface: accepts its arguments and leaves
// the statement and the field list as they are.
value rifer_amm_pa(decode&, std::span<value>) { return {}; }

}  // namespace veldrane::decode_ops
