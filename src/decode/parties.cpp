// Decodes of customers and suppliers (name, registry data valid at a date,
// destinations, document groupings, block levels, the three grouping
// levels), of document configuration (documents, formula groups, formulas,
// transformation models and their company versions), of article cards,
// price lists and warehouse reasons.
#include <array>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "decode/decode.h"
#include "decode/operations.h"
#include "host/classes.h"

namespace veldrane::decode_ops {

namespace {

// The computer's current date in its local time, date only.
date_value system_date() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return date_value::from_parts(1970, 1, 1);
  return date_value::from_parts(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

}  // namespace

// Where the customer/supplier name decode reads today's date; tests replace
// it to fix the day.
std::function<date_value()> parties_today = system_date;

namespace {

// How one WHERE condition takes its value.
enum class way {
  company,  // get CodiceDitta, bare
  number,   // DecimalOrZero of an argument, bare
  quoted,   // TextOrEmpty of an argument, between the fragment's quote and a closing one
  fixed,    // the fragment is the whole condition
};

struct condition {
  std::string_view fragment;  // "    MG24_CODRAG = '" (quoted) or "    MG24_TIPOCF_CG44 = "
  way how = way::company;
  std::size_t arg = 0;        // the argument's position (number, quoted)
};

// The WHERE part: " WHERE", then the conditions separated by " AND".
template <std::size_t N>
void where(decode& dc, statement& st, std::span<value> a, const std::array<condition, N>& conditions) {
  st << " WHERE";
  bool first = true;
  for (const condition& c : conditions) {
    if (c.fragment.empty()) break;
    if (!first) st << " AND";
    first = false;
    switch (c.how) {
      case way::company: company_filter(st, c.fragment, dc.codice_ditta()); break;
      case way::number: st << c.fragment; st.number(DecimalOrZero(a[c.arg])); break;
      case way::quoted: st << c.fragment; st.quoted(TextOrEmpty(a[c.arg])) << "'"; break;
      case way::fixed: st << c.fragment; break;
    }
  }
}

// ---------------------------------------------------------------------------
// The plain description of one table.

struct plain_decode {
  std::string_view field;  // also the select item
  std::string_view from;   // "    MG24_CLIFORRAG WITH (NOLOCK)"
  std::array<condition, 4> conditions;
};

value plain(decode& dc, std::span<value> a, const plain_decode& d) {
  dc.set_fields({d.field});
  statement st;
  st << " SELECT" << "    " << d.field << " FROM" << d.from;
  where(dc, st, a, d.conditions);
  dc.set_statement(st);
  return {};
}

constexpr plain_decode kRaggruppamentoDocumenti{
    "MG24_DESCRAGG",
    "    MG24_CLIFORRAG WITH (NOLOCK)",
    {{{"    MG24_DITTA_CG18 = ", way::company},
      {"    MG24_TIPOCF_CG44 = ", way::number, 0},
      {"    MG24_CLIFOR_CG44 = ", way::number, 1},
      {"    MG24_CODRAG = '", way::quoted, 2}}}};
constexpr plain_decode kLivelloDiBlocco{
    "MG25_DESCRBLOCCO",
    "    MG25_LIVBLOCCO WITH (NOLOCK)",
    {{{"    MG25_DITTA_CG18 = ", way::company}, {"    MG25_CODBLOCCO = '", way::quoted, 0}}}};
constexpr plain_decode kRaggruppamentoFormule{
    "MG3E_DESCR", "    MG3E_FORMULERAGGR WITH (NOLOCK)", {{{"    MG3E_CODICE = '", way::quoted, 0}}}};
constexpr plain_decode kFormula{
    "MG3F_DESCR", "    MG3F_FORMULE WITH (NOLOCK)", {{{"    MG3F_CODICE = '", way::quoted, 0}}}};
constexpr plain_decode kSchedaArticoli{
    "MG42_DESCSCHEDA",
    "    MG42_SCHEDANAG WITH (NOLOCK)",
    {{{"    MG42_DITTA_CG18 = ", way::company}, {"    MG42_CODSCHEDA = '", way::quoted, 0}}}};
constexpr plain_decode kListinoAnagrafica{
    "MG44_DESCLIST",
    "    MG44_PARMAGLIST WITH (NOLOCK)",
    {{{"    MG44_DITTA_CG18 = ", way::company},
      {"    MG44_FLGVENACQ = ", way::number, 0},
      {"    MG44_NUMLIST = ", way::number, 1}}}};

// ---------------------------------------------------------------------------
// The translated description of one table, or of a company version joined
// to its definition table: the description comes from the translation table
// in the current language.

struct translated_decode {
  std::string_view field;      // the alias of MG0S_DESCRIZIONE
  std::string_view from;       // "    MG31_RAGGRCF1 WITH (NOLOCK)"
  std::array<std::string_view, 4> join;  // fragments of a join before the translation, if any
  std::string_view provider;   // translation provider of the translated table
  std::string_view idprov_column;
  std::array<condition, 4> conditions;
};

value translated(decode& dc, std::span<value> a, const translated_decode& d) {
  const std::string language = dc.language(decode::language_source::company);
  dc.set_fields({d.field});
  statement st;
  st << " SELECT" << "    MG0S_DESCRIZIONE AS " << d.field << " FROM" << d.from;
  for (std::string_view fragment : d.join) st << fragment;
  language_join(st, language, d.provider, d.idprov_column);
  where(dc, st, a, d.conditions);
  dc.set_statement(st);
  return {};
}

constexpr translated_decode kRaggruppamentoClientiFornitori1{
    "MG31_DESCRAGGRCF1", "    MG31_RAGGRCF1 WITH (NOLOCK)", {}, "1016", "MG31_IDPROV",
    {{{"    MG31_DITTA_CG18 = ", way::company},
      {"    MG31_TIPOCF = ", way::number, 0},
      {"    MG31_CODRAGGRCF1 = '", way::quoted, 1}}}};
constexpr translated_decode kRaggruppamentoClientiFornitori2{
    "MG32_DESCRAGGRCF2", "    MG32_RAGGRCF2 WITH (NOLOCK)", {}, "1017", "MG32_IDPROV",
    {{{"    MG32_DITTA_CG18 = ", way::company},
      {"    MG32_TIPOCF = ", way::number, 0},
      {"    MG32_CODRAGGRCF2 = '", way::quoted, 1}}}};
constexpr translated_decode kRaggruppamentoClientiFornitori3{
    "MG33_DESCRAGGRCF3", "    MG33_RAGGRCF3 WITH (NOLOCK)", {}, "1018", "MG33_IDPROV",
    {{{"    MG33_DITTA_CG18 = ", way::company},
      {"    MG33_TIPOCF = ", way::number, 0},
      {"    MG33_CODRAGGRCF3 = '", way::quoted, 1}}}};
constexpr translated_decode kDocumento{
    "MG36_DESCDOCUM", "    MG36_DOCUMENTI WITH (NOLOCK)", {}, "1002", "MG36_IDPROV",
    {{{"    MG36_CODDOCUM = '", way::quoted, 0}, {"    MG36_INDSTAPER = ", way::number, 1}}}};
constexpr translated_decode kTrasformazioneDocumento{
    "MG3N_DESCMOD", "    MG3N_MODTRASFDOC WITH (NOLOCK)", {}, "1037", "MG3N_IDPROV",
    {{{"    MG3N_CODTRASFDOC = '", way::quoted, 0}, {"    MG3N_INDSTAPER = ", way::number, 1}}}};
constexpr translated_decode kCausaleMagazzino{
    "MG51_DESCR", "    MG51_CAUSMAG WITH (NOLOCK)", {}, "1030", "MG51_IDPROV",
    {{{"    MG51_CAUSMAG = ", way::number, 0}}}};

// Company versions: the company table first, its definition joined without a
// lock hint, the translation of the definition. DocumentoDitta lists only
// documents in state 0 or 1.
constexpr translated_decode kDocumentoDitta{
    "MG36_DESCDOCUM", "    MG3G_DOCDITTA WITH (NOLOCK)",
    {" INNER JOIN MG36_DOCUMENTI ON", "    MG3G_CODDOCUM_MG36 = MG36_CODDOCUM", " AND",
     "    MG3G_INDSTAPER_MG36 = MG36_INDSTAPER"},
    "1002", "MG36_IDPROV",
    {{{"    MG3G_DITTA_CG18 = ", way::company},
      {"    MG3G_CODDOCUM_MG36 = '", way::quoted, 0},
      {"    MG36_INDSTATODOC IN (0, 1)", way::fixed}}}};
constexpr translated_decode kTrasformazioneDocumentoDitta{
    "MG3N_DESCMOD", "    MG3T_MODTRASFDITTA WITH (NOLOCK)",
    {" INNER JOIN MG3N_MODTRASFDOC ON", "    MG3T_CODTRASFDOC_MG3N = MG3N_CODTRASFDOC", " AND",
     "    MG3T_INDSTAPER_MG3N = MG3N_INDSTAPER"},
    "1037", "MG3N_IDPROV",
    {{{"    MG3T_DITTA_CG18 = ", way::company}, {"    MG3T_CODTRASFDOC_MG3N = '", way::quoted, 0}}}};

// ---------------------------------------------------------------------------
// Destinations: for a user who is an agent, only the destinations assigned
// to that agent or to no agent at all.

value agent_of_user(decode& dc) { return DecimalOrZero(dc.user_context()->agent()); }

void agent_restriction(decode& dc, statement& st) {
  if (!dc.active_interface()) return;
  if (!dc.host_interface().environment_object()) return;
  if (to_double(agent_of_user(dc)) <= 0) return;
  agent_destination_restriction(st, agent_of_user(dc));  // read again for its place
}

}  // namespace

// ---------------------------------------------------------------------------
// Customers and suppliers

value cliente_fornitore_solo_ragione_sociale(decode& dc, std::span<value> a) {
  dc.set_fields({"CG16_RAGSOANAG"});
  const value today = ConvertedOrText(host::framework_classes(dc.system()), value(parties_today()));
  std::array<value, 3> args{a[0], a[1], today};
  return cliente_fornitore_solo_ragione_sociale_data_validita(dc, args);
}

value cliente_fornitore_solo_ragione_sociale_data_validita(decode& dc, std::span<value> a) {
  dc.set_fields({"CG16_RAGSOANAG"});
  statement st;
  st.line("SELECT");
  st.line("    CG16_RAGSOANAG");
  st.line("FROM");
  st.line("    VCG16_CG44_ALLADATA WITH (NOLOCK)");
  st.line("WHERE");
  st.line("    VCG16_44_CF_DITTA = ").number(dc.codice_ditta());
  st.line("    AND VCG16_44_CF_TIPOCF = ").number(DecimalOrZero(a[0]));
  st.line("    AND VCG16_44_CF_CLIFOR = ").number(DecimalOrZero(a[1]));
  // The date as the caller gives it, in its own text form; a quote inside
  // it is doubled so that it cannot end the literal.
  st.line("    AND '").quoted(concat_text(a[2])) << "' BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";
  dc.set_statement(st);
  return {};
}

value cliente_fornitore_dati_anagrafici(decode& dc, std::span<value> a) {
  dc.set_fields({"CG16_RAGSOANAG", "CG16_INDIRIZZO", "CG16_CAP", "CG16_CITTA", "CG16_PROV", "CG16_PARTIVA",
                 "CG16_CODFISCALE"});
  statement st;
  st << " SELECT" << "    CG16_RAGSOANAG," << "    CG16_INDIRIZZO," << "    CG16_CAP," << "    CG16_CITTA,"
     << "    CG16_PROV," << "    CG16_PARTIVA," << "    CG16_CODFISCALE" << " FROM"
     << "    VCG16_CG44_ALLADATA WITH (NOLOCK)" << " WHERE";
  company_filter(st, "    VCG16_44_CF_DITTA = ", dc.codice_ditta());
  st << "    AND VCG16_44_CF_TIPOCF = ";
  st.number(DecimalOrZero(a[0]));
  st << "    AND VCG16_44_CF_CLIFOR = ";
  st.number(DecimalOrZero(a[1]));
  // Valid on the database's own current date.
  st << "    AND dbo.TMS_GETDATE() BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";
  dc.set_statement(st);
  return {};
}

value destinatario(decode& dc, std::span<value> a) {
  dc.set_fields({"MG22_DESTRAGSOC"});
  statement st;
  st << " SELECT" << "    MG22_DESTRAGSOC" << " FROM" << "    MG22_CLIFORDEST WITH (NOLOCK)" << " WHERE";
  company_filter(st, "    MG22_DITTA_CG18 = ", dc.codice_ditta());
  st << " AND" << "    MG22_TIPOCF_CG44 = ";
  st.number(DecimalOrZero(a[0]));
  st << " AND" << "    MG22_CLIFOR_CG44 = ";
  st.number(DecimalOrZero(a[1]));
  st << " AND" << "    MG22_CODDESTIN = '";
  st.quoted(TextOrEmpty(a[2])) << "'";
  // The base statement is stored before the agent is read: a failing host
  // leaves it in place.
  dc.stringa_sql = value(std::string(st.view()));
  agent_restriction(dc, st);
  dc.set_statement(st);
  return {};
}

value raggruppamento_documenti(decode& dc, std::span<value> a) { return plain(dc, a, kRaggruppamentoDocumenti); }
value livello_di_blocco(decode& dc, std::span<value> a) { return plain(dc, a, kLivelloDiBlocco); }
value raggruppamento_clienti_fornitori1(decode& dc, std::span<value> a) {
  return translated(dc, a, kRaggruppamentoClientiFornitori1);
}
value raggruppamento_clienti_fornitori2(decode& dc, std::span<value> a) {
  return translated(dc, a, kRaggruppamentoClientiFornitori2);
}
value raggruppamento_clienti_fornitori3(decode& dc, std::span<value> a) {
  return translated(dc, a, kRaggruppamentoClientiFornitori3);
}

// ---------------------------------------------------------------------------
// Document configuration, article cards, price lists, warehouse reasons

value documento(decode& dc, std::span<value> a) { return translated(dc, a, kDocumento); }
value documento_ditta(decode& dc, std::span<value> a) { return translated(dc, a, kDocumentoDitta); }
value raggruppamento_formule(decode& dc, std::span<value> a) { return plain(dc, a, kRaggruppamentoFormule); }
value formula(decode& dc, std::span<value> a) { return plain(dc, a, kFormula); }
value trasformazione_documento(decode& dc, std::span<value> a) { return translated(dc, a, kTrasformazioneDocumento); }
value trasformazione_documento_ditta(decode& dc, std::span<value> a) {
  return translated(dc, a, kTrasformazioneDocumentoDitta);
}
value scheda_articoli(decode& dc, std::span<value> a) { return plain(dc, a, kSchedaArticoli); }
value listino_anagrafica(decode& dc, std::span<value> a) { return plain(dc, a, kListinoAnagrafica); }
value causale_magazzino(decode& dc, std::span<value> a) { return translated(dc, a, kCausaleMagazzino); }

}  // namespace veldrane::decode_ops
