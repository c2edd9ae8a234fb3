// Variant, code and commercial-table lookups against the stand-in host:
// sort columns, company and language, argument conversions, translated
// labels and the outputs left by a failure. Whole texts are in the shared
// cases (tests/cases/variants.json).
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

struct operation_row {
  const char* name;
  operation op;
  std::vector<value> leading;
  const char* default_order;
  const char* company_condition;  // "#" stands for the company; nullptr: rows of every company
  bool language_join;
};

std::string with_company(const char* condition, const char* company) {
  std::string s = condition;
  return s.replace(s.find('#'), 1, company);
}

std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  return {
      {"Opzioni", opzioni, {value("V")}, "MG5E_OPZIONE", "    MG5E_DITTA_CG18 = #", false},
      {"Configuratore", configuratore, {}, "MG5F_CODICEVAR", "    MG5F_DITTA_CG18 = #", false},
      {"RaggruppamentoVarianti", raggruppamento_varianti, {value("V")}, "MG5G_CODRAGGVAR",
       "    MG5G_DITTA_CG18 = #", false},
      {"SubcodiciArticoli", subcodici_articoli, {value(std::int32_t{3})}, "MG6E_DESCR", "    MG6E_DITTA_CG18 = #",
       false},
      {"Precodici", precodici, {}, "MG60_PRECODICE", "    MG60_DITTA_CG18 = #", false},
      {"GruppiFiscali", gruppi_fiscali, {}, "MG61_CODGRUPFIS", "    MG61_DITTA_CG18 = #", true},
      {"TestiFissi", testi_fissi, {}, "MG62_CODICE", nullptr, true},
      {"ClassiDiSconto", classi_di_sconto, {}, "MG63_CODCLASC", "    MG63_DITTA_CG18 = #", false},
      {"CodiciIncoterms", codici_incoterms, {}, "MG0T.MG0T_CODICE", "(MG0T_CODINCOTERMS.MG0T_CODICE,#) AS MG0T",
       false},
      {"Rischio", rischio, {}, "MG2A_CODICE", "    MG2A_DITTA_CG18 = #", true},
      {"CondizioniDiPagamentoEsclusioneRischio", condizioni_di_pagamento_esclusione_rischio, {value("R")},
       "CG62_CODPAG", "    MG2C_DITTA_CG18 = #", false},
      {"Marche", marche, {}, "MG64_CODMARCA", "    MG64_DITTA_CG18 = #", true},
  };
}

TEST(VariantLookups, SortColumnCompanyAndLanguageOfEveryOperation) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    fixture f(nullptr);
    f.lk->set_codice_ditta(7);

    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_TRUE(ends_with(f.sql(), std::string(" ORDER BY ") + r.default_order)) << f.sql();    f.expect_given_sort_columns(r.op, r.leading, " ORDER BY ");

    if (r.company_condition) {
      EXPECT_TRUE(contains(f.sql(), with_company(r.company_condition, "7"))) << f.sql();
    } else {
      EXPECT_FALSE(contains(f.sql(), "WHERE")) << f.sql();
    }
    EXPECT_EQ(contains(f.sql(), "MG0S_CODLINGUA_MG52 = 'ITA '"), r.language_join) << f.sql();

    // With a host: its language, and its company while CodiceDitta is 0.
    fixture h(host_with({{"company", 42}, {"language", "ENG "}, {"userLanguage", "FRA "}}));
    h.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(contains(h.sql(), "MG0S_CODLINGUA_MG52 = 'ENG '"), r.language_join) << h.sql();
    EXPECT_FALSE(contains(h.sql(), "FRA ")) << h.sql();
    if (r.company_condition) {
      EXPECT_TRUE(contains(h.sql(), with_company(r.company_condition, "42"))) << h.sql();
    }
  }
}

