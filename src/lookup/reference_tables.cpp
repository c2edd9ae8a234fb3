// Lookups over the small reference tables: operators, rounding brackets,
// expenses, the geographic and commercial classification of customers and
// suppliers, article states and variants, document types, transport reasons,
// carriers and forwarders.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

// A filter argument the caller left out counts as Empty: it is written as
// the empty text or as 0, like an empty one.
const value& filter_value(const value& v) {
  static const value empty;
  return v.is_missing() ? empty : v;
}

// A lookup over one table of codes and descriptions, with or without the
// company filter, in the run-on form.
struct code_table {
  std::string_view title;
  std::string_view id;
  std::string_view default_sort;
  std::span<const std::string_view> captions;
  // Every fragment from " SELECT" up to the company filter (or up to the end
  // of the FROM clause when there is none).
  std::span<const std::string_view> fragments;
  // The company condition after " WHERE", empty for tables that all
  // companies share.
  std::string_view company_fragment;
};

value code_table_lookup(lookup& lk, const code_table& t, const value& campo) {
  lk.set_columns(t.captions);
  lk.set_title(t.title);
  const std::string sort = lk.sort_column(campo, t.default_sort);
  statement st;
  for (std::string_view f : t.fragments) st << f;
  if (!t.company_fragment.empty()) {
    st << " WHERE";
    company_filter(st, t.company_fragment, lk.codice_ditta());
  }
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(t.id);
  return {};
}

constexpr std::array<std::string_view, 2> kCodeDescr = {"Codice", "Descrizione"};

constexpr std::array<std::string_view, 5> kScaglioniFragments = {
    " SELECT", "    MG02_CODICESCAGL,", "    MG02_DESCRSCAGL", " FROM", "    MG02_SCAGLDESCR WITH (NOLOCK)"};
constexpr std::array<std::string_view, 5> kSpeseFragments = {
    " SELECT", "    MG04_CODICE,", "    MG04_DESCR", " FROM", "    MG04_SPESE WITH (NOLOCK)"};
constexpr std::array<std::string_view, 3> kVettoriCaptions = {"Codice", "Ragione sociale", "Targa"};
constexpr std::array<std::string_view, 8> kVettoriFragments = {
    " SELECT", "    MG14_CODICE,", "    CG16_RAGSOANAG,", "    MG14_TARGA", " FROM", "    MG14_VETTORI WITH (NOLOCK)",
    " INNER JOIN CG16_ANAGGEN WITH (NOLOCK) ON", "    MG14_CODICE_CG16 = CG16_CODICE"};
constexpr std::array<std::string_view, 2> kSpedizionieriCaptions = {"Codice", "Ragione sociale"};
// The register of parties is read here without the NOLOCK hint.
constexpr std::array<std::string_view, 7> kSpedizionieriFragments = {
    " SELECT", "    MG15_CODICE,", "    CG16_RAGSOANAG", " FROM", "    MG15_SPEDIZ WITH (NOLOCK)",
    " INNER JOIN CG16_ANAGGEN ON", "    MG15_CODICE_CG16 = CG16_CODICE"};

const code_table kScaglioni{"Elenco Scaglioni di arrotondamento", "Lkp_ScaglioniArrotondamento", "MG02_CODICESCAGL",
                            kCodeDescr, kScaglioniFragments, "    MG02_DITTA_CG18 = "};
const code_table kSpese{"Elenco Spese", "Lkp_SpeseVarie", "MG04_CODICE", kCodeDescr, kSpeseFragments, ""};
const code_table kVettori{"Elenco Vettori", "Lkp_Vettori", "MG14_CODICE", kVettoriCaptions, kVettoriFragments, ""};
const code_table kSpedizionieri{"Elenco Spedizionieri", "Lkp_Spedizionieri", "MG15_CODICE",
                                kSpedizionieriCaptions, kSpedizionieriFragments, ""};

// The geographic (macro areas, areas, zones) and commercial (macro
// categories, categories, sub-categories) classification of customers and
// suppliers: one table per level, filtered on the company, on customer or
// supplier, and on the codes of the levels above. The description exists
// only in the translation table.
struct party_class {
  std::string_view title;
  std::string_view id;
  std::string_view code_column;   // also the default sort
  std::string_view code_fragment;  // "    <code column>,"
  std::string_view descr_fragment;
  std::string_view table_fragment;
  std::string_view provider;
  std::string_view idprov_column;
  std::string_view company_fragment;
  std::string_view type_fragment;
  // The conditions on the parent codes, each up to its opening quote.
  std::array<std::string_view, 2> parent_fragments;
  std::size_t parents;
};

