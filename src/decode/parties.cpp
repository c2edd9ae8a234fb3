// Decodes of customers and suppliers (name, registry data valid at a date,
// destinations, document groupings, block levels, the three grouping
// levels), of document configuration (documents, formula groups, formulas,
// transformation models and their company versions), of article cards,
// price lists and warehouse reasons.
#include <array>
#include <span>

#include "convert/converters.h"
#include "decode/describe.h"
#include "decode/operations.h"
#include "host/classes.h"

namespace veldrane::decode_ops {

namespace {

// Destinations: for a user who is an agent, only the destinations assigned
// to that agent or to no agent at all.
void agent_restriction(decode& dc, statement& st) {
  if (!dc.active_interface()) return;
  if (!dc.host_interface().environment_object()) return;
  if (to_double(DecimalOrZero(dc.user_context()->agent())) <= 0) return;
  // The agent is read again for its place in the statement.
  agent_destination_restriction(st, DecimalOrZero(dc.user_context()->agent()));
}

}  // namespace

// Customers and suppliers: registry data valid on the database's own current
// date, the name of a destination.
constexpr table kDatiAnagrafici{
    {"CG16_RAGSOANAG", "CG16_INDIRIZZO", "CG16_CAP", "CG16_CITTA", "CG16_PROV", "CG16_PARTIVA", "CG16_CODFISCALE"},
    "    VCG16_CG44_ALLADATA WITH (NOLOCK)",
    {{{"    VCG16_44_CF_DITTA = ", way::company},
      {"    AND VCG16_44_CF_TIPOCF = ", way::number, 0},
      {"    AND VCG16_44_CF_CLIFOR = ", way::number, 1},
      {"    AND dbo.TMS_GETDATE() BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA"}}},
    {}, {}, {}, joined::as_written};
value cliente_fornitore_dati_anagrafici(decode& dc, std::span<value> a) { return describe(dc, a, kDatiAnagrafici); }

constexpr table kDestinatario{{"MG22_DESTRAGSOC"}, "    MG22_CLIFORDEST WITH (NOLOCK)",
                              {{{"    MG22_DITTA_CG18 = ", way::company},
                                {"    MG22_TIPOCF_CG44 = ", way::number, 0},
                                {"    MG22_CLIFOR_CG44 = ", way::number, 1},
                                {"    MG22_CODDESTIN = '", way::quoted, 2}}}};
// The base statement is stored before the agent is read: a failing host
// leaves it in place.
value destinatario(decode& dc, std::span<value> a) {
  describe(dc, a, kDestinatario);
  dc.append_to_stored(agent_restriction);
  return {};
}

constexpr table kRaggruppamentoDocumenti{{"MG24_DESCRAGG"}, "    MG24_CLIFORRAG WITH (NOLOCK)",
                                         {{{"    MG24_DITTA_CG18 = ", way::company},
                                           {"    MG24_TIPOCF_CG44 = ", way::number, 0},
                                           {"    MG24_CLIFOR_CG44 = ", way::number, 1},
                                           {"    MG24_CODRAG = '", way::quoted, 2}}}};
value raggruppamento_documenti(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppamentoDocumenti); }

constexpr table kLivelloDiBlocco{{"MG25_DESCRBLOCCO"}, "    MG25_LIVBLOCCO WITH (NOLOCK)",
                                 {{{"    MG25_DITTA_CG18 = ", way::company},
                                   {"    MG25_CODBLOCCO = '", way::quoted, 0}}}};
value livello_di_blocco(decode& dc, std::span<value> a) { return describe(dc, a, kLivelloDiBlocco); }

constexpr table kRaggruppamentoClientiFornitori1{{"MG31_DESCRAGGRCF1"}, "    MG31_RAGGRCF1 WITH (NOLOCK)",
                                                 {{{"    MG31_DITTA_CG18 = ", way::company},
                                                   {"    MG31_TIPOCF = ", way::number, 0},
                                                   {"    MG31_CODRAGGRCF1 = '", way::quoted, 1}}},
                                                 {"1016", "MG31_IDPROV"}};
value raggruppamento_clienti_fornitori1(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppamentoClientiFornitori1);
}

constexpr table kRaggruppamentoClientiFornitori2{{"MG32_DESCRAGGRCF2"}, "    MG32_RAGGRCF2 WITH (NOLOCK)",
                                                 {{{"    MG32_DITTA_CG18 = ", way::company},
                                                   {"    MG32_TIPOCF = ", way::number, 0},
                                                   {"    MG32_CODRAGGRCF2 = '", way::quoted, 1}}},
                                                 {"1017", "MG32_IDPROV"}};
value raggruppamento_clienti_fornitori2(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppamentoClientiFornitori2);
}

constexpr table kRaggruppamentoClientiFornitori3{{"MG33_DESCRAGGRCF3"}, "    MG33_RAGGRCF3 WITH (NOLOCK)",
                                                 {{{"    MG33_DITTA_CG18 = ", way::company},
                                                   {"    MG33_TIPOCF = ", way::number, 0},
                                                   {"    MG33_CODRAGGRCF3 = '", way::quoted, 1}}},
                                                 {"1018", "MG33_IDPROV"}};
value raggruppamento_clienti_fornitori3(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppamentoClientiFornitori3);
}

// Document configuration, article cards, price lists, warehouse reasons.
constexpr table kDocumento{{"MG36_DESCDOCUM"}, "    MG36_DOCUMENTI WITH (NOLOCK)",
                           {{{"    MG36_CODDOCUM = '", way::quoted, 0}, {"    MG36_INDSTAPER = ", way::number, 1}}},
                           {"1002", "MG36_IDPROV"}};
