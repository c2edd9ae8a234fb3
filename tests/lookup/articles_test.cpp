// Article lookups against the stand-in host. The exact texts of one call per
// operation and branch are in tests/cases/articles.json; these tests cover
// the host-dependent shape, the failure paths and the edge cases around them.
#include <gtest/gtest.h>

#include <algorithm>
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

using nlohmann::json;
using lookup_ops::articoli_clienti_fornitori;
using lookup_ops::articoli_di_magazzino;

struct article_fixture {
  std::shared_ptr<standin::host_platform> platform;
  std::unique_ptr<lookup> lk;

  explicit article_fixture(json profile) : platform(std::make_shared<standin::host_platform>(std::move(profile))) {
    lk = std::make_unique<lookup>(platform);
    if (auto ai = platform->active_interface()) lk->set_active_interface(ai);
  }

  void articles(value campo = value::missing()) {
    std::vector<value> args{std::move(campo)};
    articoli_di_magazzino(*lk, args);
  }
  void party_articles(value kind, value campo = value::missing()) {
    std::vector<value> args{std::move(kind), std::move(campo)};
    articoli_clienti_fornitori(*lk, args);
  }
  std::string sql() const { return to_text(lk->stringa_sql); }
  std::vector<std::string> captions() const {
    std::vector<std::string> out;
    const safe_array& a = lk->array_fields.as_array();
    for (std::int32_t c = a.lbound(0); c <= a.ubound(0); ++c) out.push_back(to_text(a.at({c, 0})));
    return out;
  }
  std::size_t log_count(const std::string& line) const {
    const auto& log = platform->host_log();
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
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

json parameter_rows(json rows) { return {{"MG50_PARMAGAZ", std::move(rows)}}; }

bool contains(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }
bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The number of items of a select list: commas outside quotes and
// parentheses between `begin` and `end`, plus one.
std::size_t select_width(const std::string& sql, const std::string& begin, const std::string& end) {
  const auto b = sql.find(begin);
  const auto e = sql.find(end);
  EXPECT_NE(b, std::string::npos);
  EXPECT_NE(e, std::string::npos);
  std::size_t items = 1;
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = b + begin.size(); i < e; ++i) {
    const char c = sql[i];
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) ++items;
  }
  return items;
}

constexpr const char* kArticleFrom = " FROM    MG66_ANAGRART WITH (NOLOCK)";
std::size_t article_width(const std::string& sql) { return select_width(sql, " SELECT", kArticleFrom); }

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: the production columns