constexpr party_class kMacroAree{"Elenco Macroaree", "Lkp_MacroAree", "MG07_MACROAREA", "    MG07_MACROAREA,",
                                 "    MG0S_DESCRIZIONE AS MG07_DESCRMACROAR", "    MG07_MACROAREE WITH (NOLOCK)",
                                 "1010", "MG07_IDPROV", "    MG07_DITTA_CG18 = ", "    MG07_TIPOCF = ", {}, 0};
constexpr party_class kAree{"Elenco Aree", "Lkp_Aree", "MG08_AREA", "    MG08_AREA,",
                            "    MG0S_DESCRIZIONE AS MG08_DESCRAREA", "    MG08_AREE WITH (NOLOCK)",
                            "1011", "MG08_IDPROV", "    MG08_DITTA_CG18 = ", "    MG08_TIPOCF_MG07 = ",
                            {"    MG08_MACROAREA_MG07 = '"}, 1};
constexpr party_class kZone{"Elenco Zone", "Lkp_Zone", "MG09_ZONA", "    MG09_ZONA,",
                            "    MG0S_DESCRIZIONE AS MG09_DESCRZONA", "    MG09_ZONE WITH (NOLOCK)",
                            "1012", "MG09_IDPROV", "    MG09_DITTA_CG18 = ", "    MG09_TIPOCF_MG08 = ",
                            {"    MG09_MACROAREA_MG08 = '", "    MG09_AREA_MG08 = '"}, 2};
constexpr party_class kMacroCategorie{"Elenco Macrocategorie", "Lkp_MacroCategorie", "MG10_MACROCAT",
                                      "    MG10_MACROCAT,", "    MG0S_DESCRIZIONE AS MG10_DESCRMACROCAT",
                                      "    MG10_MACROCAT WITH (NOLOCK)", "1013", "MG10_IDPROV",
                                      "    MG10_DITTA_CG18 = ", "    MG10_TIPOCF = ", {}, 0};
constexpr party_class kCategorie{"Elenco Categorie", "Lkp_Categorie", "MG11_CATEG", "    MG11_CATEG,",
                                 "    MG0S_DESCRIZIONE AS MG11_DESCRCAT", "    MG11_CATEG WITH (NOLOCK)", "1014",
                                 "MG11_IDPROV", "    MG11_DITTA_CG18 = ", "    MG11_TIPOCF_MG10 = ",
                                 {"    MG11_MACROCAT_MG10 = '"}, 1};
constexpr party_class kSottoCategorie{"Elenco Sottocategorie", "Lkp_SottoCategorie", "MG12_SOTTCAT",
                                      "    MG12_SOTTCAT,", "    MG0S_DESCRIZIONE AS MG12_DESCRSOTTOCAT",
                                      "    MG12_SOTTOCAT WITH (NOLOCK)", "1015", "MG12_IDPROV",
                                      "    MG12_DITTA_CG18 = ", "    MG12_TIPOCF_MG11 = ",
                                      {"    MG12_MACROCAT_MG11 = '", "    MG12_CATEG_MG11 = '"}, 2};

// Arguments: TipoCf, the parent codes, CampoOrdinamento.
value party_class_lookup(lookup& lk, const party_class& c, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns(kCodeDescr);
  lk.set_title(c.title);
  const std::string sort = lk.sort_column(a[1 + c.parents], c.code_column);
  statement st;
  st << " SELECT" << c.code_fragment << c.descr_fragment << " FROM" << c.table_fragment;
  language_join(st, lang, c.provider, c.idprov_column);
  st << " WHERE";
  company_filter(st, c.company_fragment, lk.codice_ditta());
  st << " AND" << c.type_fragment;
  st.number(DecimalOrZero(filter_value(a[0])));
  for (std::size_t p = 0; p < c.parents; ++p) {
    st << (p == 0 ? " AND" : "' AND") << c.parent_fragments[p];
    st.quoted(TextOrEmpty(filter_value(a[1 + p])));
  }
  if (c.parents > 0) st << "'";
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(c.id);
  return {};
}

