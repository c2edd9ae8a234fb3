// Reference-table lookups against the stand-in host: operators, brackets,
// expenses, the customer and supplier classification, article states and
// variants, document types, transport reasons, carriers and forwarders.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "convert/value.h"
#include "lookup/lookup.h"
#include "lookup/operations.h"
#include "standin/standin.h"
#include "support/automation_assert.h"

namespace veldrane {
namespace {

using standin::json;
using operation = value (*)(lookup&, std::span<value>);

struct fixture {
  std::shared_ptr<standin::host_platform> platform;
  std::unique_ptr<lookup> lk;

  explicit fixture(json profile) : platform(std::make_shared<standin::host_platform>(std::move(profile))) {
    lk = std::make_unique<lookup>(platform);
    if (auto ai = platform->active_interface()) lk->set_active_interface(ai);
  }

  void call(operation op, std::vector<value> args) { op(*lk, args); }
  std::string sql() const { return to_text(lk->stringa_sql); }
  std::vector<std::string> captions() const {
    std::vector<std::string> out;
    const safe_array& a = lk->array_fields.as_array();
    EXPECT_EQ(a.ubound(1), 1);
    for (std::int32_t c = 0; c <= a.ubound(0); ++c) {
      out.push_back(to_text(a.at({c, 0})));
      EXPECT_EQ(to_text(a.at({c, 1})), "");
    }
    return out;
  }
  void mark_outputs() {
    lk->titolo = value("old title");
    lk->stringa_sql = value("old sql");
    lk->array_fields = value("old fields");
    lk->id_lookup = value("old id");
  }
};

json host_with(json extra) {
  json p = standin::default_profile();
  for (auto& [k, v] : extra.items()) p[k] = v;
  return p;
}

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

std::vector<value> with_sort(std::vector<value> leading, value sort) {
  leading.push_back(std::move(sort));
  return leading;
}

const std::vector<std::string> kCodeDescr = {"Codice", "Descrizione"};

enum class lang_source { none, company, user };

struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;
  const char* title;
  const char* id;
  std::vector<std::string> captions;
  const char* order_tail;  // what " ORDER BY " (or the line form's last line) ends with by default
  bool company_condition;
  lang_source language;
};

// Every operation that works without an active interface.
std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  const value none = value::missing();
  return {
      {"Operatori", operatori, {}, "Elenco Operatori", "Lkp_Operatori", kCodeDescr, " ORDER BY MG01_CODICE", false,
       lang_source::none},
      {"Richiedenti", richiedenti, {}, "Elenco Operatori", "Lkp_Operatori", kCodeDescr, " ORDER BY MG01_CODICE", false,
       lang_source::none},
      {"ScaglioniDiArrotondamento", scaglioni_di_arrotondamento, {}, "Elenco Scaglioni di arrotondamento",
       "Lkp_ScaglioniArrotondamento", kCodeDescr, " ORDER BY MG02_CODICESCAGL", true, lang_source::none},
      {"Spese", spese, {}, "Elenco Spese", "Lkp_SpeseVarie", kCodeDescr, " ORDER BY MG04_CODICE", false,
       lang_source::none},
      {"MacroAree", macro_aree, {none}, "Elenco Macroaree", "Lkp_MacroAree", kCodeDescr, " ORDER BY MG07_MACROAREA",
       true, lang_source::company},
      {"Aree", aree, {none, none}, "Elenco Aree", "Lkp_Aree", kCodeDescr, " ORDER BY MG08_AREA", true,
       lang_source::company},
      {"Zone", zone, {none, none, none}, "Elenco Zone", "Lkp_Zone", kCodeDescr, " ORDER BY MG09_ZONA", true,
       lang_source::company},
      {"MacroCategorie", macro_categorie, {none}, "Elenco Macrocategorie", "Lkp_MacroCategorie", kCodeDescr,
       " ORDER BY MG10_MACROCAT", true, lang_source::company},
      {"Categorie", categorie, {none, none}, "Elenco Categorie", "Lkp_Categorie", kCodeDescr,
       " ORDER BY MG11_CATEG", true, lang_source::company},
      {"SottoCategorie", sotto_categorie, {none, none, none}, "Elenco Sottocategorie", "Lkp_SottoCategorie",
       kCodeDescr, " ORDER BY MG12_SOTTCAT", true, lang_source::company},
      {"StatoArticolo", stato_articolo, {}, "Elenco Stati articolo", "Lkp_StatoArticolo", kCodeDescr,
       "\r\nORDER BY\r\n    MG6W_INDSTATO", false, lang_source::none},
      {"TipoDocumento", tipo_documento, {}, "Elenco tipi documento", "Lkp_TipoDocumento",
       {"Codice", "Descrizione", "Descr. ridotta"}, "\r\nORDER BY\r\n    DO01_TIPODOC", false, lang_source::user},
      {"SottoTipoDocumento", sotto_tipo_documento, {none}, "Elenco sottotipi documento", "Lkp_SottoTipoDocumento",
       {"Codice", "Descrizione", "Descr. ridotta", "Tipo stato", "Tipo raggruppamento"},
       "\r\nORDER BY\r\n    DO02_STIPODOC", false, lang_source::user},
      {"CausaliTrasporto", causali_trasporto, {}, "Elenco Causali trasporto", "Lkp_CausaliTrasporto",
       {"Codice", "Descrizione", "Natura transazione"}, " ORDER BY MG13_CODICE", false, lang_source::company},
      {"Vettori", vettori, {}, "Elenco Vettori", "Lkp_Vettori", {"Codice", "Ragione sociale", "Targa"},
       " ORDER BY MG14_CODICE", false, lang_source::none},
      {"Spedizionieri", spedizionieri, {}, "Elenco Spedizionieri", "Lkp_Spedizionieri",
       {"Codice", "Ragione sociale"}, " ORDER BY MG15_CODICE", false, lang_source::none},
  };
}

