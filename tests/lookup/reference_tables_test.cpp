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
#include "support/fixtures.h"

namespace veldrane {
namespace {

using operation = lookup_fixture::operation;

using fixture = lookup_fixture;

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

    f.expect_given_sort_columns(r.op, r.leading, order_prefix(r));

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

// --- Arguments and the host company ------------------------------------------------

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
