// Logistics and statistics lookups against the stand-in host: sort columns,
// company and language, argument conversions, the deposit locations' quiet
// failures and the margin-index filters without ORDER BY. Whole texts are in
// the shared cases (tests/cases/logistics.json).
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
  const char* company_column;  // nullptr: rows of every company
  bool language_join;
  const char* order_by = " ORDER BY ";
};

// Every operation that takes a sort column.
std::vector<operation_row> all_operations() {
  using namespace lookup_ops;
  return {
      {"GruppiStatistici1", gruppi_statistici1, {}, "MG74_CODGRUSTAT1", "MG74_DITTA_CG18", true},
      {"GruppiStatistici2", gruppi_statistici2, {}, "MG75_CODGRUSTAT2", "MG75_DITTA_CG18", true},
      {"GruppiStatistici3", gruppi_statistici3, {}, "MG76_CODGRUSTAT3", "MG76_DITTA_CG18", true},
      {"GruppiStatistici4", gruppi_statistici4, {}, "MG77_CODGRUSTAT4", "MG77_DITTA_CG18", true},
      {"FlagsEsclusioneStampa", flags_esclusione_stampa, {}, "MG82_CODICE", nullptr, false},
      {"Porto", porto, {}, "MG91_CODICE", nullptr, false},
      {"TipiSpedizione", tipi_spedizione, {}, "MG93_CODICE", nullptr, false},
      {"Campagne", campagne, {}, "MG94_CODCAMP", "MG94_DITTA_CG18", false},
      {"Imballi", imballi, {}, "MG95_CODICE", nullptr, true},
      {"Confezioni", confezioni, {}, "MG96_CODCONFEZ", "MG96_DITTA_CG18", true, "    ORDER BY "},
      {"Ubicazioni", ubicazioni, {}, "MG97_UBICAZ", "MG97_DITTA_CG18", false},
      {"AspettoDeiBeni", aspetto_dei_beni, {}, "MG99_CODICE", nullptr, true},
      {"Listini99Prezzi", listini99_prezzi, {}, "LI24_CODICE", "LI24_DITTA_CG18", false},
      {"ListiniPiuArticoli", listini_piu_articoli, {}, "LI26_CODICE", "LI26_DITTA_CG18", false},
      {"TestiVari", testi_vari, {value(std::int32_t{1})}, "MG0B_CODTESTO", "MG0B_DITTA_CG18", false},
      {"Basi", basi, {}, "MG0C_CODBASE", "MG0C_DITTA_CG18", false},
      {"ConfezioniArticolo", confezioni_articolo, {value("A"), value("B")}, "MG96_CODCONFEZ", "MG66_DITTA_CG18",
       true},
      {"TipologiaAgente", tipologia_agente, {}, "MG1P_CODICE", "MG1P_DITTA_CG18", false},
      {"UbicazioniDepositi", ubicazioni_depositi, {value("D1")}, "MG97_UBICAZ", "MG97_DITTA_CG18", false},
  };
}

TEST(LogisticsLookups, SortColumnCompanyAndLanguageOfEveryOperation) {
  for (const operation_row& r : all_operations()) {
    SCOPED_TRACE(r.name);
    fixture f(nullptr);
    f.lk->set_codice_ditta(7);

    f.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_TRUE(ends_with(f.sql(), std::string(r.order_by) + r.default_order)) << f.sql();
    f.expect_given_sort_columns(r.op, r.leading, r.order_by);

    if (r.company_column) {
      EXPECT_TRUE(contains(f.sql(), std::string("    ") + r.company_column + " = 7")) << f.sql();
    } else {
      EXPECT_FALSE(contains(f.sql(), "WHERE")) << f.sql();
      EXPECT_FALSE(contains(f.sql(), "DITTA")) << f.sql();
    }
    EXPECT_EQ(contains(f.sql(), "MG0S_CODLINGUA_MG52 = 'ITA '"), r.language_join) << f.sql();

    // With a host: the company context's language, and its company while
    // CodiceDitta is 0.
    fixture h(host_with({{"company", 42}, {"language", "ENG "}, {"userLanguage", "FRA "}}));
    h.call(r.op, with_sort(r.leading, value::missing()));
    EXPECT_EQ(contains(h.sql(), "MG0S_CODLINGUA_MG52 = 'ENG '"), r.language_join) << h.sql();
    EXPECT_FALSE(contains(h.sql(), "FRA ")) << h.sql();
    if (r.company_column) {
      EXPECT_TRUE(contains(h.sql(), std::string(r.company_column) + " = 42")) << h.sql();
    }

    // A company the host cannot tell is 0, not a failure.
    fixture z(host_with({{"fail", {"company"}}}));
    z.call(r.op, with_sort(r.leading, value::missing()));
    if (r.company_column) {
      EXPECT_TRUE(contains(z.sql(), std::string(r.company_column) + " = 0")) << z.sql();
    }
  }
}

TEST(LogisticsLookups, FailingLanguageReadChangesNothing) {
  for (const operation_row& r : all_operations()) {
    if (!r.language_join) continue;
    SCOPED_TRACE(r.name);
    fixture f(host_with({{"fail", {"language"}}}));
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.call(r.op, with_sort(r.leading, value::missing())), standin::kHostFailure);
    f.expect_marked();
  }
}

