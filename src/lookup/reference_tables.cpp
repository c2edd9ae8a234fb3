// Lookups over the small reference tables: operators, rounding brackets,
// expenses, the geographic and commercial classification of customers and
// suppliers, article states and variants, document types, transport reasons,
// carriers and forwarders.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

namespace {

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

}  // namespace

constexpr table kOperatori{
    "Elenco Operatori", "Lkp_Operatori", "MG01_CODICE", {"Codice", "Descrizione"},
    "    MG01_CODICE," "    MG01_DESCR", "    MG01_OPERATORI WITH (NOLOCK)"};
value operatori(lookup& lk, std::span<value> a) { return describe(lk, a, kOperatori); }

constexpr table kScaglioni{
    "Elenco Scaglioni di arrotondamento", "Lkp_ScaglioniArrotondamento", "MG02_CODICESCAGL", {"Codice", "Descrizione"},
    "    MG02_CODICESCAGL," "    MG02_DESCRSCAGL", "    MG02_SCAGLDESCR WITH (NOLOCK)",
    {{{"    MG02_DITTA_CG18 = ", way::company}}}};
value scaglioni_di_arrotondamento(lookup& lk, std::span<value> a) { return describe(lk, a, kScaglioni); }

constexpr table kSpese{
    "Elenco Spese", "Lkp_SpeseVarie", "MG04_CODICE", {"Codice", "Descrizione"},
    "    MG04_CODICE," "    MG04_DESCR", "    MG04_SPESE WITH (NOLOCK)"};
value spese(lookup& lk, std::span<value> a) { return describe(lk, a, kSpese); }

constexpr table kVettori{
    "Elenco Vettori", "Lkp_Vettori", "MG14_CODICE", {"Codice", "Ragione sociale", "Targa"},
    "    MG14_CODICE," "    CG16_RAGSOANAG," "    MG14_TARGA",
    "    MG14_VETTORI WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN WITH (NOLOCK) ON" "    MG14_CODICE_CG16 = CG16_CODICE"};
value vettori(lookup& lk, std::span<value> a) { return describe(lk, a, kVettori); }

// The register of parties is read here without the NOLOCK hint.
constexpr table kSpedizionieri{
    "Elenco Spedizionieri", "Lkp_Spedizionieri", "MG15_CODICE", {"Codice", "Ragione sociale"},
    "    MG15_CODICE," "    CG16_RAGSOANAG",
    "    MG15_SPEDIZ WITH (NOLOCK)" " INNER JOIN CG16_ANAGGEN ON" "    MG15_CODICE_CG16 = CG16_CODICE"};
value spedizionieri(lookup& lk, std::span<value> a) { return describe(lk, a, kSpedizionieri); }

// The geographic (macro areas, areas, zones) and commercial (macro
// categories, categories, sub-categories) classification of customers and
// suppliers: one table per level, filtered on the company, on customer or
// supplier (TipoCf) and on the codes of the levels above. The description
// exists only in the translation table.
constexpr table kMacroAree{
    "Elenco Macroaree", "Lkp_MacroAree", "MG07_MACROAREA", {"Codice", "Descrizione"},
    "    MG07_MACROAREA," "    MG0S_DESCRIZIONE AS MG07_DESCRMACROAR", "    MG07_MACROAREE WITH (NOLOCK)",
    {{{"    MG07_DITTA_CG18 = ", way::company}, {"    MG07_TIPOCF = ", way::number, 0}}},
    "1010", "MG07_IDPROV"};
value macro_aree(lookup& lk, std::span<value> a) { return describe(lk, a, kMacroAree); }

constexpr table kAree{
    "Elenco Aree", "Lkp_Aree", "MG08_AREA", {"Codice", "Descrizione"},
    "    MG08_AREA," "    MG0S_DESCRIZIONE AS MG08_DESCRAREA", "    MG08_AREE WITH (NOLOCK)",
    {{{"    MG08_DITTA_CG18 = ", way::company},
      {"    MG08_TIPOCF_MG07 = ", way::number, 0},
      {"    MG08_MACROAREA_MG07 = '", way::quoted, 1}}},
    "1011", "MG08_IDPROV"};
value aree(lookup& lk, std::span<value> a) { return describe(lk, a, kAree); }

constexpr table kZone{
    "Elenco Zone", "Lkp_Zone", "MG09_ZONA", {"Codice", "Descrizione"},
    "    MG09_ZONA," "    MG0S_DESCRIZIONE AS MG09_DESCRZONA", "    MG09_ZONE WITH (NOLOCK)",
    {{{"    MG09_DITTA_CG18 = ", way::company},
      {"    MG09_TIPOCF_MG08 = ", way::number, 0},
      {"    MG09_MACROAREA_MG08 = '", way::quoted, 1},
      {"    MG09_AREA_MG08 = '", way::quoted, 2}}},
    "1012", "MG09_IDPROV"};
value zone(lookup& lk, std::span<value> a) { return describe(lk, a, kZone); }

