// Article lookups: the warehouse article master (descriptions, units,
// classification, statistical groups, brand, intrastat code, state, dates,
// dummy-article class and, where production is installed, the production
// data), and the codes under which customers and suppliers know the
// articles.
#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {
namespace {

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino

// One column of the article list: its caption and the select-list fragments
// that produce it, the last one carrying the separating comma.
struct article_column {
  std::string_view caption;
  std::array<std::string_view, 4> fragments;
};

// How an article's quantity 1 is calculated; code 99 defers to the warehouse
// parameters, whose labels are worded differently.
constexpr std::string_view kQuantityCalculation =
    "    CASE MG66_INDCALCQTA1 WHEN 0 THEN 'Non gestita' WHEN 1 THEN 'Da richiedere' WHEN 2 THEN 'Colli x Pezzi per "
    "confezione' WHEN 3 THEN 'Qta2 x fattore di conversione' WHEN 4 THEN 'Qta2 : fattore di conversione' WHEN 5 "
    "THEN 'Qta cli/for x fatt. conv. cli/for' WHEN 6 THEN 'Qta cli/for : fatt. conv. cli/for' WHEN 99 THEN CASE "
    "MG50_INDCALCQTA1 WHEN 0 THEN 'Non gestita' WHEN 1 THEN 'Da richiedere' WHEN 2 THEN 'Colli x pezzi per "
    "confezione' WHEN 3 THEN 'Qta2 x fatt. di conversione' WHEN 4 THEN 'Qta2 : fatt. di conversione' WHEN 5 THEN "
    "'Qta cli/for x fatt. di conversione cli/for' WHEN 6 THEN 'Qta cli/for : fatt. di conversione cli/for' END END "
    "AS MG66_INDCALCQTA1,";

// The columns every article list has, in select order. The last one closes
// the base list without a comma.
constexpr std::array<article_column, 33> kArticleColumns{{
    {"Codice Articolo", {"    MG66_CODART,"}},
    {"Descrizione", {"    MG87_DESCART,"}},
    {"Descrizione estesa", {"    MG87_DESCARTEST,"}},
    {"Alias", {"    MG66_CODINTERNO,"}},
    {"UM", {"    MG66_UM1,"}},
    {"UM 2", {"    MG66_UM2,"}},
    {"Fatt. conv.", {"    MG66_FATTCONV,"}},
    {"Mod.tà calcolo qta1", {kQuantityCalculation}},
    {"Fam.", {"    MG66_FAM_MG53,"}},
    {"Descrizione famiglia", {"    MG53_DESCRFAM,"}},
    {"S/fam.", {"    MG66_SFAM_MG54,"}},
    {"Descrizione sottofamiglia", {"    MG54_DESCRSFAM,"}},
    {"Gr.", {"    MG66_GRUPPO_MG55,"}},
    {"Descrizione gruppo", {"    MG55_DESCRGRUPPO,"}},
    {"S/gr.", {"    MG66_SGRUPPO_MG56,"}},
    {"Descrizione sottogruppo", {"    MG56_DESCRSGRUPPO,"}},
    {"Gruppo statistico 1", {"    MG66_GRUSTAT1_MG74,"}},
    {"Descrizione gruppo statistico 1", {"    MG74_DESGRUSTAT1,"}},
    {"Gruppo statistico 2", {"    MG66_GRUSTAT2_MG75,"}},
    {"Descrizione gruppo statistico 2", {"    MG75_DESGRUSTAT2,"}},
    {"Gruppo statistico 3", {"    MG66_GRUSTAT3_MG76,"}},
    {"Descrizione gruppo statistico 3", {"    MG76_DESGRUSTAT3,"}},
    {"Gruppo statistico 4", {"    MG66_GRUSTAT4_MG77,"}},
    {"Descrizione gruppo statistico 4", {"    MG77_DESGRUSTAT4,"}},
    {"Marca", {"    MG64_CODMARCA,"}},
    {"Descrizione marca", {"    MG64_DESCRMARCA,"}},
    {"Codice nomenclatura", {"    MG98_NOMENCL,"}},
    {"Stato articolo", {"    MG6W_DESCR,"}},
    {"Articolo in esaurimento",
     {"    CASE MG66_FLGARTESAUR", "    WHEN 1 THEN 'Si'", "    ELSE 'No'", "    END AS MG66_FLGARTESAUR,"}},
    {"Data dismissione", {"    MG66_DTDISMISART,"}},
    {"Data creazione", {"    MG66_DTCREAZ,"}},
    {"Data ultima variazione", {"    MG66_DTULTAGGANAG,"}},
    {"Articolo fittizio", {"    MG6L_DESCR"}},
}};

// The production columns, added unless the host's production-columns value
// is 2. The comma that separates them from the base list opens the first.
constexpr std::array<article_column, 3> kProductionColumns{{
    {"Disegno", {",   PD18_RIFDIS,"}},
    {"Cod. Prov.", {"    PD18_CODPROV_PD21,"}},
    {"Descrizione provenienza", {"    PD21_DESCR"}},
}};

// The value of the host's production-columns setting that leaves the
// production columns out.
constexpr std::int32_t kWithoutProduction = 2;

// A join of the article list: the join fragment and its conditions.
struct article_join {
  std::array<std::string_view, 5> fragments;
};

constexpr std::array<article_join, 2> kDescriptionAndFamily{{
    {{" INNER JOIN MG87_ARTDESC WITH (NOLOCK) ON", "    MG87_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG87_CODART_MG66 = MG66_CODART AND", "    MG87_OPZIONE_MG5E = '' AND", "    MG87_LINGUA_MG52 = ''"}},
    {{" LEFT OUTER JOIN MG53_FAMIGLIE WITH (NOLOCK) ON", "    MG53_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG53_CODFAM = MG66_FAM_MG53"}},
}};

// A classification level below the family. Its parent codes are the
// article's own when the company codes the levels hierarchically, and the
// empty code when each level stands on its own.
struct classification_join {
  std::string_view join;
  std::string_view company;
  std::array<std::string_view, 3> hierarchical;
  std::array<std::string_view, 3> independent;
  std::string_view own_code;
};

constexpr std::array<classification_join, 3> kClassificationJoins{{
    {" LEFT OUTER JOIN MG54_SOTTOFAM WITH (NOLOCK) ON",
     "    MG54_DITTA_CG18 = MG66_DITTA_CG18 AND",
     {"    MG54_CODFAM_MG53 = MG66_FAM_MG53 AND"},
     {"    MG54_CODFAM_MG53 = '' AND"},
     "    MG54_CODSFAM = MG66_SFAM_MG54"},
    {" LEFT OUTER JOIN MG55_GRUPPI WITH (NOLOCK) ON",
     "    MG55_DITTA_CG18 = MG66_DITTA_CG18 AND",
     {"    MG55_CODFAM_MG53 = MG66_FAM_MG53 AND", "    MG55_CODSFAM_MG54 = MG66_SFAM_MG54 AND"},
     {"    MG55_CODFAM_MG53 = '' AND", "    MG55_CODSFAM_MG54 = '' AND"},
     "    MG55_CODGRUPPO = MG66_GRUPPO_MG55"},
    {" LEFT OUTER JOIN MG56_SOTTOGRUPPI WITH (NOLOCK) ON",
     "    MG56_DITTA_CG18 = MG66_DITTA_CG18 AND",
     {"    MG56_CODFAM_MG53 = MG66_FAM_MG53 AND", "    MG56_CODSFAM_MG54 = MG66_SFAM_MG54 AND",
      "    MG56_CODGRUPPO_MG55 = MG66_GRUPPO_MG55 AND"},
     {"    MG56_CODFAM_MG53 = '' AND", "    MG56_CODSFAM_MG54 = '' AND", "    MG56_CODGRUPPO_MG55 = '' AND"},
     "    MG56_CODSGRUPPO = MG66_SGRUPPO_MG56"},
}};

constexpr std::array<article_join, 9> kOtherJoins{{
    {{" LEFT OUTER JOIN MG74_GRUSTAT1 WITH (NOLOCK) ON", "    MG74_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG74_CODGRUSTAT1 = MG66_GRUSTAT1_MG74"}},
    {{" LEFT OUTER JOIN MG75_GRUSTAT2 WITH (NOLOCK) ON", "    MG75_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG75_CODGRUSTAT2 = MG66_GRUSTAT2_MG75"}},
    {{" LEFT OUTER JOIN MG76_GRUSTAT3 WITH (NOLOCK) ON", "    MG76_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG76_CODGRUSTAT3 = MG66_GRUSTAT3_MG76"}},
    {{" LEFT OUTER JOIN MG77_GRUSTAT4 WITH (NOLOCK) ON", "    MG77_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG77_CODGRUSTAT4 = MG66_GRUSTAT4_MG77"}},
    // Article states and dummy-article classes are shared by all companies.
    {{" LEFT OUTER JOIN MG6W_STATIART WITH (NOLOCK) ON", "    MG66_INDSTATO_MG6W = MG6W_INDSTATO"}},
    {{" LEFT OUTER JOIN MG64_MARCHEART WITH (NOLOCK) ON", "    MG64_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    MG64_CODMARCA = MG66_MARCA_MG64"}},
    {{" LEFT OUTER JOIN MG6L_CLASSARTFITZ WITH (NOLOCK) ON", "    MG6L_INDFITTIZIO = MG66_INDFITTIZIO"}},
    {{" LEFT OUTER JOIN MG98_MAGINTRA WITH (NOLOCK) ON",
      "    MG66_DITTA_CG18 = MG98_DITTA_CG18 AND MG66_CODART = MG98_CODART_MG66"}},
    // The warehouse parameters, for the quantity-1 calculation they decide.
    {{" LEFT OUTER JOIN MG50_PARMAGAZ WITH (NOLOCK) ON", "    MG66_DITTA_CG18 = MG50_DITTA_CG18"}},
}};

constexpr std::array<article_join, 2> kProductionJoins{{
    {{" LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON", "    PD18_DITTA_CG18 = MG66_DITTA_CG18 AND",
      "    PD18_CODART_MG66 = MG66_CODART"}},
    {{" LEFT OUTER JOIN VPD21_PROVPROD WITH (NOLOCK) ON", "    PD21_CODPROV = PD18_CODPROV_PD21",
      "    AND CG18_DITTA = PD18_DITTA_CG18"}},
}};

template <std::size_t N>
void append_fragments(statement& st, const std::array<std::string_view, N>& fragments) {
  for (std::string_view f : fragments) st << f;
}

template <std::size_t N>
void append_columns(statement& st, const std::array<article_column, N>& columns) {
  for (const article_column& c : columns) append_fragments(st, c.fragments);
}

template <std::size_t N>
void append_joins(statement& st, const std::array<article_join, N>& joins) {
  for (const article_join& j : joins) append_fragments(st, j.fragments);
}

// ---------------------------------------------------------------------------
// ArticoliClientiFornitori. Its fragments end with their blank instead of
// beginning with one.

constexpr std::array<std::string_view, 9> kCustomerCaptions = {
    "Articolo",         "Variante",     "Descrizione",     "Descrizione estesa", "Articolo Cliente",
    "Descrizione articolo cliente", "Cliente", "Ragione sociale", "Pref."};
constexpr std::array<std::string_view, 9> kSupplierCaptions = {
    "Articolo",           "Variante",  "Descrizione",     "Descrizione estesa", "Articolo Fornitore",
    "Descrizione articolo fornitore", "Fornitore", "Ragione sociale", "Pref."};

constexpr std::array<std::string_view, 8> kPartyArticleFragments = {
    "SELECT MG73_CODART_MG66, MG73_OPZIONE_MG5E, MG87_DESCART,MG87_DESCARTEST, ",
    "MG73_ARTCLIFOR, MG73_DESCARTCF, ",
    "MG73_CLIFOR_CG44, CG16_RAGSOANAG, ",
    "CASE MG73_FLGFORPREF WHEN 0 THEN 'No' ELSE 'Si' END AS PREFERENZIALE ",
    // The party codes and the party register are read without NOLOCK.
    "FROM MG73_ARTCLIFOR INNER JOIN CG44_CLIFOR ",
    "ON MG73_CLIFOR_CG44 = CG44_CLIFOR AND ",
    "MG73_TIPOCF_CG44 = CG44_TIPOCF AND MG73_DITTA_CG18 = CG44_DITTA_CG18 ",
    // The party's master data as valid today.
    " INNER JOIN VCG16_CG44_ALLADATA AS ANAGCF WITH (NOLOCK) ON",
};
constexpr std::array<std::string_view, 5> kPartyValidityFragments = {
    "    ANAGCF.VCG16_44_CF_DITTA = CG44_DITTA_CG18",
    "    AND ANAGCF.VCG16_44_CF_TIPOCF = CG44_TIPOCF",
    "    AND ANAGCF.VCG16_44_CF_CLIFOR = CG44_CLIFOR",
    // The blank that ends this condition keeps the next join apart from it.
    "    AND dbo.TMS_GETDATE() BETWEEN ANAGCF.DATAINIZIOVALIDITA AND ANAGCF.DATAFINEVALIDITA ",
    // The variant's own description in the base language, without NOLOCK.
    "LEFT OUTER JOIN MG87_ARTDESC ON MG87_DITTA_CG18 = MG73_DITTA_CG18 AND MG87_CODART_MG66 = MG73_CODART_MG66 AND "
    "MG87_OPZIONE_MG5E = MG73_OPZIONE_MG5E AND MG87_LINGUA_MG52 = '' ",
};

}  // namespace

