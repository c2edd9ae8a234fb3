// Document-configuration and price-list lookups against the stand-in host.
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

// Every operation with its arguments before CampoOrdinamento and its default
// order. Titles, identifiers, captions and whole texts are in the shared cases.
struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;
  const char* id;
  const char* default_order;
  bool company_condition;
  bool language_join;
};

std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  return {
      {"Documenti", documenti, {value::missing()}, "Lkp_Documenti", "MG36_CODDOCUM, MG36_INDSTAPER", false, true},
      {"DocumentiDitta", documenti_ditta, {}, "Lkp_DocumentiDitta", "MG3G_CODDOCUM_MG36", true, true},
      {"RaggruppamentiFormule", raggruppamenti_formule, {}, "Lkp_RaggruppamentiFormule", "MG3E_CODICE", false,
       false},
      {"Formule", formule, {}, "Lkp_Formule", "MG3F_CODICE", false, false},
      {"TrasformazioneDocumenti", trasformazione_documenti, {value::missing()}, "Lkp_TrasformazioneDocumenti",
       "MG3N_CODTRASFDOC, MG3N_INDSTAPER", false, true},
      {"TrasformazioneDocumentiDitta", trasformazione_documenti_ditta, {}, "Lkp_TrasformazioneDocumentiDitta",
       "MG3T_CODTRASFDOC_MG3N", true, true},
      {"SchedeArticoli", schede_articoli, {}, "Lkp_SchedeArticoli", "MG42_CODSCHEDA", true, false},
      {"ListiniAnagrafica", listini_anagrafica, {value(std::int32_t{1})}, "Lkp_ListiniAnagrafica", "MG44_NUMLIST",
       true, false},
      {"CausaliMagazzino", causali_magazzino, {}, "Lkp_CausaliMagazzino", "MG51_CAUSMAG", false, true},
  };
}

TEST(DocumentLookups, SortColumnCompanyAndLanguageOfEveryOperation) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    fixture f(nullptr);
    f.lk->set_codice_ditta(7);

    // Missing: the default order ends the statement.
    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_TRUE(ends_with(f.sql(), std::string(" ORDER BY ") + r.default_order)) << f.sql();
    f.expect_given_sort_columns(r.op, r.leading, " ORDER BY ");

    // Only the company tables are filtered on the company.
    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(f.sql().find("_DITTA_CG18 = 7") != std::string::npos, r.company_condition) << f.sql();
    EXPECT_EQ(f.sql().find("_DITTA_CG18") != std::string::npos, r.company_condition) << f.sql();
    EXPECT_EQ(f.sql().find("MG0S_CODLINGUA_MG52 = 'ITA '") != std::string::npos, r.language_join)
        << f.sql();
  }
}

TEST(DocumentLookups, ModelKindFilterOnlyWhenSupplied) {
  struct row {
    operation op;
    const char* condition;
  };
  const row rows[] = {{lookup_ops::documenti, " WHERE    MG36_INDSTAPER = "},
                      {lookup_ops::trasformazione_documenti, " WHERE    MG3N_INDSTAPER = "}};
  struct kind_case {
    value given;
    const char* written;  // nullptr: no WHERE at all
  };
  const kind_case cases[] = {
      {value::missing(), nullptr},        {value(std::int32_t{1}), "1"}, {value(std::int16_t{0}), "0"},
      {value(), "0"},                     {value::null(), "0"},          {value("  "), "0"},
      {value("1"), "1"},
  };
  for (const row& r : rows) {
    for (const kind_case& c : cases) {
      SCOPED_TRACE(r.condition + std::string(c.given.type_name()));
      fixture f(nullptr);
      f.call(r.op, {c.given, value::missing()});
      const std::string sql = f.sql();
      if (c.written == nullptr) {
        EXPECT_EQ(sql.find(" WHERE"), std::string::npos) << sql;
      } else {
        EXPECT_NE(sql.find(std::string(r.condition) + c.written + " ORDER BY "), std::string::npos) << sql;
      }
    }
  }
}

TEST(DocumentLookups, ListiniAnagraficaSalesOrPurchases) {
  struct listini_case {
    value given;
    const char* written;
  };
  const listini_case cases[] = {{value(""), "0"},
                                {value("   "), "0"},
                                {value(), "0"},
                                {value::null(), "0"},
                                {value(std::int32_t{1}), "1"},
                                {value("2"), "2"}};
  for (const listini_case& c : cases) {
    fixture f(nullptr);
    f.lk->set_codice_ditta(3);
    f.call(lookup_ops::listini_anagrafica, {c.given, value::missing()});
    EXPECT_EQ(f.sql(),
              std::string(" SELECT    MG44_NUMLIST,    MG44_DESCLIST FROM    MG44_PARMAGLIST WITH (NOLOCK)"
                          " WHERE    MG44_DITTA_CG18 = 3 AND    MG44_FLGVENACQ = ") +
                  c.written + " ORDER BY MG44_NUMLIST");
  }
}

// --- Translated labels --------------------------------------------------------

const json kTranslations = {{"Standard", "Std"}, {"Personalizzato", "Custom"}};