value documento(decode& dc, std::span<value> a) { return describe(dc, a, kDocumento); }

constexpr table kTrasformazioneDocumento{{"MG3N_DESCMOD"}, "    MG3N_MODTRASFDOC WITH (NOLOCK)",
                                         {{{"    MG3N_CODTRASFDOC = '", way::quoted, 0},
                                           {"    MG3N_INDSTAPER = ", way::number, 1}}},
                                         {"1037", "MG3N_IDPROV"}};
value trasformazione_documento(decode& dc, std::span<value> a) { return describe(dc, a, kTrasformazioneDocumento); }

// Company versions: the company table first, its definition joined without a
// lock hint, the translation of the definition. DocumentoDitta lists only
// documents in state 0 or 1.
constexpr table kDocumentoDitta{
    {"MG36_DESCDOCUM"},
    "    MG3G_DOCDITTA WITH (NOLOCK)"
    " INNER JOIN MG36_DOCUMENTI ON"
    "    MG3G_CODDOCUM_MG36 = MG36_CODDOCUM"
    " AND"
    "    MG3G_INDSTAPER_MG36 = MG36_INDSTAPER",
    {{{"    MG3G_DITTA_CG18 = ", way::company},
      {"    MG3G_CODDOCUM_MG36 = '", way::quoted, 0},
      {"    MG36_INDSTATODOC IN (0, 1)"}}},
    {"1002", "MG36_IDPROV"}};
value documento_ditta(decode& dc, std::span<value> a) { return describe(dc, a, kDocumentoDitta); }

constexpr table kTrasformazioneDocumentoDitta{
    {"MG3N_DESCMOD"},
    "    MG3T_MODTRASFDITTA WITH (NOLOCK)"
    " INNER JOIN MG3N_MODTRASFDOC ON"
    "    MG3T_CODTRASFDOC_MG3N = MG3N_CODTRASFDOC"
    " AND"
    "    MG3T_INDSTAPER_MG3N = MG3N_INDSTAPER",
    {{{"    MG3T_DITTA_CG18 = ", way::company}, {"    MG3T_CODTRASFDOC_MG3N = '", way::quoted, 0}}},
    {"1037", "MG3N_IDPROV"}};
value trasformazione_documento_ditta(decode& dc, std::span<value> a) {
  return describe(dc, a, kTrasformazioneDocumentoDitta);
}

constexpr table kRaggruppamentoFormule{{"MG3E_DESCR"}, "    MG3E_FORMULERAGGR WITH (NOLOCK)",
                                       {{{"    MG3E_CODICE = '", way::quoted, 0}}}};
value raggruppamento_formule(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppamentoFormule); }

constexpr table kFormula{{"MG3F_DESCR"}, "    MG3F_FORMULE WITH (NOLOCK)", {{{"    MG3F_CODICE = '", way::quoted, 0}}}};
value formula(decode& dc, std::span<value> a) { return describe(dc, a, kFormula); }

constexpr table kSchedaArticoli{{"MG42_DESCSCHEDA"}, "    MG42_SCHEDANAG WITH (NOLOCK)",
                                {{{"    MG42_DITTA_CG18 = ", way::company},
                                  {"    MG42_CODSCHEDA = '", way::quoted, 0}}}};
value scheda_articoli(decode& dc, std::span<value> a) { return describe(dc, a, kSchedaArticoli); }

constexpr table kListinoAnagrafica{{"MG44_DESCLIST"}, "    MG44_PARMAGLIST WITH (NOLOCK)",
                                   {{{"    MG44_DITTA_CG18 = ", way::company},
                                     {"    MG44_FLGVENACQ = ", way::number, 0},
                                     {"    MG44_NUMLIST = ", way::number, 1}}}};
value listino_anagrafica(decode& dc, std::span<value> a) { return describe(dc, a, kListinoAnagrafica); }

constexpr table kCausaleMagazzino{{"MG51_DESCR"}, "    MG51_CAUSMAG WITH (NOLOCK)",
                                  {{{"    MG51_CAUSMAG = ", way::number, 0}}},
                                  {"1030", "MG51_IDPROV"}};
value causale_magazzino(decode& dc, std::span<value> a) { return describe(dc, a, kCausaleMagazzino); }

// ---------------------------------------------------------------------------
// Customers and suppliers

// The name valid today: the dated decode with today's date as the host's
// converter writes it.
value cliente_fornitore_solo_ragione_sociale(decode& dc, std::span<value> a) {
  dc.set_fields({"CG16_RAGSOANAG"});
  const value today = ConvertedOrText(host::framework_classes(dc.system()), value(dc.system().today()));
  std::array<value, 3> args{a[0], a[1], today};
  return cliente_fornitore_solo_ragione_sociale_data_validita(dc, args);
}

value cliente_fornitore_solo_ragione_sociale_data_validita(decode& dc, std::span<value> a) {
  dc.set_fields({"CG16_RAGSOANAG"});
  statement st;
  st.line("SELECT").line("    CG16_RAGSOANAG").line("FROM").line("    VCG16_CG44_ALLADATA WITH (NOLOCK)").line("WHERE");
  st.line("    VCG16_44_CF_DITTA = ").number(dc.codice_ditta());
  st.line("    AND VCG16_44_CF_TIPOCF = ").number(DecimalOrZero(a[0]));
  st.line("    AND VCG16_44_CF_CLIFOR = ").number(DecimalOrZero(a[1]));
  // The date as the caller gives it, in its own text form; a quote inside
  // it is doubled so that it cannot end the literal.
  st.line("    AND '").quoted(concat_text(a[2])) << "' BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";
  dc.set_statement(st);
  return {};
}

}  // namespace veldrane::decode_ops