// Line-form translated description (DESCR) and short description (DESCRRID)
// of the document tables, from the user's description language.
void document_descriptions(statement& st, std::string_view lang, std::string_view descr_provider,
                           std::string_view short_provider, std::string_view idprov_column) {
  language_join_lines(st, "DESCR", lang, descr_provider, idprov_column);
  language_join_lines(st, "DESCRRID", lang, short_provider, idprov_column);
}

constexpr std::array<case_branch, 5> kStatoLabels = {{{0, "Non gestito"},
                                                      {1, "Fatturato/Da fatt."},
                                                      {2, "Evaso/Da evad."},
                                                      {3, "Trasformato/Da trasf."},
                                                      {4, "Aperto/Chiuso"}}};
constexpr std::array<case_branch, 6> kRaggrLabels = {{{0, "Documenti clienti"},
                                                      {1, "Documenti fornitori"},
                                                      {2, "Documenti cli./forn."},
                                                      {3, "Documenti produzione"},
                                                      {4, "Documenti interni"},
                                                      {5, "Altri documenti"}}};

constexpr std::array<case_branch, 19> kNaturaLabels = {{
    {1, "Acquisto o vendita"},
    {2, "Restituzione o sostituzione"},
    {3, "Aiuti governativi privati o finanziati dalla CE"},
    {4, "Operazione in vista di lavorazione c/terzi"},
    {5, "Operazione successiva a lavorazione c/terzi"},
    {6, "Movimento di merci senza trasformazione proprietà"},
    {7, "Operazione di programma comune di difesa"},
    {8, "Fornitura di materiali su contratto gen. di costruzione"},
    {9, "Altre transazioni"},
    {10, "(Z) Prestazioni di servizi esclusi dal modello"},
    {21, "(A) Acquisto o vendita"},
    {22, "(B) Restituzione o sostituzione"},
    {23, "(C) Aiuti governativi privati o finanziati dalla CE"},
    {24, "(D) Operazione in vista di lavorazione c/terzi"},
    {25, "(E) Operazione successiva a lavorazione c/terzi"},
    {26, "(F) Movimento di merci senza trasformazione proprietà"},
    {27, "(G) Operazione di programma comune di difesa"},
    {28, "(H) Fornitura di materiali su contratto gen. di costruzione"},
    {29, "(I) Altre transazioni"},
}};

}  // namespace

// Requesters are the operators: same definition, identifier included.
value richiedenti(lookup& lk, std::span<value> a) { return operatori(lk, a); }

value scaglioni_di_arrotondamento(lookup& lk, std::span<value> a) {
  return code_table_lookup(lk, kScaglioni, a[0]);
}
value spese(lookup& lk, std::span<value> a) { return code_table_lookup(lk, kSpese, a[0]); }
value macro_aree(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kMacroAree, a); }
value aree(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kAree, a); }
value zone(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kZone, a); }
value macro_categorie(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kMacroCategorie, a); }
value categorie(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kCategorie, a); }
value sotto_categorie(lookup& lk, std::span<value> a) { return party_class_lookup(lk, kSottoCategorie, a); }

value causali_trasporto(lookup& lk, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::company);
  lk.set_columns({"Codice", "Descrizione", "Natura transazione"});
  lk.set_title("Elenco Causali trasporto");
  const std::string sort = lk.sort_column(a[0], "MG13_CODICE");
  statement st;
  st << " SELECT" << "    MG13_CODICE," << "    MG0S_DESCRIZIONE AS MG13_DESCR," << "    CONVERT(varchar(60),"
     << "        CASE MG13_INDNATURA";
  case_branches(st, false, "            ", kNaturaLabels);
  st << "            ELSE ''" << "        END" << "    ) AS MG13_INDNATURA" << " FROM" << "    MG13_CAUTRASP WITH (NOLOCK)";
  language_join(st, lang, "1001", "MG13_IDPROV");
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_CausaliTrasporto");
  return {};
}

value vettori(lookup& lk, std::span<value> a) { return code_table_lookup(lk, kVettori, a[0]); }
value spedizionieri(lookup& lk, std::span<value> a) { return code_table_lookup(lk, kSpedizionieri, a[0]); }