value articoli_di_magazzino(lookup& lk, std::span<value> a) {
  // The production columns come with the production module; the host's
  // setting is read once, so that the captions, the select list and the
  // joins always agree on it.
  const bool production = to_long(lk.environment()->production_columns()) != kWithoutProduction;

  std::array<std::string_view, kArticleColumns.size() + kProductionColumns.size()> captions{};
  std::size_t n = 0;
  for (const article_column& c : kArticleColumns) captions[n++] = c.caption;
  if (production)
    for (const article_column& c : kProductionColumns) captions[n++] = c.caption;
  lk.set_columns(std::span<const std::string_view>(captions.data(), n));
  lk.set_title("Elenco articoli di magazzino");
  const std::string sort = lk.sort_column(a[0], "MG66_CODART");

  statement select_list;
  select_list << " SELECT";
  append_columns(select_list, kArticleColumns);
  if (production) append_columns(select_list, kProductionColumns);

  statement from_clause;
  from_clause << " FROM" << "    MG66_ANAGRART WITH (NOLOCK)";
  append_joins(from_clause, kDescriptionAndFamily);
  const bool hierarchical = lk.read_ind_cod_p_ger();
  for (const classification_join& j : kClassificationJoins) {
    from_clause << j.join << j.company;
    for (std::string_view parent : hierarchical ? j.hierarchical : j.independent) from_clause << parent;
    from_clause << j.own_code;
  }
  append_joins(from_clause, kOtherJoins);
  if (production) append_joins(from_clause, kProductionJoins);

  // Installed extensions may add columns: captions to ArrayFields, items to
  // the select list and joins to the FROM clause.
  std::string select_text = select_list.take();
  std::string from_text = from_clause.take();
  lk.first_extension(lk.array_fields, select_text, from_text, 5);
  lk.second_extension(lk.array_fields, select_text, from_text, 6);

  statement st;
  st << select_text << from_text;
  company_filter(st, " WHERE  MG66_DITTA_CG18 = ", lk.codice_ditta());
  // Stored before the host is asked for the filter, so that a failing host
  // leaves this much in StringaSQL.
  lk.store_so_far(st);
  if (to_bool(lk.environment()->filters_apply())) st.text(lk.filter_builder().filter_clause2(-1));
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_ArticoliDiMagazzino");
  return {};
}