// The sort column's tail in the statement: line form puts it on its own
// line after four blanks.
std::string order_prefix(const operation_row& r) {
  const std::string tail = r.order_tail;
  return tail.rfind(" ORDER BY ", 0) == 0 ? " ORDER BY " : "\r\nORDER BY\r\n    ";
}

TEST(ReferenceTableLookups, DefinitionAndSortColumnOfEveryOperation) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    fixture f(nullptr);
    f.lk->set_codice_ditta(7);

    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(to_text(f.lk->titolo), r.title);
    EXPECT_EQ(to_text(f.lk->id_lookup), r.id);
    EXPECT_EQ(f.captions(), r.captions);
    EXPECT_TRUE(ends_with(f.sql(), r.order_tail)) << f.sql();
    EXPECT_FALSE(ends_with(f.sql(), "\r\n"));

    // Only a missing column takes the default: "", Empty and Null stay.
    for (value none : {value(""), value(), value::null()}) {
      f.call(r.op, with_sort(r.leading, none));
      EXPECT_TRUE(ends_with(f.sql(), order_prefix(r))) << f.sql();
    }
    f.call(r.op, with_sort(r.leading, value("X_COL DESC")));
    EXPECT_TRUE(ends_with(f.sql(), order_prefix(r) + "X_COL DESC")) << f.sql();

    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(contains(f.sql(), "_DITTA_CG18 = 7"), r.company_condition) << f.sql();
    EXPECT_EQ(contains(f.sql(), "_DITTA_CG18"), r.company_condition) << f.sql();
    EXPECT_EQ(contains(f.sql(), "MG0S_CODLINGUA_MG52 = 'ITA '"), r.language != lang_source::none) << f.sql();
  }
}

TEST(ReferenceTableLookups, LanguageComesFromTheRightContext) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    fixture f(host_with({{"company", 42}, {"language", "FRA "}, {"userLanguage", "ENG "}}));
    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(contains(f.sql(), "MG0S_CODLINGUA_MG52 = 'FRA '"), r.language == lang_source::company) << f.sql();
    EXPECT_EQ(contains(f.sql(), "MG0S_CODLINGUA_MG52 = 'ENG '"), r.language == lang_source::user) << f.sql();
    EXPECT_EQ(contains(f.sql(), "_DITTA_CG18 = 42"), r.company_condition) << f.sql();
  }
}

// --- Exact texts ------------------------------------------------------------------