TEST(LogisticsLookups, DecodedIndicatorHasOneBranchPerLabelAndAnEmptyElse) {
  fixture f(nullptr);
  f.call(lookup_ops::tipi_spedizione, {value::missing()});
  const std::string sql = f.sql();
  EXPECT_TRUE(contains(sql, "    CONVERT(varchar(30),        CASE MG93_INDMODALITA            WHEN 1 THEN ")) << sql;
  EXPECT_TRUE(contains(sql, "            WHEN 8 THEN 'Propulsione propria'            ELSE ''        END    ) AS "
                            "MG93_INDMODALITA FROM"))
      << sql;
  EXPECT_FALSE(contains(sql, "WHEN 9")) << sql;
  EXPECT_EQ(f.columns(), 3u);
  f.call(lookup_ops::porto, {value::missing()});
  EXPECT_TRUE(contains(f.sql(), "WHEN 4 THEN '(F) Franco vettore, franco a bordo'            ELSE ''")) << f.sql();
  EXPECT_FALSE(contains(f.sql(), "WHEN 5")) << f.sql();
}

TEST(LogisticsLookups, TextKindIsANumber) {
  struct kind_case {
    value given;
    const char* written;
  };
  const kind_case cases[] = {{value(), "0"},        {value::null(), "0"}, {value::missing(), "0"},
                             {value("  "), "0"},    {value("2"), "2"},    {value(std::int16_t{3}), "3"}};
  for (const kind_case& c : cases) {
    SCOPED_TRACE(std::string(c.given.type_name()) + " " + c.written);
    fixture f(nullptr);
    f.call(lookup_ops::testi_vari, {c.given, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string(" AND    MG0B_INDTIPO = ") + c.written +
                                      " AND    MG0B_LINGUA_MG52 = '' ORDER BY "))
        << f.sql();
  }
  fixture f(nullptr);
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::testi_vari, {value("abc"), value::missing()}), err::type_mismatch);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco testi vari");
  f.expect_marked(false);
}

TEST(LogisticsLookups, ArticlePacksListTheCommonOnesWithTheVariant) {
  struct pack_case {
    value article;
    value option;
    const char* article_written;
    const char* option_written;
  };
  const pack_case cases[] = {
      {value("ART  "), value("OP1 "), "'ART'", "('', 'OP1')"},
      {value("ART"), value(""), "'ART'", "('', '')"},
      {value::null(), value::null(), "''", "('', '')"},
      {value("O'NE"), value("V'2"), "'O''NE'", "('', 'V''2')"},
  };
  for (const pack_case& c : cases) {
    SCOPED_TRACE(c.article_written);
    fixture f(nullptr);
    f.call(lookup_ops::confezioni_articolo, {c.article, c.option, value::missing()});
    EXPECT_TRUE(contains(f.sql(), std::string("    MG68_OPZIONE_MG5E IN ") + c.option_written +
                                      " INNER JOIN MG96_CONFDESC"))
        << f.sql();
    EXPECT_TRUE(contains(f.sql(), std::string(" AND    MG66_CODART = ") + c.article_written + " ORDER BY ")) << f.sql();
  }
}

TEST(LogisticsLookups, DepositLocationsDoubleQuotesInTheConditionOnly) {
  fixture f(nullptr);
  f.call(lookup_ops::ubicazioni_depositi, {value(" D'1  "), value::missing()});
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco Ubicazioni del deposito  D'1");
  EXPECT_TRUE(contains(f.sql(), " AND    MG97_CODDEP_MG58 = ' D''1' ORDER BY MG97_UBICAZ")) << f.sql();
  EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_Ubicazioni");
}

TEST(LogisticsLookups, DepositLocationsWithoutDepositAreANoOp) {
  safe_array array({{0, 1}});
  for (value none : {value(""), value("   "), value(), value::null(), value::missing(), value(std::move(array))}) {
    SCOPED_TRACE(std::string(none.type_name()));
    fixture f(host_with({{"fail", {"company", "language", "environment"}}}));
    f.mark_outputs();
    f.call(lookup_ops::ubicazioni_depositi, {none, value::missing()});
    f.expect_marked();
  }
}

TEST(LogisticsLookups, DepositLocationsSwallowAFailureAndKeepWhatWasAssigned) {
  fixture f(nullptr);
  f.mark_outputs();
  // The refused sort column fails after the captions and the title.
  f.call(lookup_ops::ubicazioni_depositi, {value("D1"), value("X; DROP TABLE Y")});
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco Ubicazioni del deposito D1");
  EXPECT_EQ(f.columns(), 2u);
  f.expect_marked(false);
}

TEST(LogisticsLookups, MarginFiltersHaveNoOrderByAndKeepTheObjectOneLiteral) {
  struct filter_case {
    std::string given;
    const char* written;
  };
  const filter_case cases[] = {{"FRM", "'FRM'"}, {"", "''"}, {"FRM  ", "'FRM  '"}, {"A'B", "'A''B'"}};
  for (const filter_case& c : cases) {
    SCOPED_TRACE(c.given);
    fixture f(nullptr);
    f.call(lookup_ops::filtri_mov_per_indici_margini, {value(c.given)});
    EXPECT_TRUE(contains(f.sql(), std::string("    AND MG4V_UOBJECT = ") + c.written + "    AND MG4V_ID_FW06 = 0"))
        << f.sql();
    EXPECT_TRUE(ends_with(f.sql(), " GROUP BY    MG4V_SELEZIONE")) << f.sql();
    EXPECT_FALSE(contains(f.sql(), "ORDER BY")) << f.sql();
    EXPECT_EQ(f.columns(), 1u);
  }
}

}  // namespace
}  // namespace veldrane