// Only DocumentiDitta and CausaliMagazzino ask the translator; a host that
// knows no translation gives the labels back as they are.
TEST(DocumentLookups, LabelsTranslatedOnlyWhereTheTranslatorIsAsked) {
  const std::string literal = "        WHEN 0 THEN 'Standard'        WHEN 1 THEN 'Personalizzato'    END AS ";
  fixture f(host_with({{"translations", kTranslations}}));
  f.call(lookup_ops::documenti, {value::missing(), value::missing()});
  EXPECT_NE(f.sql().find(literal), std::string::npos) << f.sql();
  f.call(lookup_ops::trasformazione_documenti, {value::missing(), value::missing()});
  EXPECT_NE(f.sql().find(literal), std::string::npos) << f.sql();
  f.call(lookup_ops::trasformazione_documenti_ditta, {value::missing()});
  EXPECT_NE(f.sql().find(literal), std::string::npos) << f.sql();
  f.call(lookup_ops::documenti_ditta, {value::missing()});
  EXPECT_NE(f.sql().find("        WHEN 0 THEN 'Std'        WHEN 1 THEN 'Custom'    END AS "), std::string::npos)
      << f.sql();

  fixture plain(standin::default_profile());
  plain.call(lookup_ops::documenti_ditta, {value::missing()});
  EXPECT_NE(plain.sql().find(literal), std::string::npos) << plain.sql();
  plain.call(lookup_ops::causali_magazzino, {value::missing()});
  EXPECT_NE(plain.sql().find("        WHEN 0 THEN 'Carico'        WHEN 1 THEN 'Scarico'    END AS MG51_CARSCA,"
                             "    CASE MG51_INDMOVQTAVAL        WHEN 1 THEN 'Solo Quantità'"
                             "        WHEN 2 THEN 'Solo Valore'        WHEN 3 THEN 'Quantità e valore'    END AS "),
            std::string::npos)
      << plain.sql();
}

TEST(DocumentLookups, TranslatedLabelWithQuoteStaysOneLiteral) {
  fixture f(host_with({{"translations", {{"Carico", "Car'ico"}, {"Personalizzato", "Pers'"}}}}));
  f.call(lookup_ops::causali_magazzino, {value::missing()});
  EXPECT_NE(f.sql().find("        WHEN 0 THEN 'Car''ico'        WHEN 1 THEN 'Scarico'"), std::string::npos)
      << f.sql();
  f.call(lookup_ops::documenti_ditta, {value::missing()});
  EXPECT_NE(f.sql().find("        WHEN 1 THEN 'Pers'''    END AS"), std::string::npos) << f.sql();
}

// --- Failures -------------------------------------------------------------------

// A failing translator stops the operation after ArrayFields and Titolo.
TEST(DocumentLookups, TranslatorFailureLeavesStatementAndIdentifier) {
  struct row {
    const char* name;
    operation op;
    const char* title;
  };
  const row rows[] = {{"DocumentiDitta", lookup_ops::documenti_ditta, "Elenco Documenti Attivi"},
                      {"CausaliMagazzino", lookup_ops::causali_magazzino, "Elenco Causali di magazzino"}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    fixture f(host_with({{"fail", {"translations"}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(r.op, {value::missing()}), standin::kHostFailure);
    EXPECT_EQ(to_text(f.lk->titolo), r.title);
    EXPECT_TRUE(f.lk->array_fields.is_array());
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
  // The model lookups whose labels are literal never ask the translator.
  fixture f(host_with({{"fail", {"translations"}}}));
  f.call(lookup_ops::trasformazione_documenti_ditta, {value::missing()});
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_TrasformazioneDocumentiDitta");
  f.call(lookup_ops::documenti, {value::missing(), value::missing()});
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_Documenti");
}

// The language code is read before any output changes; the tables without
// translations never read it.
TEST(DocumentLookups, LanguageFailureChangesNothing) {
  for (const char* failing : {"language", "environment"}) {
    for (const operation_row& r : all_operations()) {
      SCOPED_TRACE(std::string(r.name) + " / " + failing);
      fixture f(host_with({{"fail", {failing}}}));
      f.lk->set_codice_ditta(9);
      f.mark_outputs();
      if (r.language_join) {
        EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r.leading, value::missing())), standin::kHostFailure);
        EXPECT_EQ(to_text(f.lk->titolo), "old title");
        EXPECT_EQ(to_text(f.lk->array_fields), "old fields");
        EXPECT_EQ(f.sql(), "old sql");
        EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
      } else {
        f.call(r.op, with_sort(r.leading, value::missing()));
        EXPECT_EQ(to_text(f.lk->id_lookup), r.id);
      }
    }
  }
}

// The company read ignores host failures: 0 when the host cannot tell it.
TEST(DocumentLookups, CompanyFailureGivesCompanyZero) {
  fixture f(host_with({{"fail", {"company"}}}));
  f.call(lookup_ops::schede_articoli, {value::missing()});
  EXPECT_EQ(f.sql(), " SELECT    MG42_CODSCHEDA,    MG42_DESCSCHEDA FROM    MG42_SCHEDANAG WITH (NOLOCK)"
                     " WHERE    MG42_DITTA_CG18 = 0 ORDER BY MG42_CODSCHEDA");
}

// Arguments are converted while the statement is composed: a bad one leaves
// the statement and identifier of the previous call.
TEST(DocumentLookups, BadArgumentsStopBeforeTheStatement) {
  struct row {
    const char* name;
    operation op;
    std::vector<value> args;
    std::int32_t error;
  };
  const row rows[] = {
      {"Documenti kind", lookup_ops::documenti, {value("abc"), value::missing()}, err::type_mismatch},
      {"Trasformazione kind", lookup_ops::trasformazione_documenti, {value("x"), value::missing()},
       err::type_mismatch},
      {"Listini kind", lookup_ops::listini_anagrafica, {value("V"), value::missing()}, err::type_mismatch},
      {"Formule sort", lookup_ops::formule, {value("MG3F_CODICE; DROP TABLE X")}, err::invalid_argument},
      {"CausaliMagazzino sort", lookup_ops::causali_magazzino, {value("MG51_CAUSMAG -- x")},
       err::invalid_argument},
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

}  // namespace
}  // namespace veldrane