constexpr table kMacroCategorie{
    "Elenco Macrocategorie", "Lkp_MacroCategorie", "MG10_MACROCAT", {"Codice", "Descrizione"},
    "    MG10_MACROCAT," "    MG0S_DESCRIZIONE AS MG10_DESCRMACROCAT", "    MG10_MACROCAT WITH (NOLOCK)",
    {{{"    MG10_DITTA_CG18 = ", way::company}, {"    MG10_TIPOCF = ", way::number, 0}}},
    "1013", "MG10_IDPROV"};
value macro_categorie(lookup& lk, std::span<value> a) { return describe(lk, a, kMacroCategorie); }

constexpr table kCategorie{
    "Elenco Categorie", "Lkp_Categorie", "MG11_CATEG", {"Codice", "Descrizione"},
    "    MG11_CATEG," "    MG0S_DESCRIZIONE AS MG11_DESCRCAT", "    MG11_CATEG WITH (NOLOCK)",
    {{{"    MG11_DITTA_CG18 = ", way::company},
      {"    MG11_TIPOCF_MG10 = ", way::number, 0},
      {"    MG11_MACROCAT_MG10 = '", way::quoted, 1}}},
    "1014", "MG11_IDPROV"};
value categorie(lookup& lk, std::span<value> a) { return describe(lk, a, kCategorie); }

constexpr table kSottoCategorie{
    "Elenco Sottocategorie", "Lkp_SottoCategorie", "MG12_SOTTCAT", {"Codice", "Descrizione"},
    "    MG12_SOTTCAT," "    MG0S_DESCRIZIONE AS MG12_DESCRSOTTOCAT", "    MG12_SOTTOCAT WITH (NOLOCK)",
    {{{"    MG12_DITTA_CG18 = ", way::company},
      {"    MG12_TIPOCF_MG11 = ", way::number, 0},
      {"    MG12_MACROCAT_MG11 = '", way::quoted, 1},
      {"    MG12_CATEG_MG11 = '", way::quoted, 2}}},
    "1015", "MG12_IDPROV"};
value sotto_categorie(lookup& lk, std::span<value> a) { return describe(lk, a, kSottoCategorie); }

// The transaction nature of a transport reason, named by its label.
constexpr table kCausaliTrasporto{
    "Elenco Causali trasporto", "Lkp_CausaliTrasporto", "MG13_CODICE", {"Codice", "Descrizione", "Natura transazione"},
    "    MG13_CODICE,"
    "    MG0S_DESCRIZIONE AS MG13_DESCR,"
    "    CONVERT(varchar(60),"
    "        CASE MG13_INDNATURA"
    "            WHEN 1 THEN 'Acquisto o vendita'"
    "            WHEN 2 THEN 'Restituzione o sostituzione'"
    "            WHEN 3 THEN 'Aiuti governativi privati o finanziati dalla CE'"
    "            WHEN 4 THEN 'Operazione in vista di lavorazione c/terzi'"
    "            WHEN 5 THEN 'Operazione successiva a lavorazione c/terzi'"
    "            WHEN 6 THEN 'Movimento di merci senza trasformazione proprietà'"
    "            WHEN 7 THEN 'Operazione di programma comune di difesa'"
    "            WHEN 8 THEN 'Fornitura di materiali su contratto gen. di costruzione'"
    "            WHEN 9 THEN 'Altre transazioni'"
    "            WHEN 10 THEN '(Z) Prestazioni di servizi esclusi dal modello'"
    "            WHEN 21 THEN '(A) Acquisto o vendita'"
    "            WHEN 22 THEN '(B) Restituzione o sostituzione'"
    "            WHEN 23 THEN '(C) Aiuti governativi privati o finanziati dalla CE'"
    "            WHEN 24 THEN '(D) Operazione in vista di lavorazione c/terzi'"
    "            WHEN 25 THEN '(E) Operazione successiva a lavorazione c/terzi'"
    "            WHEN 26 THEN '(F) Movimento di merci senza trasformazione proprietà'"
    "            WHEN 27 THEN '(G) Operazione di programma comune di difesa'"
    "            WHEN 28 THEN '(H) Fornitura di materiali su contratto gen. di costruzione'"
    "            WHEN 29 THEN '(I) Altre transazioni'"
    "            ELSE ''"
    "        END"
    "    ) AS MG13_INDNATURA",
    "    MG13_CAUTRASP WITH (NOLOCK)",
    {},
    "1001", "MG13_IDPROV"};
value causali_trasporto(lookup& lk, std::span<value> a) { return describe(lk, a, kCausaliTrasporto); }

// Requesters are the operators: same definition, identifier included.
value richiedenti(lookup& lk, std::span<value> a) { return operatori(lk, a); }

value stato_articolo(lookup& lk, std::span<value> a) {
  lk.set_columns(kCodeDescr);
  lk.set_title("Elenco Stati articolo");
  const std::string sort = lk.sort_column(a[0], "MG6W_INDSTATO");
  statement st;
  st.line("SELECT").line("    MG6W_INDSTATO").line("    , MG6W_DESCR");
  st.line("FROM").line("    MG6W_STATIART WITH (NOLOCK)");
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
  case_branches(st, kStatoLabels);
  st.line("        ELSE ''").line("    END AS DO02_INDTIPOSTATO");
  st.line("    , CASE DO02_INDTIPORAGGR");
  case_branches(st, kRaggrLabels);
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