value operatori(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione"});
  lk.set_title("Elenco Operatori");
  const std::string sort = lk.sort_column(a[0], "MG01_CODICE");
  statement st;
  st << " SELECT" << "    MG01_CODICE," << "    MG01_DESCR" << " FROM" << "    MG01_OPERATORI WITH (NOLOCK)"
     << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Operatori");
  return {};
}

value stato_articolo(lookup& lk, std::span<value> a) {
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco Stati articolo");
  const std::string sort = lk.sort_column(a[0], "MG6W_INDSTATO");
  statement st;
  st.line("SELECT").line("    MG6W_INDSTATO").line("    , MG6W_DESCR").line("FROM").line("    MG6W_STATIART WITH (NOLOCK)");
  st.line("ORDER BY").line("    ") << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_StatoArticolo");
  return {};
}

value opzione_articolo(lookup& lk, std::span<value> a) {
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco varianti articolo");
  const std::string sort = lk.sort_column(a[1], "MG87_OPZIONE_MG5E");
  statement st;
  st.line("SELECT").line("    MG87_OPZIONE_MG5E").line("    , MG87_DESCART").line("FROM");
  st.line("    MG87_ARTDESC WITH (NOLOCK)").line("WHERE");
  // The framework's current company, not CodiceDitta: without an active
  // interface there is none and the operation fails.
  st.line("    MG87_DITTA_CG18 = ").number(DecimalOrZero(lk.company_context()->company_code()));
  st.line("    AND MG87_CODART_MG66 = '").quoted(TextOrEmpty(filter_value(a[0]))) << "'";
  st.line("    AND MG87_LINGUA_MG52 = ''");
  st.line("ORDER BY").line("    ") << sort << " ASC";
  lk.set_statement(st);
  lk.set_id("Lkp_OpzioneArticolo");
  return {};
}

value tipo_documento(lookup& lk, std::span<value> a) {
  const std::string lang = lk.language(lookup::language_source::user);
  lk.set_columns({"Codice", "Descrizione", "Descr. ridotta"});
  lk.set_title("Elenco tipi documento");
  const std::string sort = lk.sort_column(a[0], "DO01_TIPODOC");
  statement st;
  st.line("SELECT").line("    DO01_TIPODOC");
  st.line("    , ISNULL(DESCR.MG0S_DESCRIZIONE,DO01_DESCR)        AS DO01_DESCR");
  st.line("    , ISNULL(DESCRRID.MG0S_DESCRIZIONE,DO01_DESCRRID)  AS DO01_DESCRRID");
  st.line("FROM").line("    DO01_TIPIDOC WITH (NOLOCK)");
  document_descriptions(st, lang, "1033", "1034", "DO01_IDPROV");
  st.line("ORDER BY").line("    ") << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_TipoDocumento");
  return {};
}

value sotto_tipo_documento(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione", "Descr. ridotta", "Tipo stato", "Tipo raggruppamento"});
  lk.set_title("Elenco sottotipi documento");
  // The language is read only once the title is set.
  const std::string lang = lk.language(lookup::language_source::user);
  const std::string sort = lk.sort_column(a[1], "DO02_STIPODOC");
  statement st;
  st.line("SELECT").line("    DO02_STIPODOC");
  st.line("    , ISNULL(DESCR.MG0S_DESCRIZIONE,DO02_DESCR)        AS DO02_DESCR");
  st.line("    , ISNULL(DESCRRID.MG0S_DESCRIZIONE,DO02_DESCRRID)  AS DO02_DESCRRID");
  st.line("    , CASE DO02_INDTIPOSTATO");
  case_branches(st, true, "        ", kStatoLabels);
  st.line("        ELSE ''").line("    END AS DO02_INDTIPOSTATO");
  st.line("    , CASE DO02_INDTIPORAGGR");
  case_branches(st, true, "        ", kRaggrLabels);
  st.line("        ELSE ''").line("    END AS DO02_INDTIPORAGGR");
  st.line("FROM").line("    DO02_STIPIDOC WITH (NOLOCK)");
  document_descriptions(st, lang, "1035", "1036", "DO02_IDPROV");
  st.line("WHERE").line("    DO02_TIPODOC_DO01 = ").number(DecimalOrZero(filter_value(a[0])));
  st.line("ORDER BY").line("    ") << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_SottoTipoDocumento");
  return {};
}

}  // namespace veldrane::lookup_ops