TEST(VariantLookups, FailingLanguageReadChangesNothing) {
  for (const operation_row& r : all_operations()) {
    if (!r.language_join) continue;
    SCOPED_TRACE(r.name);
    fixture f(host_with({{"fail", {"language"}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r.leading, value::missing())), standin::kHostFailure);
    EXPECT_EQ(to_text(f.lk->titolo), "old title");
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(to_text(f.lk->array_fields), "old fields");
    EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
  }
}

TEST(VariantLookups, VariantCodeIsTrimmedTextBetweenQuotes) {
  struct code_case {
    value given;
    const char* written;
  };
  const code_case cases[] = {{value(""), "''"},        {value(), "''"},          {value::null(), "''"},
                             {value::missing(), "''"}, {value("AB  "), "'AB'"},  {value(" AB"), "' AB'"},
                             {value(std::int32_t{12}), "'12'"}, {value("O'NE"), "'O''NE'"}};
  for (const code_case& c : cases) {
    SCOPED_TRACE(std::string(c.given.type_name()) + " " + c.written);
    fixture f(nullptr);
    f.call(lookup_ops::opzioni, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG5E_CODICEVAR_MG5F = ") + c.written + " ORDER BY ")) << f.sql();
    f.call(lookup_ops::raggruppamento_varianti, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG5G_CODICEVAR_MG5F = ") + c.written + " ORDER BY ")) << f.sql();
  }
}

TEST(VariantLookups, SubcodeProgressiveIsANumber) {
  struct progr_case {
    value given;
    const char* written;
  };
  const progr_case cases[] = {{value::null(), "0"},          {value(), "0"},     {value::missing(), "0"},
                              {value("  "), "0"},            {value("7"), "7"},  {value(std::int32_t{12}), "12"},
                              {value(2.5), "2.5"}};
  for (const progr_case& c : cases) {
    SCOPED_TRACE(std::string(c.given.type_name()) + " " + c.written);
    fixture f(nullptr);
    f.call(lookup_ops::subcodici_articoli, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG6E_PROGR_MG6F = ") + c.written + " ORDER BY MG6E_DESCR"))
        << f.sql();
  }
}

TEST(VariantLookups, ProgressiveThatIsNoNumberLeavesCaptionsAndTitleOnly) {
  fixture f(nullptr);
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::subcodici_articoli, {value("abc"), value::missing()}),
                          err::type_mismatch);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco Subcodici Articoli");
  EXPECT_EQ(f.columns(), 2u);
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
}

TEST(VariantLookups, RiskCodeIsWrittenAsGivenWithoutConverter) {
  struct code_case {
    value given;
    const char* written;
  };
  const code_case cases[] = {{value::null(), "''"},        {value(), "''"},           {value::missing(), "''"},
                             {value("R1  "), "'R1  '"},    {value("  "), "'  '"},     {value("O'K"), "'O''K'"},
                             {value(std::int32_t{4}), "'4'"}};
  for (const code_case& c : cases) {
    SCOPED_TRACE(std::string(c.given.type_name()) + " " + c.written);
    fixture f(nullptr);
    f.call(lookup_ops::condizioni_di_pagamento_esclusione_rischio, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG2C_CODICE_MG2A = ") + c.written + " ORDER BY CG62_CODPAG"))
        << f.sql();
  }
}

TEST(VariantLookups, RiskLabelsThroughTheTranslator) {
  struct label_case {
    const char* name;
    json profile;
    const char* no;
    const char* si;
  };
  const label_case cases[] = {
      {"no host", nullptr, "'No'", "'Si'"},
      {"host without translations", standin::default_profile(), "'No'", "'Si'"},
      {"translated", host_with({{"translations", {{"No", "Nein"}, {"Si", "Ja"}}}}), "'Nein'", "'Ja'"},
      // A translation with an apostrophe stays one literal.
      {"apostrophe", host_with({{"translations", {{"Si", "Si'"}}}}), "'No'", "'Si'''"},
  };
  for (const label_case& c : cases) {
    SCOPED_TRACE(c.name);
    fixture f(c.profile);
    f.call(lookup_ops::rischio, {value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    CASE MG2A_FLGATTIVO        WHEN 0 THEN ") + c.no +
                                      "        WHEN 1 THEN " + c.si + "    END AS MG2A_ATTIVO FROM"))
        << f.sql();
    EXPECT_FALSE(contains(f.sql(), "ELSE")) << f.sql();
  }
}

TEST(VariantLookups, FailingTranslatorLeavesTheStatementAndIdentifier) {
  fixture f(host_with({{"fail", {"translations"}}}));
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::rischio, {value::missing()}), standin::kHostFailure);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco modalità controllo rischio");
  EXPECT_EQ(f.columns(), 3u);
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
}

TEST(VariantLookups, ConfiguratorMapsTwentyCodesAndNoElse) {
  fixture f(nullptr);
  f.call(lookup_ops::configuratore, {value::missing()});
  const std::string sql = f.sql();
  EXPECT_TRUE(contains(sql, " SELECT    CASE MG5F_CODICEVAR        WHEN 'A0' THEN 1        WHEN 'A1' THEN 2")) << sql;
  EXPECT_TRUE(contains(sql, "        WHEN 'A9' THEN 10        WHEN 'B0' THEN 11")) << sql;
  EXPECT_TRUE(contains(sql, "        WHEN 'B9' THEN 20    END AS MG5F_CODICEVAR,")) << sql;
  // Only the grouping flag has an ELSE.
  EXPECT_EQ(sql.find("ELSE"), sql.rfind("ELSE"));
  EXPECT_TRUE(contains(sql, "        WHEN 1 THEN 'Si'        ELSE 'No'    END AS MG5F_FLGRAGGR FROM")) << sql;
  EXPECT_EQ(f.columns(), 4u);
}

TEST(VariantLookups, FiscalGroupsHaveACaptionPerSelectedColumn) {
  fixture f(nullptr);
  f.call(lookup_ops::gruppi_fiscali, {value::missing()});
  EXPECT_EQ(f.columns(), 2u);
}

TEST(VariantLookups, CompanyFallsBackToZeroWhenTheHostCannotTellIt) {
  fixture f(host_with({{"fail", {"company"}}}));
  f.call(lookup_ops::codici_incoterms, {value::missing()});
  EXPECT_TRUE(contains(f.sql(), "(MG0T_CODINCOTERMS.MG0T_CODICE,0) AS MG0T")) << f.sql();
}

TEST(VariantLookups, RefusedSortColumnRaisesAfterCaptionsAndTitle) {
  fixture f(nullptr);
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::marche, {value("1; DROP TABLE X")}), err::invalid_argument);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco Marche");
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(to_text(f.lk->id_lookup), "old id");
}

}  // namespace
}  // namespace veldrane