value articoli_clienti_fornitori(lookup& lk, std::span<value> a) {
  // Never fails: every step that raises is skipped. A ClienteFornitore that
  // is not a number lists customers, like 0, so that the captions, the title
  // and the condition on the kind of party agree.
  value kind(std::int16_t{0});
  skip_on_error<std::exception>([&] { kind = DecimalOrZero(a[0]); });
  const bool customers = to_decimal(kind).is_zero();

  lk.set_columns(customers ? kCustomerCaptions : kSupplierCaptions);
  lk.set_title(customers ? "Elenco Clienti Articoli" : "Elenco Fornitori Articoli");

  // Only the default replaces a missing or Empty sort column. A refused one
  // never gets here: it raises before the operation runs.
  const std::string sort = lk.sort_column(a[1], "CG16_RAGSOANAG", sort_default::empty);

  statement st;
  for (std::string_view f : kPartyArticleFragments) st << f;
  for (std::string_view f : kPartyValidityFragments) st << f;
  company_filter(st, " WHERE MG73_DITTA_CG18 = ", lk.codice_ditta());
  st << " " << " AND MG73_TIPOCF_CG44 = ";
  st.number(kind);
  st << " ";
  st << "ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("ArticoliClientiFornitori");
  return {};
}

}  // namespace veldrane::lookup_ops