TEST(articles_lookup, production_columns_come_with_every_value_but_2) {
  struct production_case {
    const char* label;
    json value;
    bool production;
  };
  const std::vector<production_case> cases = {
      {"0", 0, true},          {"1", 1, true},          {"2", 2, false},   {"3", 3, true},
      {"-2", -2, true},        {"text 2", "2", false},  {"absent (Empty)", json(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    json profile = standin::default_profile();
    if (c.value.is_null())
      profile.erase("productionColumns");
    else
      profile["productionColumns"] = c.value;
    article_fixture f(profile);
    f.articles();
    const std::vector<std::string> caps = f.captions();
    ASSERT_EQ(caps.size(), c.production ? 36u : 33u);
    EXPECT_EQ(article_width(f.sql()), caps.size()) << f.sql();
    EXPECT_EQ(caps[32], "Articolo fittizio");
    EXPECT_EQ(contains(f.sql(), " LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON"), c.production);
    EXPECT_EQ(contains(f.sql(), " LEFT OUTER JOIN VPD21_PROVPROD WITH (NOLOCK) ON"), c.production);
    if (c.production) {
      EXPECT_EQ(caps[33], "Disegno");
      EXPECT_EQ(caps[35], "Descrizione provenienza");
      EXPECT_TRUE(contains(f.sql(), "    MG6L_DESCR,   PD18_RIFDIS,    PD18_CODPROV_PD21,    PD21_DESCR FROM"));
      // The production joins come last, after the warehouse parameters.
      EXPECT_LT(f.sql().find("MG50_PARMAGAZ WITH"), f.sql().find("PD18_ARTPROD WITH"));
    } else {
      EXPECT_TRUE(contains(f.sql(), "    MG6L_DESCR" + std::string(kArticleFrom)));
      EXPECT_FALSE(contains(f.sql(), "PD18_") || contains(f.sql(), "PD21_"));
    }
  }
}

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: the hierarchical coding parameter

TEST(articles_lookup, parent_codes_follow_the_company_parameter_row) {
  const std::string hierarchical =
      "    MG54_DITTA_CG18 = MG66_DITTA_CG18 AND    MG54_CODFAM_MG53 = MG66_FAM_MG53 AND    MG54_CODSFAM = "
      "MG66_SFAM_MG54";
  const std::string independent =
      "    MG54_DITTA_CG18 = MG66_DITTA_CG18 AND    MG54_CODFAM_MG53 = '' AND    MG54_CODSFAM = MG66_SFAM_MG54";
  struct parameter_case {
    const char* label;
    json rows;
    std::int32_t codice_ditta;  // 0: the host's current company (1)
    bool hierarchical;
  };
  const std::vector<parameter_case> cases = {
      {"true", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", true}}}), 0, true},
      {"false", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", false}}}), 0, false},
      {"1", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", 1}}}), 0, true},
      {"Null", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", nullptr}}}), 0, false},
      {"no row for the company", json::array({{{"MG50_DITTA_CG18", 2}, {"MG50_INDCODPGER", true}}}), 0, false},
      {"row of CodiceDitta", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", false}},
                                          {{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", true}}}),
       4, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    article_fixture f(host_with({{"database", parameter_rows(c.rows)}}));
    if (c.codice_ditta) f.lk->set_codice_ditta(c.codice_ditta);
    f.articles();
    const std::string sql = f.sql();
    EXPECT_EQ(contains(sql, hierarchical), c.hierarchical) << sql;
    EXPECT_EQ(contains(sql, independent), !c.hierarchical) << sql;
    if (c.hierarchical) {
      EXPECT_TRUE(contains(sql, "    MG55_CODFAM_MG53 = MG66_FAM_MG53 AND    MG55_CODSFAM_MG54 = MG66_SFAM_MG54 AND"
                                "    MG55_CODGRUPPO = MG66_GRUPPO_MG55"));
      EXPECT_TRUE(contains(sql, "    MG56_CODFAM_MG53 = MG66_FAM_MG53 AND    MG56_CODSFAM_MG54 = MG66_SFAM_MG54 AND"
                                "    MG56_CODGRUPPO_MG55 = MG66_GRUPPO_MG55 AND    MG56_CODSGRUPPO = "
                                "MG66_SGRUPPO_MG56"));
      EXPECT_FALSE(contains(sql, "= '' AND    MG5"));
    } else {
      EXPECT_TRUE(contains(sql, "    MG55_CODFAM_MG53 = '' AND    MG55_CODSFAM_MG54 = '' AND"
                                "    MG55_CODGRUPPO = MG66_GRUPPO_MG55"));
      EXPECT_TRUE(contains(sql, "    MG56_CODFAM_MG53 = '' AND    MG56_CODSFAM_MG54 = '' AND"
                                "    MG56_CODGRUPPO_MG55 = '' AND    MG56_CODSGRUPPO = MG66_SGRUPPO_MG56"));
    }
  }
}

TEST(articles_lookup, the_parameter_is_read_for_the_company_and_a_failing_read_counts_as_independent) {
  article_fixture f(host_with({{"database", parameter_rows(json::array({{{"MG50_DITTA_CG18", 9},
                                                                          {"MG50_INDCODPGER", true}}}))}}));
  f.lk->set_codice_ditta(9);
  f.articles();
  const auto& executed = f.platform->executed();
  ASSERT_EQ(executed.size(), 1u);
  EXPECT_TRUE(ends_with(executed[0], "    MG50_DITTA_CG18 = 9"));
  EXPECT_TRUE(ends_with(f.sql(), " WHERE  MG66_DITTA_CG18 = 9 ORDER BY MG66_CODART"));

  // No parameter table at all: the query fails, the levels stand alone.
  article_fixture g(host_with({{"database", json::object()}}));
  g.articles();
  EXPECT_TRUE(contains(g.sql(), "    MG54_CODFAM_MG53 = '' AND"));
}

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: the data-access filter

TEST(articles_lookup, the_filter_flag_appends_the_second_kind_of_clause_before_the_order) {
  const std::string clause = " AND MG66_CODART IN (SELECT X FROM Y)";
  {
    article_fixture f(host_with({{"filtersApply", true}, {"filterClause", " AND MG58_CODDEP = '1'"},
                                 {"filterClause2", clause}}));
    f.articles(value("MG66_CODART DESC"));
    EXPECT_TRUE(ends_with(f.sql(), " WHERE  MG66_DITTA_CG18 = 1" + clause + " ORDER BY MG66_CODART DESC")) << f.sql();
    EXPECT_FALSE(contains(f.sql(), "MG58_CODDEP"));
    EXPECT_EQ(f.log_count("FilterBuilder.Clause2(-1)"), 1u);
    // A second lookup on the same object reuses the builder.
    f.articles();
    EXPECT_EQ(f.log_count("FilterBuilder created"), 1u);
    EXPECT_EQ(f.log_count("FilterBuilder.Clause2(-1)"), 2u);
  }
  {
    article_fixture f(host_with({{"filtersApply", false}, {"filterClause2", clause}}));
    f.articles();
    EXPECT_TRUE(ends_with(f.sql(), " WHERE  MG66_DITTA_CG18 = 1 ORDER BY MG66_CODART")) << f.sql();
    EXPECT_EQ(f.log_count("FilterBuilder created"), 0u);
  }
  {
    // A Null clause adds nothing.
    article_fixture f(host_with({{"filtersApply", true}, {"filterClause2", nullptr}}));
    f.articles();
    EXPECT_TRUE(ends_with(f.sql(), " WHERE  MG66_DITTA_CG18 = 1 ORDER BY MG66_CODART")) << f.sql();
  }
}

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: the extensions

TEST(articles_lookup, extensions_for_entities_5_and_6_add_captions_items_and_joins) {
  json ext1 = {{"captions", {"Uno", "Due"}}, {"select", ", E1.A, E1.B "}, {"from", " LEFT JOIN E1 ON 1 = 1 "}};
  json ext2 = {{"captions", {"Tre"}}, {"select", ", E2.C "}, {"from", " LEFT JOIN E2 ON 1 = 1 "}};
  json other = {{"captions", {"Altro"}}, {"select", ", X.X "}, {"from", " LEFT JOIN X ON 1 = 1 "}};
  for (int production : {0, 2}) {
    SCOPED_TRACE(production);
    article_fixture f(host_with({{"productionColumns", production},
                                 {"extensions", {{"first", {{"5", ext1}, {"2", other}, {"6", other}}},
                                                 {"second", {{"6", ext2}, {"1", other}, {"5", other}}}}}}));
    f.articles();
    const std::vector<std::string> caps = f.captions();
    const std::size_t base = production == 2 ? 33 : 36;
    ASSERT_EQ(caps.size(), base + 3);
    EXPECT_EQ(caps[base], "Uno");
    EXPECT_EQ(caps[base + 2], "Tre");
    EXPECT_EQ(article_width(f.sql()), caps.size()) << f.sql();
    EXPECT_FALSE(contains(f.sql(), "Altro") || contains(f.sql(), "X.X"));
    // The extensions' joins follow the article's own, before the company.
    EXPECT_TRUE(contains(f.sql(), " LEFT JOIN E1 ON 1 = 1  LEFT JOIN E2 ON 1 = 1  WHERE  MG66_DITTA_CG18 = 1"));
    EXPECT_EQ(f.log_count("FirstExtension.Entity=5"), 1u);
    EXPECT_EQ(f.log_count("SecondExtension.Entity=6"), 1u);
    EXPECT_EQ(f.log_count("FirstExtension.Connection=Connection"), 1u);
    EXPECT_EQ(f.log_count("SecondExtension.ActiveInterface=ActiveInterface"), 1u);
  }
  // Without an extension for the entity nothing changes.
  article_fixture plain(standin::default_profile());
  plain.articles();
  EXPECT_EQ(plain.captions().size(), 36u);
  EXPECT_EQ(plain.log_count("FirstExtension.Extend"), 0u);
  EXPECT_EQ(plain.log_count("SecondExtension.Extend"), 1u);
}

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: the sort column

TEST(articles_lookup, only_a_missing_sort_column_takes_the_article_code) {
  struct sort_case {
    const char* label;
    value campo;
    const char* tail;
  };
  const std::vector<sort_case> cases = {
      {"missing", value::missing(), " ORDER BY MG66_CODART"},
      {"empty", value(""), " ORDER BY "},
      {"Empty", value(), " ORDER BY "},
      {"Null", value::null(), " ORDER BY "},
      {"given", value("MG87_DESCART DESC, MG66_CODART"), " ORDER BY MG87_DESCART DESC, MG66_CODART"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    article_fixture f(standin::default_profile());
    f.articles(c.campo);
    EXPECT_TRUE(ends_with(f.sql(), std::string(" WHERE  MG66_DITTA_CG18 = 1") + c.tail)) << f.sql();
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco articoli di magazzino");
    EXPECT_EQ(to_text(f.lk->id_lookup), "Lkp_ArticoliDiMagazzino");
  }
  // A sort column that could end the statement is refused after the title.
  article_fixture f(standin::default_profile());
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.articles(value("1; DROP TABLE MG66_ANAGRART")), 5);
  EXPECT_EQ(f.captions().size(), 36u);
  EXPECT_EQ(to_text(f.lk->titolo), "Elenco articoli di magazzino");
  EXPECT_EQ(f.lk->stringa_sql, value("old sql"));
  EXPECT_EQ(f.lk->id_lookup, value("old id"));
}

// ---------------------------------------------------------------------------
// ArticoliDiMagazzino: failures keep what was assigned before them

TEST(articles_lookup, a_failure_leaves_the_earlier_outputs_new_and_the_later_ones_old) {
  const std::int32_t host_error = standin::kHostFailure;
  struct failure_case {
    const char* label;
    json profile;  // null: no host
    std::int32_t number;
    bool columns_and_title;  // set before the failure
    bool statement_up_to_company;
  };
  const std::vector<failure_case> cases = {
      {"no active interface", nullptr, 91, false, false},
      {"environment", host_with({{"fail", {"environment"}}}), host_error, false, false},
      {"production value", host_with({{"fail", {"productionColumns"}}}), host_error, false, false},
      {"production value Null", host_with({{"productionColumns", nullptr}}), 94, false, false},
      {"extensions", host_with({{"fail", {"extensions"}}}), 429, true, false},
      {"connection", host_with({{"fail", {"connection"}}}), host_error, true, false},
      {"filter flag", host_with({{"fail", {"filtersApply"}}}), host_error, true, true},
      {"filter builder", host_with({{"filtersApply", true}, {"fail", {"filterBuilder"}}}), 429, true, true},
      {"filter clause", host_with({{"filtersApply", true}, {"fail", {"filterClause2"}}}), host_error, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    article_fixture f(c.profile);
    f.mark_outputs();
    EXPECT_AUTOMATION_ERROR(f.articles(), c.number);
    if (c.columns_and_title) {
      EXPECT_EQ(f.captions().size(), 36u);
      EXPECT_EQ(to_text(f.lk->titolo), "Elenco articoli di magazzino");
    } else {
      EXPECT_EQ(f.lk->array_fields, value("old fields"));
      EXPECT_EQ(f.lk->titolo, value("old title"));
    }
    if (c.statement_up_to_company) {
      EXPECT_TRUE(ends_with(f.sql(), "    AND CG18_DITTA = PD18_DITTA_CG18 WHERE  MG66_DITTA_CG18 = 1")) << f.sql();
      EXPECT_TRUE(contains(f.sql(), " SELECT    MG66_CODART,"));
    } else {
      EXPECT_EQ(f.lk->stringa_sql, value("old sql"));
    }
    EXPECT_EQ(f.lk->id_lookup, value("old id"));
  }
}

// ---------------------------------------------------------------------------
// ArticoliClientiFornitori

TEST(party_articles_lookup, the_kind_of_party_sets_captions_title_and_condition) {
  struct kind_case {
    const char* label;
    value kind;
    bool customers;
    const char* written;
  };
  const std::vector<kind_case> cases = {
      {"Empty", value(), true, "0"},
      {"Null", value::null(), true, "0"},
      {"blank", value("   "), true, "0"},
      {"0", value(std::int32_t{0}), true, "0"},
      {"text 0", value("0"), true, "0"},
      {"1", value(std::int32_t{1}), false, "1"},
      {"-1", value(std::int32_t{-1}), false, "-1"},
      {"text 2", value("2"), false, "2"},
      {"missing", value::missing(), true, "0"},
      // Not a number: the operation still succeeds, and lists customers.
      {"not a number", value("abc"), true, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    article_fixture f(standin::default_profile());
    f.party_articles(c.kind);
    const std::vector<std::string> caps = f.captions();
    ASSERT_EQ(caps.size(), 9u);
    EXPECT_EQ(caps[4], c.customers ? "Articolo Cliente" : "Articolo Fornitore");
    EXPECT_EQ(caps[5], c.customers ? "Descrizione articolo cliente" : "Descrizione articolo fornitore");
    EXPECT_EQ(caps[6], c.customers ? "Cliente" : "Fornitore");
    EXPECT_EQ(caps[7], "Ragione sociale");
    EXPECT_EQ(to_text(f.lk->titolo), c.customers ? "Elenco Clienti Articoli" : "Elenco Fornitori Articoli");
    EXPECT_TRUE(ends_with(f.sql(), std::string(" WHERE MG73_DITTA_CG18 = 1  AND MG73_TIPOCF_CG44 = ") + c.written +
                                       " ORDER BY CG16_RAGSOANAG"))
        << f.sql();
    EXPECT_EQ(select_width(f.sql(), "SELECT", " FROM MG73_ARTCLIFOR"), 9u);
    EXPECT_EQ(to_text(f.lk->id_lookup), "ArticoliClientiFornitori");
  }
}

TEST(party_articles_lookup, missing_or_empty_sort_takes_the_business_name) {
  struct sort_case {
    const char* label;
    value campo;
    const char* tail;
  };
  const std::vector<sort_case> cases = {
      {"missing", value::missing(), "= 0 ORDER BY CG16_RAGSOANAG"},
      {"Empty", value(), "= 0 ORDER BY CG16_RAGSOANAG"},
      {"empty text", value(""), "= 0 ORDER BY "},
      {"Null", value::null(), "= 0 ORDER BY "},
      {"given", value("MG73_ARTCLIFOR DESC"), "= 0 ORDER BY MG73_ARTCLIFOR DESC"},
      // A refused one raises before the operation runs (tests/cases/hardening.json).
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    article_fixture f(standin::default_profile());
    f.mark_outputs();
    f.party_articles(value(std::int32_t{0}), c.campo);
    EXPECT_TRUE(ends_with(f.sql(), c.tail)) << f.sql();
    EXPECT_EQ(to_text(f.lk->id_lookup), "ArticoliClientiFornitori");
  }
}

TEST(party_articles_lookup, never_fails_without_a_host_or_with_a_failing_one) {
  for (json profile : {json(nullptr), host_with({{"fail", {"environment"}}}), host_with({{"fail", {"company"}}})}) {
    SCOPED_TRACE(profile.dump());
    article_fixture f(profile);
    f.mark_outputs();
    f.party_articles(value(std::int32_t{1}));
    EXPECT_TRUE(ends_with(f.sql(), " WHERE MG73_DITTA_CG18 = 0  AND MG73_TIPOCF_CG44 = 1 ORDER BY CG16_RAGSOANAG"))
        << f.sql();
    EXPECT_EQ(to_text(f.lk->titolo), "Elenco Fornitori Articoli");
    EXPECT_EQ(f.captions().size(), 9u);
  }
  // A company set on the object needs no host.
  article_fixture f(nullptr);
  f.lk->set_codice_ditta(12);
  f.party_articles(value(std::int32_t{0}));
  EXPECT_TRUE(contains(f.sql(), " WHERE MG73_DITTA_CG18 = 12  AND MG73_TIPOCF_CG44 = 0 "));
}

TEST(party_articles_lookup, the_dated_party_view_stays_apart_from_the_next_join) {
  article_fixture f(standin::default_profile());
  f.party_articles(value(std::int32_t{0}));
  EXPECT_TRUE(contains(f.sql(), "MG73_DITTA_CG18 = CG44_DITTA_CG18  INNER JOIN VCG16_CG44_ALLADATA AS ANAGCF WITH "
                                "(NOLOCK) ON    ANAGCF.VCG16_44_CF_DITTA = CG44_DITTA_CG18"));
  EXPECT_TRUE(contains(f.sql(), "ANAGCF.DATAFINEVALIDITA LEFT OUTER JOIN MG87_ARTDESC ON"));
  EXPECT_TRUE(contains(f.sql(), "MG87_LINGUA_MG52 = ''  WHERE MG73_DITTA_CG18 = "));
}

}  // namespace
}  // namespace veldrane
