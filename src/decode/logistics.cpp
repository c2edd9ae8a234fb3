// Decodes of freight terms, shipment types, campaigns, agent types, packing
// and packages, locations, appearance of goods, special price lists, texts,
// bases, risks, projects and job orders, margin indices, delivery rounds,
// accounting groupings, transport-card configurations, fictitious-article
// classifications, variant options, public-administration offices and
// references, tax groups and supply chains.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

namespace {

// How a value goes into the statement after its fragment.
enum class way {
  fixed,           // nothing: the fragment says it all
  company,         // get CodiceDitta, bare
  host_company,    // the host's current company code, bare, without the property
  quoted,          // TextOrEmpty of the argument, its quotes doubled
  doubled,         // the argument right-trimmed as text (Null is an error), its quotes doubled
  number,          // DecimalOrZero of the argument, bare
  raw,             // the argument as it stands, bare: a plain number only
  quoted_decimal,  // the argument as a decimal number (an error if it is none)
  bare_text,       // TextOrEmpty of the argument, bare: a plain number only
};

// The value's own text, right-trimmed; unlike TextOrEmpty, Null has none.
std::string trimmed_text(const value& v) {
  if (v.is_null()) raise(err::invalid_use_of_null, std::string(decode::kSource));
  std::string s = to_text(v);
  s.resize(s.find_last_not_of(' ') + 1);  // npos + 1 == 0
  return s;
}

void insert(decode& dc, statement& st, std::span<value> a, way how, std::size_t arg) {
  switch (how) {
    case way::fixed: break;
    case way::company: st.number(dc.codice_ditta()); break;
    case way::host_company: st << dc.host_company_text(); break;
    case way::quoted: st.quoted(TextOrEmpty(a[arg])); break;
    case way::doubled: st.quoted(trimmed_text(a[arg])); break;
    case way::number: st.number(DecimalOrZero(a[arg])); break;
    case way::raw: st << plain_number(a[arg], decode::kSource); break;
    case way::quoted_decimal: st.number(value(to_decimal(a[arg]))); break;
    case way::bare_text:
      // A text without its trailing blanks; a number in its SQL form.
      st << plain_number(a[arg].is_string() ? value(TextOrEmpty(a[arg])) : a[arg], decode::kSource);
      break;
  }
}

// One fragment of a statement and the value that follows it.
struct piece {
  std::string_view text;
  way how = way::fixed;
  std::size_t arg = 0;
};

void put(decode& dc, statement& st, std::span<value> a, std::span<const piece> pieces) {
  for (const piece& p : pieces) {
    st << p.text;
    insert(dc, st, a, p.how, p.arg);
  }
}

// ---------------------------------------------------------------------------
// The description of one table, in the run-on form: " SELECT", the fields
// (or the translation of the description), " FROM", the table, the
// translation join when the table is translated, " WHERE" and the
// conditions separated by " AND".

struct condition {
  std::string_view fragment;  // "    MG91_CODICE = '" (quoted) or "    MG94_DITTA_CG18 = "
  way how = way::company;
  std::size_t arg = 0;
  bool own_and = false;       // the fragment begins with its own AND
};

struct table_decode {
  std::array<std::string_view, 2> fields;  // the second only where two are read
  std::string_view from;                   // "    MG91_PORTO WITH (NOLOCK)"
  std::string_view provider;               // translation provider; empty: the table's own description
  std::string_view idprov_column;
  std::array<condition, 4> conditions;     // up to the first empty fragment
};

bool closes_quote(way how) { return how == way::quoted || how == way::doubled || how == way::quoted_decimal; }

value describe(decode& dc, std::span<value> a, const table_decode& d) {
  const bool translated = !d.provider.empty();
  const std::string lang = translated ? dc.language(decode::language_source::company) : std::string();
  const std::size_t n = d.fields[1].empty() ? 1 : 2;
  dc.set_fields(std::span<const std::string_view>(d.fields.data(), n));
  statement st;
  st << " SELECT";
  if (translated) {
    st << "    MG0S_DESCRIZIONE AS " << d.fields[0];
  } else {
    for (std::size_t f = 0; f < n; ++f) st << "    " << d.fields[f] << (f + 1 < n ? "," : "");
  }
  st << " FROM" << d.from;
  if (translated) language_join(st, lang, d.provider, d.idprov_column);
  st << " WHERE";
  for (std::size_t c = 0; c < d.conditions.size() && !d.conditions[c].fragment.empty(); ++c) {
    const condition& k = d.conditions[c];
    if (c > 0 && !k.own_and) st << " AND";
    st << k.fragment;
    insert(dc, st, a, k.how, k.arg);
    if (closes_quote(k.how)) st << "'";
  }
  dc.set_statement(st);
  return {};
}

constexpr table_decode kPorto{
    {"MG91_DESCR"}, "    MG91_PORTO WITH (NOLOCK)", {}, {}, {{{"    MG91_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kTipoSpedizione{
    {"MG93_DESCR"}, "    MG93_TIPOSPED WITH (NOLOCK)", {}, {}, {{{"    MG93_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kCampagna{
    {"MG94_DESCAMP"}, "    MG94_CAMPANAG WITH (NOLOCK)", {}, {},
    {{{"    MG94_DITTA_CG18 = "}, {"    MG94_CODCAMP = '", way::quoted, 0}}}};
constexpr table_decode kTipologiaAgente{
    {"MG1P_DESCR"}, "    MG1P_TIPOAGENTE WITH (NOLOCK)", {}, {},
    {{{"    MG1P_DITTA_CG18 = "}, {"    MG1P_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kUbicazione{
    {"MG97_DESCUBICAZ"}, "    MG97_UBICAZ WITH (NOLOCK)", {}, {},
    {{{"    MG97_DITTA_CG18 = "}, {"    MG97_UBICAZ = '", way::quoted, 0}}}};
// Both codes as the caller typed them, right-trimmed, quotes doubled.
constexpr table_decode kUbicazioneDeposito{
    {"MG97_DESCUBICAZ"}, "    MG97_UBICAZ WITH (NOLOCK)", {}, {},
    {{{"    MG97_DITTA_CG18 = "},
      {"    MG97_CODDEP_MG58 = '", way::doubled, 0},
      {"    MG97_UBICAZ = '", way::doubled, 1}}}};
constexpr table_decode kListino99Prezzi{
    {"LI24_DESCR"}, "    LI24_ANAGLIST99 WITH (NOLOCK)", {}, {},
    {{{"    LI24_DITTA_CG18 = "}, {"    LI24_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kListinoPiuArticoli{
    {"LI26_DESCR"}, "    LI26_ANAGLISPIUART WITH (NOLOCK)", {}, {},
    {{{"    LI26_DITTA_CG18 = "}, {"    LI26_CODICE = '", way::quoted, 0}}}};
// Only the text without a language: the base text of the code.
constexpr table_decode kTestiVari{
    {"MG0B_DESCR"}, "    MG0B_TESTI WITH (NOLOCK)", {}, {},
    {{{"    MG0B_DITTA_CG18 = "},
      {"    MG0B_INDTIPO = ", way::number, 0},
      {"    MG0B_CODTESTO = '", way::quoted, 1},
      {"    MG0B_LINGUA_MG52 = ''", way::fixed}}}};
constexpr table_decode kBase{
    {"MG0C_DESCRBASE"}, "    MG0C_BASI WITH (NOLOCK)", {}, {},
    {{{"    MG0C_DITTA_CG18 = "}, {"    MG0C_CODBASE = '", way::quoted, 0}}}};
constexpr table_decode kProgetto{
    {"PD68_DESCRPROG"}, "    PD68_PROGETTI WITH (NOLOCK)", {}, {},
    {{{"    PD68_DITTA_CG18 = "}, {"    PD68_CODPROG = '", way::quoted, 0}}}};
constexpr table_decode kSottoprogetto{
    {"PD69_DESCRSOTPROG"}, "    PD69_SOTTOPROGETTI WITH (NOLOCK)", {}, {},
    {{{"    PD69_DITTA_CG18 = "},
      {"    PD69_CODPROG_PD68 = '", way::quoted, 0},
      {"    PD69_SOTPROG = ", way::number, 1}}}};
// A job order is its row with sub-order number 0.
constexpr table_decode kCommessa{
    {"PD25_DESCR"}, "    PD25_COMMESSA WITH (NOLOCK)", {}, {},
    {{{"    PD25_DITTA_CG18 = "},
      {"    PD25_CODCOMMESSA = '", way::quoted, 0},
      {"    PD25_CODSOTCOMM = 0", way::fixed}}}};
constexpr table_decode kSottoCommessa{
    {"PD25_DESCR"}, "    PD25_COMMESSA WITH (NOLOCK)", {}, {},
    {{{"    PD25_DITTA_CG18 = "},
      {"    PD25_CODCOMMESSA = '", way::quoted, 0},
      {"    PD25_CODSOTCOMM = ", way::number, 1}}}};
// The description and the period indicator.
constexpr table_decode kIndiceMargine{
    {"MG4U_DESCR", "MG4U_INDPERIOD"}, "    MG4U_TABINMARG WITH (NOLOCK)", {}, {},
    {{{"    MG4U_DITTA_CG18 = "}, {"    MG4U_CODINMARG = '", way::quoted, 0}}}};
constexpr table_decode kGiro{
    {"MG1H_DESCRIZIONE"}, "    MG1H_GIRI", {}, {},
    {{{"    MG1H_DITTA_CG18 = "}, {"    MG1H_GIRO= '", way::quoted, 0}}}};
constexpr table_decode kRaggruppoContabileArticolo{
    {"MGA2_DESCR"}, "    MGA2_CATCPARART", {}, {},
    {{{"    MGA2_DITTA_CG18 = "}, {"    MGA2_CODCAT= '", way::quoted, 0}}}};
// TipoCf (the second argument) goes in as it stands, not converted.
constexpr table_decode kRaggruppoContabileClienteFornitore{
    {"MGA3_DESCR"}, "    MGA3_CATCPARCF", {}, {},
    {{{"    MGA3_DITTA_CG18 = "},
      {"    MGA3_TIPOCF_CG44 = ", way::raw, 1},
      {"    MGA3_CODCAT= '", way::quoted, 0}}}};
constexpr table_decode kRaggruppoContabileFase{
    {"MGA5_DESCR"}, "    MGA5_CATCPARFASE", {}, {},
    {{{"    MGA5_DITTA_CG18 = "}, {"    MGA5_CODCAT= '", way::quoted, 0}}}};
// The configuration code is numeric and written without quotes.
constexpr table_decode kConfigurazioneSchedaTrasporto{
    {"MG1N_DESCRIZIONE"}, "    MG1N_CONFSCHETRA", {}, {}, {{{"    MG1N_CODICE= ", way::bare_text, 0}}}};
constexpr table_decode kClassificazioneArticoliFittizi{
    {"MG6L_DESCR"}, "    MG6L_CLASSARTFITZ WITH (NOLOCK)", {}, {},
    {{{"    MG6L_INDFITTIZIO = '", way::quoted_decimal, 0}}}};
constexpr table_decode kFilere{
    {"MGH7_DESCRIZIONE"}, "    MGH7_FILIERE WITH (NOLOCK)", {}, {}, {{{"    MGH7_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kFilereByIdFor{
    {"MGH7_DESCRIZIONE"}, "    MGH7_FILIERE WITH (NOLOCK)", {}, {},
    {{{"    MGH7_IDCLIFOR = ", way::number, 0}, {"    AND MGH7_CODICE = '", way::quoted, 1, true}}}};

// Translated descriptions.
constexpr table_decode kImballo{
    {"MG95_DESCR"}, "    MG95_IMBALLO WITH (NOLOCK)", "1005", "MG95_IDPROV",
    {{{"    MG95_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kConfezione{
    {"MG96_DESCCONFEZ"}, "    MG96_CONFDESC WITH (NOLOCK)", "1006", "MG96_IDPROV",
    {{{"    MG96_DITTA_CG18 = "}, {"    MG96_CODCONFEZ = '", way::quoted, 0}}}};
constexpr table_decode kAspettoDeiBeni{
    {"MG99_DESCR"}, "    MG99_ASPBENI WITH (NOLOCK)", "1007", "MG99_IDPROV",
    {{{"    MG99_CODICE = '", way::quoted, 0}}}};
constexpr table_decode kRischio{
    {"MG2A_DESCRIZIONE"}, "    MG2A_RISCHIO WITH (NOLOCK)", "1032", "MG2A_IDPROV",
    {{{"    MG2A_DITTA_CG18 = "}, {"    MG2A_CODICE = '", way::quoted, 0}}}};

// ---------------------------------------------------------------------------
// A package of an article: the package rows of the article that hold for
// every option ('') or for the given one, described in the current language.

constexpr piece kConfezioneArticoloHead[] = {
    {" SELECT"}, {"    MG0S_DESCRIZIONE AS MG96_DESCCONFEZ"},
    {" FROM"}, {"    MG66_ANAGRART WITH (NOLOCK)"},
    {" INNER JOIN MG50_PARMAGAZ WITH (NOLOCK) ON"}, {"    MG50_DITTA_CG18 = MG66_DITTA_CG18"},
    {" LEFT JOIN MG6D_FLGTABARTVAR WITH (NOLOCK) ON"}, {"    MG6D_DITTA_CG18 = MG66_DITTA_CG18 AND"},
    {"    MG6D_CODART_MG66 = MG66_CODART AND"}, {"    MG6D_PROG = 1"},
    {" LEFT JOIN MG68_CONFART WITH (NOLOCK) ON"}, {"    MG68_DITTA_CG18 = MG66_DITTA_CG18 AND"},
    {"    MG68_CODART_MG66 = MG66_CODART AND"}, {"    MG68_OPZIONE_MG5E IN ('', '", way::quoted, 1}, {"')"},
    {" INNER JOIN MG96_CONFDESC WITH (NOLOCK) ON"}, {"    MG96_DITTA_CG18 = MG68_DITTA_CG18 AND"},
    {"    MG96_CODCONFEZ = MG68_CODCONFEZ_MG96"}};
constexpr piece kConfezioneArticoloWhere[] = {
    {" WHERE"}, {"    MG66_DITTA_CG18 = ", way::company}, {" AND"},
    {"    MG66_CODART = '", way::quoted, 0}, {"' AND"},
    {"    MG68_CODCONFEZ_MG96 = '", way::quoted, 2}, {"'"}};

// ---------------------------------------------------------------------------
// An option of a variant in the compact form: plain, renamed by a variant
// grouping, or renamed by the grouping of the article's variant management.

constexpr piece kOpzioneForm[] = {
    {"SELECT MG5E_DESCR "},
    {"FROM MG5E_OPZIONI WITH (NOLOCK) "},
    {"WHERE MG5E_DITTA_CG18     = ", way::company}, {" AND "},
    {"      MG5E_CODICEVAR_MG5F = '", way::quoted, 0}, {"' AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}, {"'"}};
constexpr piece kRaggruppamentoForm[] = {
    {"SELECT (CASE WHEN MG5H_DESCR IS NULL THEN MG5E_DESCR ELSE MG5H_DESCR END) AS MG5E_DESCR "},
    {"FROM MG5H_COMPRAGVAR WITH (NOLOCK) "},
    {"INNER JOIN MG5E_OPZIONI WITH (NOLOCK) "},
    {"ON MG5E_DITTA_CG18 = MG5H_DITTA_CG18 AND "},
    {"   MG5E_CODICEVAR_MG5F = MG5H_CODICEVAR_MG5F AND "},
    {"   MG5E_OPZIONE = MG5H_OPZIONE_MG5E "},
    {"WHERE MG5H_DITTA_CG18 = ", way::company}, {" AND "},
    {"      MG5H_CODICEVAR_MG5F = '", way::quoted, 0}, {"' AND "},
    {"      MG5H_RAGGR_MG5G = '", way::quoted, 3}, {"' AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}, {"'"}};
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
    {"      MG6B_CODICEVAR_MG5F = '", way::quoted, 0}, {"' AND "},
    {"      MG6B_CODART_MG66    = '", way::quoted, 2}, {"' AND "},
    {"      (MG6B_CODRAGGVAR_MG5G IS NULL OR "},
    {"       (MG6B_CODRAGGVAR_MG5G IS NOT NULL AND MG5H_DITTA_CG18 IS NOT NULL) "},
    {"       ) AND "},
    {"      MG5E_OPZIONE = '", way::quoted, 1}, {"'"}};

// ---------------------------------------------------------------------------
// Public-administration offices and references, tax groups: "SELECT", the
// field, "FROM", the table and "WHERE" each on its own line, then all the
// conditions on one line. No company filter.

struct office_decode {
  std::string_view field;
  std::string_view item;   // the field's line
  std::string_view table;  // the table's line
  std::span<const piece> conditions;
};

value office(decode& dc, std::span<value> a, const office_decode& d) {
  dc.set_fields({d.field});
  statement st;
  st.line("SELECT").line(d.item).line("FROM").line(d.table).line("WHERE").line("");
  put(dc, st, a, d.conditions);
  dc.set_statement(st);
  return {};
}

constexpr piece kUfficioConditions[] = {
    {"    CG1M_CODICE = '", way::quoted, 0}, {"'"},
    {" AND CG1M_CODICE_CG16 = ", way::number, 1},
    {" AND CG1M_TIPOCF_CG44 = ", way::number, 2}};
// An office assigned to the destination, or to none.
constexpr piece kUfficioDestConditions[] = {
    {"    CG1M_CODICE = '", way::quoted, 0}, {"'"},
    {" AND CG1M_CODICE_CG16 = ", way::number, 1},
    {" AND CG1M_TIPOCF_CG44 = ", way::number, 2},
    {" AND (CG1M_CODDESTIN = ISNULL('", way::quoted, 3}, {"', '') OR CG1M_CODDESTIN = '')"}};
constexpr piece kRiferimentoConditions[] = {
    {" CG1N_CODICE_CG1M = '", way::quoted, 0}, {"'"},
    {" AND CG1N_CODICE_CG16 = ", way::number, 1},
    {" AND CG1N_CODICE = '", way::quoted, 2}, {"'"}};
constexpr piece kTaxGroupConditions[] = {{"  NV04_CODE = '", way::quoted, 0}, {"'"}};

constexpr office_decode kUfficioPACliFor{
    "CG1M_NOME", "    CG1M_NOME", "    CG1M_UFFICIOPA WITH (NOLOCK)", kUfficioConditions};
constexpr office_decode kUfficioPACliForDest{
    "CG1M_NOME", "    CG1M_NOME", "    CG1M_UFFICIOPA WITH (NOLOCK)", kUfficioDestConditions};
// The reference code itself: the row exists exactly when the reference does.
constexpr office_decode kRiferimentiAmministrazionePA{
    "CG1N_CODICE", "    CG1N_CODICE ", "    CG1N_RIFERAMMPA WITH (NOLOCK) ", kRiferimentoConditions};
constexpr office_decode kTaxGroup{
    "NV04_DESCRIPTION", "    NV04_DESCRIPTION ", "    NV04_TAXGROUP WITH (NOLOCK) ", kTaxGroupConditions};

// ---------------------------------------------------------------------------
// A supplier's supply chain with its authorisation state for the article
// (in the host's current company) before the description.

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
    {"    AND MGH8_CODART_MG66 = '", way::quoted, 2}, {"'"},
    {" WHERE"}, {"    MGH7_IDCLIFOR = ", way::number, 0},
    {"    AND MGH7_CODICE = '", way::quoted, 1}, {"'"}};

}  // namespace

value porto(decode& dc, std::span<value> a) { return describe(dc, a, kPorto); }
value tipo_spedizione(decode& dc, std::span<value> a) { return describe(dc, a, kTipoSpedizione); }
value campagna(decode& dc, std::span<value> a) { return describe(dc, a, kCampagna); }
value tipologia_agente(decode& dc, std::span<value> a) { return describe(dc, a, kTipologiaAgente); }
value imballo(decode& dc, std::span<value> a) { return describe(dc, a, kImballo); }
value confezione(decode& dc, std::span<value> a) { return describe(dc, a, kConfezione); }

value confezione_articolo(decode& dc, std::span<value> a) {
  const std::string lang = dc.language(decode::language_source::company);
  dc.set_fields({"MG96_DESCCONFEZ"});
  statement st;
  put(dc, st, a, kConfezioneArticoloHead);
  language_join(st, lang, "1006", "MG96_IDPROV");
  put(dc, st, a, kConfezioneArticoloWhere);
  dc.set_statement(st);
  return {};
}

value ubicazione(decode& dc, std::span<value> a) { return describe(dc, a, kUbicazione); }

value ubicazione_deposito(decode& dc, std::span<value> a) {
  // A code that cannot be converted (a Null one) stops the composition: the
  // field list is already replaced, the statement stays as it was, and the
  // caller gets no error.
  try {
    describe(dc, a, kUbicazioneDeposito);
  } catch (const automation_error&) {
  }
  return {};
}

value aspetto_dei_beni(decode& dc, std::span<value> a) { return describe(dc, a, kAspettoDeiBeni); }
value listino99_prezzi(decode& dc, std::span<value> a) { return describe(dc, a, kListino99Prezzi); }
value listino_piu_articoli(decode& dc, std::span<value> a) { return describe(dc, a, kListinoPiuArticoli); }
value testi_vari(decode& dc, std::span<value> a) { return describe(dc, a, kTestiVari); }
value base(decode& dc, std::span<value> a) { return describe(dc, a, kBase); }
value rischio(decode& dc, std::span<value> a) { return describe(dc, a, kRischio); }
value progetto(decode& dc, std::span<value> a) { return describe(dc, a, kProgetto); }
value sottoprogetto(decode& dc, std::span<value> a) { return describe(dc, a, kSottoprogetto); }
// The older name of the same decode.
value sottprogetto(decode& dc, std::span<value> a) { return sottoprogetto(dc, a); }
value commessa(decode& dc, std::span<value> a) { return describe(dc, a, kCommessa); }
value sotto_commessa(decode& dc, std::span<value> a) { return describe(dc, a, kSottoCommessa); }
value indice_margine(decode& dc, std::span<value> a) { return describe(dc, a, kIndiceMargine); }
value giro(decode& dc, std::span<value> a) { return describe(dc, a, kGiro); }
value raggruppo_contabile_articolo(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppoContabileArticolo);
}
value raggruppo_contabile_cliente_fornitore(decode& dc, std::span<value> a) {
  return describe(dc, a, kRaggruppoContabileClienteFornitore);
}
value raggruppo_contabile_fase(decode& dc, std::span<value> a) { return describe(dc, a, kRaggruppoContabileFase); }
value configurazione_scheda_trasporto(decode& dc, std::span<value> a) {
  return describe(dc, a, kConfigurazioneSchedaTrasporto);
}
value classificazione_articoli_fittizi(decode& dc, std::span<value> a) {
  return describe(dc, a, kClassificazioneArticoliFittizi);
}

// Arguments: CodiceVariante, CodiceOpzione, CodiceArticolo, CodiceRaggruppamento.
value opzione_ext(decode& dc, std::span<value> a) {
  dc.set_fields({"MG5E_DESCR"});
  std::span<const piece> form = kOpzioneForm;
  if (!a[2].is_missing()) form = kArticoloForm;  // an article given, even an empty one
  else if (!TextOrEmpty(a[3]).empty()) form = kRaggruppamentoForm;
  statement st;
  put(dc, st, a, form);
  dc.set_statement(st);
  return {};
}

// An office of a customer (TipoCliFor 0).
value ufficio_pa(decode& dc, std::span<value> a) {
  std::array<value, 3> args{a[0], a[1], value(std::int16_t{0})};
  return ufficio_pa_cli_for(dc, args);
}
value ufficio_pa_cli_for(decode& dc, std::span<value> a) { return office(dc, a, kUfficioPACliFor); }
value ufficio_pa_cli_for_dest(decode& dc, std::span<value> a) { return office(dc, a, kUfficioPACliForDest); }
// Kept for callers of the older interface: accepts its arguments and leaves
// the statement and the field list as they are.
value rifer_amm_pa(decode&, std::span<value>) { return {}; }
value riferimenti_amministrazione_pa(decode& dc, std::span<value> a) {
  return office(dc, a, kRiferimentiAmministrazionePA);
}
value tax_group(decode& dc, std::span<value> a) { return office(dc, a, kTaxGroup); }

value filere_by_id_for(decode& dc, std::span<value> a) { return describe(dc, a, kFilereByIdFor); }
value filere(decode& dc, std::span<value> a) { return describe(dc, a, kFilere); }
value filere_by_id_for_ext(decode& dc, std::span<value> a) {
  dc.set_fields({"MGH7_DESCRIZIONE"});
  statement st;
  put(dc, st, a, kFilereByIdForExt);
  dc.set_statement(st);
  return {};
}

}  // namespace veldrane::decode_ops