TEST(ReferenceTableLookups, CodeTablesExactly) {
  fixture f(nullptr);
  f.lk->set_codice_ditta(3);
  f.call(lookup_ops::spese, {value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG04_CODICE,    MG04_DESCR FROM    MG04_SPESE WITH (NOLOCK) ORDER BY MG04_CODICE");
  f.call(lookup_ops::scaglioni_di_arrotondamento, {value("MG02_DESCRSCAGL")});
  EXPECT_EQ(f.sql(), " SELECT    MG02_CODICESCAGL,    MG02_DESCRSCAGL FROM    MG02_SCAGLDESCR WITH (NOLOCK)"
                     " WHERE    MG02_DITTA_CG18 = 3 ORDER BY MG02_DESCRSCAGL");
  f.call(lookup_ops::vettori, {value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG14_CODICE,    CG16_RAGSOANAG,    MG14_TARGA FROM    MG14_VETTORI WITH (NOLOCK)"
                     " INNER JOIN CG16_ANAGGEN WITH (NOLOCK) ON    MG14_CODICE_CG16 = CG16_CODICE"
                     " ORDER BY MG14_CODICE");
  // The forwarders read the register of parties without the hint.
  f.call(lookup_ops::spedizionieri, {value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG15_CODICE,    CG16_RAGSOANAG FROM    MG15_SPEDIZ WITH (NOLOCK)"
                     " INNER JOIN CG16_ANAGGEN ON    MG15_CODICE_CG16 = CG16_CODICE ORDER BY MG15_CODICE");
}

TEST(ReferenceTableLookups, ClassificationShapeExactly) {
  fixture f(nullptr);
  f.lk->set_codice_ditta(5);
  f.call(lookup_ops::macro_aree, {value(std::int32_t{1}), value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG07_MACROAREA,    MG0S_DESCRIZIONE AS MG07_DESCRMACROAR"
                     " FROM    MG07_MACROAREE WITH (NOLOCK)"
                     " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '"
                     "    AND MG0S_PROVID_FW4A = 1010    AND MG0S_IDPROV = MG07_IDPROV"
                     " WHERE    MG07_DITTA_CG18 = 5 AND    MG07_TIPOCF = 1 ORDER BY MG07_MACROAREA");
  f.call(lookup_ops::categorie, {value(std::int32_t{0}), value("MC1"), value("MG11_DESCRCAT")});
  EXPECT_EQ(f.sql(), " SELECT    MG11_CATEG,    MG0S_DESCRIZIONE AS MG11_DESCRCAT"
                     " FROM    MG11_CATEG WITH (NOLOCK)"
                     " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '"
                     "    AND MG0S_PROVID_FW4A = 1014    AND MG0S_IDPROV = MG11_IDPROV"
                     " WHERE    MG11_DITTA_CG18 = 5 AND    MG11_TIPOCF_MG10 = 0"
                     " AND    MG11_MACROCAT_MG10 = 'MC1' ORDER BY MG11_DESCRCAT");
  f.call(lookup_ops::zone, {value("1"), value("N"), value("NE"), value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG09_ZONA,    MG0S_DESCRIZIONE AS MG09_DESCRZONA"
                     " FROM    MG09_ZONE WITH (NOLOCK)"
                     " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'ITA '"
                     "    AND MG0S_PROVID_FW4A = 1012    AND MG0S_IDPROV = MG09_IDPROV"
                     " WHERE    MG09_DITTA_CG18 = 5 AND    MG09_TIPOCF_MG08 = 1"
                     " AND    MG09_MACROAREA_MG08 = 'N' AND    MG09_AREA_MG08 = 'NE' ORDER BY MG09_ZONA");
}

// Every classification level with its table, provider and parent columns.
TEST(ReferenceTableLookups, ClassificationRows) {
  struct row {
    operation op;
    std::size_t parents;
    std::vector<std::string> parts;
  };
  const row rows[] = {
      {lookup_ops::aree, 1,
       {"MG08_AREE WITH (NOLOCK)", "MG0S_DESCRIZIONE AS MG08_DESCRAREA", "MG0S_PROVID_FW4A = 1011",
        "MG0S_IDPROV = MG08_IDPROV", " WHERE    MG08_DITTA_CG18 = 1 AND    MG08_TIPOCF_MG07 = 1"
        " AND    MG08_MACROAREA_MG07 = 'P1' ORDER BY MG08_AREA"}},
      {lookup_ops::macro_categorie, 0,
       {"MG10_MACROCAT WITH (NOLOCK)", "MG0S_DESCRIZIONE AS MG10_DESCRMACROCAT", "MG0S_PROVID_FW4A = 1013",
        "MG0S_IDPROV = MG10_IDPROV", " WHERE    MG10_DITTA_CG18 = 1 AND    MG10_TIPOCF = 1 ORDER BY MG10_MACROCAT"}},
      {lookup_ops::sotto_categorie, 2,
       {"MG12_SOTTOCAT WITH (NOLOCK)", "MG0S_DESCRIZIONE AS MG12_DESCRSOTTOCAT", "MG0S_PROVID_FW4A = 1015",
        "MG0S_IDPROV = MG12_IDPROV", " WHERE    MG12_DITTA_CG18 = 1 AND    MG12_TIPOCF_MG11 = 1"
        " AND    MG12_MACROCAT_MG11 = 'P1' AND    MG12_CATEG_MG11 = 'P2' ORDER BY MG12_SOTTCAT"}},
  };
  for (const row& r : rows) {
    fixture f(standin::default_profile());
    std::vector<value> args = {value(std::int16_t{1})};
    for (std::size_t p = 0; p < r.parents; ++p) args.push_back(value("P" + std::to_string(p + 1)));
    args.push_back(value::missing());
    f.call(r.op, args);
    for (const std::string& part : r.parts) EXPECT_TRUE(contains(f.sql(), part)) << part << "\n" << f.sql();
  }
}

TEST(ReferenceTableLookups, CustomerOrSupplierIsANumber) {
  struct tipo_case {
    value given;
    const char* written;
  };
  const tipo_case cases[] = {{value::missing(), "0"}, {value(), "0"},   {value::null(), "0"},
                             {value("  "), "0"},      {value(""), "0"}, {value(std::int32_t{1}), "1"},
                             {value("1"), "1"},       {value(true), "-1"}};
  for (const tipo_case& c : cases) {
    SCOPED_TRACE(std::string(c.given.type_name()));
    fixture f(nullptr);
    f.call(lookup_ops::macro_aree, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG07_TIPOCF = ") + c.written + " ORDER BY ")) << f.sql();
    f.call(lookup_ops::categorie, {c.given, value("X"), value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG11_TIPOCF_MG10 = ") + c.written + " AND")) << f.sql();
  }
}

TEST(ReferenceTableLookups, ParentCodesAreTrimmedTextBetweenQuotes) {
  struct code_case {
    value given;
    const char* written;
  };
  const code_case cases[] = {{value(""), ""},         {value(), ""},          {value::null(), ""},
                             {value::missing(), ""},  {value("AB  "), "AB"},  {value(std::int32_t{12}), "12"},
                             {value("O'NE"), "O''NE"}};
  for (const code_case& c : cases) {
    fixture f(nullptr);
    f.call(lookup_ops::aree, {value(std::int32_t{0}), c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG08_MACROAREA_MG07 = '") + c.written + "' ORDER BY ")) << f.sql();
    f.call(lookup_ops::sotto_categorie, {value(std::int32_t{0}), value("M"), c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("' AND    MG12_CATEG_MG11 = '") + c.written + "' ORDER BY ")) << f.sql();
  }
}

TEST(ReferenceTableLookups, ArticleStatesExactly) {
  fixture f(standin::default_profile());
  f.call(lookup_ops::stato_articolo, {value::missing()});
  EXPECT_EQ(f.sql(), "SELECT\r\n    MG6W_INDSTATO\r\n    , MG6W_DESCR\r\nFROM\r\n    MG6W_STATIART WITH (NOLOCK)"
                     "\r\nORDER BY\r\n    MG6W_INDSTATO");
}

TEST(ReferenceTableLookups, ArticleVariantsUseTheHostCompanyAndAscend) {
  fixture f(host_with({{"company", 42}}));
  f.lk->set_codice_ditta(5);  // not used
  f.call(lookup_ops::opzione_articolo, {value("ART 1  "), value::missing()});
  EXPECT_EQ(f.sql(), "SELECT\r\n    MG87_OPZIONE_MG5E\r\n    , MG87_DESCART\r\nFROM\r\n    MG87_ARTDESC WITH (NOLOCK)"
                     "\r\nWHERE\r\n    MG87_DITTA_CG18 = 42\r\n    AND MG87_CODART_MG66 = 'ART 1'"
                     "\r\n    AND MG87_LINGUA_MG52 = ''\r\nORDER BY\r\n    MG87_OPZIONE_MG5E ASC");
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco varianti articolo");
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_OpzioneArticolo");
  EXPECT_EQ(f.captions(), kCodeDescr);
  f.call(lookup_ops::opzione_articolo, {value::null(), value("MG87_DESCART")});
  EXPECT_TRUE(ends_with(f.sql(), "    AND MG87_CODART_MG66 = ''\r\n    AND MG87_LINGUA_MG52 = ''"
                                 "\r\nORDER BY\r\n    MG87_DESCART ASC"))
      << f.sql();
}

// The variants have no company fallback: without a host the operation fails
// once ArrayFields and Titolo are set.
TEST(ReferenceTableLookups, ArticleVariantsFailWithoutHost) {
  for (json profile : {json(nullptr), host_with({{"fail", {"company"}}}), host_with({{"fail", {"environment"}}})}) {
    SCOPED_TRACE(profile.dump());
    fixture f(profile);
    f.lk->set_codice_ditta(5);
    f.mark_outputs();
    EXPECT_THROW(f.call(lookup_ops::opzione_articolo, {value("A"), value::missing()}), automation_error);
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco varianti articolo");
    EXPECT_TRUE(f.lk->array_fields.is_array());
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
  fixture f(nullptr);
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::opzione_articolo, {value("A"), value::missing()}), err::object_not_set);
}

TEST(ReferenceTableLookups, DocumentTypesExactly) {
  fixture f(host_with({{"language", "FRA "}, {"userLanguage", "ENG "}}));
  f.call(lookup_ops::tipo_documento, {value::missing()});
  EXPECT_EQ(f.sql(),
            "SELECT\r\n    DO01_TIPODOC"
            "\r\n    , ISNULL(DESCR.MG0S_DESCRIZIONE,DO01_DESCR)        AS DO01_DESCR"
            "\r\n    , ISNULL(DESCRRID.MG0S_DESCRIZIONE,DO01_DESCRRID)  AS DO01_DESCRRID"
            "\r\nFROM\r\n    DO01_TIPIDOC WITH (NOLOCK)"
            "\r\nLEFT JOIN MG0S_DESLINGUA AS DESCR WITH (NOLOCK) ON\r\n    DESCR.MG0S_CODLINGUA_MG52 = 'ENG '"
            "\r\n    AND DESCR.MG0S_PROVID_FW4A = 1033\r\n    AND DESCR.MG0S_IDPROV = DO01_IDPROV"
            "\r\nLEFT JOIN MG0S_DESLINGUA AS DESCRRID WITH (NOLOCK) ON\r\n    DESCRRID.MG0S_CODLINGUA_MG52 = 'ENG '"
            "\r\n    AND DESCRRID.MG0S_PROVID_FW4A = 1034\r\n    AND DESCRRID.MG0S_IDPROV = DO01_IDPROV"
            "\r\nORDER BY\r\n    DO01_TIPODOC");
}

TEST(ReferenceTableLookups, DocumentSubTypesExactly) {
  fixture f(nullptr);
  f.call(lookup_ops::sotto_tipo_documento, {value("12"), value("DO02_DESCR")});
  EXPECT_EQ(f.sql(),
            "SELECT\r\n    DO02_STIPODOC"
            "\r\n    , ISNULL(DESCR.MG0S_DESCRIZIONE,DO02_DESCR)        AS DO02_DESCR"
            "\r\n    , ISNULL(DESCRRID.MG0S_DESCRIZIONE,DO02_DESCRRID)  AS DO02_DESCRRID"
            "\r\n    , CASE DO02_INDTIPOSTATO"
            "\r\n        WHEN 0 THEN 'Non gestito'\r\n        WHEN 1 THEN 'Fatturato/Da fatt.'"
            "\r\n        WHEN 2 THEN 'Evaso/Da evad.'\r\n        WHEN 3 THEN 'Trasformato/Da trasf.'"
            "\r\n        WHEN 4 THEN 'Aperto/Chiuso'\r\n        ELSE ''\r\n    END AS DO02_INDTIPOSTATO"
            "\r\n    , CASE DO02_INDTIPORAGGR"
            "\r\n        WHEN 0 THEN 'Documenti clienti'\r\n        WHEN 1 THEN 'Documenti fornitori'"
            "\r\n        WHEN 2 THEN 'Documenti cli./forn.'\r\n        WHEN 3 THEN 'Documenti produzione'"
            "\r\n        WHEN 4 THEN 'Documenti interni'\r\n        WHEN 5 THEN 'Altri documenti'"
            "\r\n        ELSE ''\r\n    END AS DO02_INDTIPORAGGR"
            "\r\nFROM\r\n    DO02_STIPIDOC WITH (NOLOCK)"
            "\r\nLEFT JOIN MG0S_DESLINGUA AS DESCR WITH (NOLOCK) ON\r\n    DESCR.MG0S_CODLINGUA_MG52 = 'ITA '"
            "\r\n    AND DESCR.MG0S_PROVID_FW4A = 1035\r\n    AND DESCR.MG0S_IDPROV = DO02_IDPROV"
            "\r\nLEFT JOIN MG0S_DESLINGUA AS DESCRRID WITH (NOLOCK) ON\r\n    DESCRRID.MG0S_CODLINGUA_MG52 = 'ITA '"
            "\r\n    AND DESCRRID.MG0S_PROVID_FW4A = 1036\r\n    AND DESCRRID.MG0S_IDPROV = DO02_IDPROV"
            "\r\nWHERE\r\n    DO02_TIPODOC_DO01 = 12\r\nORDER BY\r\n    DO02_DESCR");
  for (value none : {value(), value::null(), value(""), value::missing()}) {
    f.call(lookup_ops::sotto_tipo_documento, {none, value::missing()});
    EXPECT_TRUE(ends_with(f.sql(), "\r\nWHERE\r\n    DO02_TIPODOC_DO01 = 0\r\nORDER BY\r\n    DO02_STIPODOC"));
  }
}

TEST(ReferenceTableLookups, TransportReasonsExactly) {
  fixture f(host_with({{"language", "DEU "}}));
  f.call(lookup_ops::causali_trasporto, {value::missing()});
  EXPECT_EQ(f.sql(),
            " SELECT    MG13_CODICE,    MG0S_DESCRIZIONE AS MG13_DESCR,    CONVERT(varchar(60),"
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
            "            ELSE ''        END    ) AS MG13_INDNATURA"
            " FROM    MG13_CAUTRASP WITH (NOLOCK)"
            " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON    MG0S_CODLINGUA_MG52 = 'DEU '"
            "    AND MG0S_PROVID_FW4A = 1001    AND MG0S_IDPROV = MG13_IDPROV ORDER BY MG13_CODICE");
}

// --- Failures -------------------------------------------------------------------

// The language is read before anything changes, except for the document
// sub-types, which read it once the title is set.
TEST(ReferenceTableLookups, LanguageFailure) {
  for (const operation_row& r : all_operations()) {
    for (const char* failing : {"language", "userLanguage"}) {
      SCOPED_TRACE(std::string(r.name) + " / " + failing);
      fixture f(host_with({{"fail", {failing}}}));
      f.mark_outputs();
      const bool reads = (r.language == lang_source::company && std::string(failing) == "language") ||
                         (r.language == lang_source::user && std::string(failing) == "userLanguage");
      if (!reads) {
        f.call(r.op, with_sort(r.leading, value::missing()));
        EXPECT_EQ(to_text(f.lk->id_lookup), r.id);
        continue;
      }
      EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r.leading, value::missing())), standin::kHostFailure);
      const bool late = std::string(r.name) == "SottoTipoDocumento";
      EXPECT_EQ(to_text(f.lk->titolo), late ? r.title : "old title");
      EXPECT_EQ(f.lk->array_fields.is_array(), late);
      EXPECT_EQ(f.sql(), "old sql");
      EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
    }
  }
}

// Arguments are converted while the statement is composed.
TEST(ReferenceTableLookups, BadArgumentsStopBeforeTheStatement) {
  struct row {
    const char* name;
    operation op;
    std::vector<value> args;
    std::int32_t error;
  };
  const row rows[] = {
      {"MacroAree TipoCf", lookup_ops::macro_aree, {value("C"), value::missing()}, err::type_mismatch},
      {"Zone TipoCf", lookup_ops::zone, {value("x"), value("A"), value("B"), value::missing()}, err::type_mismatch},
      {"SottoTipoDocumento code", lookup_ops::sotto_tipo_documento, {value("BOL"), value::missing()},
       err::type_mismatch},
      {"Spese sort", lookup_ops::spese, {value("MG04_CODICE; DROP TABLE X")}, err::invalid_argument},
      {"Vettori sort", lookup_ops::vettori, {value("MG14_CODICE /* x")}, err::invalid_argument},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(nullptr);
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(r.op, r.args), r.error);
    EXPECT_NE(to_text(f.lk->titolo), "old title");
    EXPECT_TRUE(f.lk->array_fields.is_array());
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
}

// The company read ignores host failures.
TEST(ReferenceTableLookups, CompanyFailureGivesCompanyZero) {
  fixture f(host_with({{"fail", {"company"}}}));
  f.call(lookup_ops::macro_categorie, {value(std::int32_t{0}), value::missing()});
  EXPECT_TRUE(contains(f.sql(), " WHERE    MG10_DITTA_CG18 = 0 AND    MG10_TIPOCF = 0 ORDER BY ")) << f.sql();
}

}  // namespace
}  // namespace veldrane
