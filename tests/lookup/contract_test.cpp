#include <gtest/gtest.h>

#include "lookup/lookup.h"
#include "standin/standin.h"
#include "support/automation_assert.h"

using namespace veldrane;

namespace {

const std::string kOperatori =
    " SELECT    MG01_CODICE,    MG01_DESCR FROM    MG01_OPERATORI WITH (NOLOCK) ORDER BY ";

struct lookup_on_host {
  explicit lookup_on_host(standin::json profile)
      : host(std::make_shared<standin::host_platform>(std::move(profile))), lk(host) {
    if (auto ai = host->active_interface()) lk.set_active_interface(ai);
  }
  value call(std::string_view member, std::vector<value> args = {}) {
    return invoke(lookup::info(), lk, member, member_kind::method, std::move(args));
  }
  std::shared_ptr<standin::host_platform> host;
  lookup lk;
};

TEST(operatori_test, sort_column_missing_given_and_empty) {
  struct {
    std::vector<value> args;
    std::string tail;
  } cases[] = {
      {{}, "MG01_CODICE"},
      {{value::missing()}, "MG01_CODICE"},
      {{value("MG01_DESCR")}, "MG01_DESCR"},
      {{value("MG01_DESCR DESC, MG01_CODICE")}, "MG01_DESCR DESC, MG01_CODICE"},
      {{value("")}, ""},
      {{value()}, ""},        // Empty is not missing
      {{value::null()}, ""},  // nor is Null
  };
  for (const char* member : {"Operatori", "Richiedenti"}) {
    for (bool with_host : {false, true}) {
      for (const auto& c : cases) {
        lookup_on_host t(with_host ? standin::default_profile() : standin::json(nullptr));
        t.call(member, c.args);
        EXPECT_EQ(t.lk.stringa_sql, value(kOperatori + c.tail)) << member << " " << c.tail;
        EXPECT_EQ(t.lk.titolo, value("Elenco Operatori"));
        EXPECT_EQ(t.lk.id_lookup, value("Lkp_Operatori"));
        const auto& a = t.lk.array_fields.as_array();
        EXPECT_EQ(a.ubound(0), 1);
        EXPECT_EQ(a.ubound(1), 1);
        EXPECT_EQ(a.at({0, 0}), value("Codice"));
        EXPECT_EQ(a.at({1, 0}), value("Descrizione"));
        EXPECT_EQ(a.at({0, 1}), value(""));
        EXPECT_EQ(a.at({1, 1}), value(""));
      }
    }
  }
}

TEST(operatori_test, sort_column_that_could_change_the_statement_is_refused) {
  for (const char* bad : {"MG01_CODICE; DROP TABLE MG01_OPERATORI", "MG01_DESCR'", "MG01_CODICE -- x",
                          "MG01_CODICE /* x */"}) {
    lookup_on_host t(nullptr);
    EXPECT_AUTOMATION_ERROR(t.call("Operatori", {value(bad)}), err::invalid_argument);
    // Steps before the sort column ran; the statement and identifier did not.
    EXPECT_EQ(t.lk.titolo, value("Elenco Operatori"));
    EXPECT_EQ(t.lk.stringa_sql, value(""));
    EXPECT_TRUE(t.lk.id_lookup.is_empty());
  }
}

TEST(operatori_test, each_call_overwrites_the_definition) {
  lookup_on_host t(nullptr);
  t.lk.titolo = value("old");
  t.lk.array_fields = value(safe_array({{0, 5}, {0, 2}}));
  t.call("Operatori", {value("MG01_DESCR")});
  t.call("Operatori");
  EXPECT_EQ(t.lk.stringa_sql, value(kOperatori + "MG01_CODICE"));
  EXPECT_EQ(t.lk.array_fields.as_array().ubound(0), 1);
  // The property keeps the text, not the composing buffer's reservation.
  EXPECT_LT(t.lk.stringa_sql.as_string().capacity(), 2 * t.lk.stringa_sql.as_string().size());
}

TEST(codice_ditta_test, stored_value_or_the_framework_company) {
  lookup_on_host t(standin::json{{"company", 7}});
  EXPECT_EQ(t.lk.codice_ditta(), 7);
  t.lk.set_codice_ditta(5);
  EXPECT_EQ(t.lk.codice_ditta(), 5);
  t.lk.set_codice_ditta(0);
  EXPECT_EQ(t.lk.codice_ditta(), 7);

  // Text and blank company codes go through DecimalOrZero.
  EXPECT_EQ(lookup_on_host(standin::json{{"company", "12"}}).lk.codice_ditta(), 12);
  EXPECT_EQ(lookup_on_host(standin::json{{"company", "  "}}).lk.codice_ditta(), 0);
  // Failures on the way read as 0.
  EXPECT_EQ(lookup_on_host(nullptr).lk.codice_ditta(), 0);
  EXPECT_EQ(lookup_on_host(standin::json{{"company", 7}, {"fail", {"company"}}}).lk.codice_ditta(), 0);
  EXPECT_EQ(lookup_on_host(standin::json{{"company", 7}, {"fail", {"environment"}}}).lk.codice_ditta(), 0);
  EXPECT_EQ(lookup_on_host(standin::json{{"company", "abc"}}).lk.codice_ditta(), 0);
}

TEST(language_test, framework_language_or_the_default) {
  EXPECT_EQ(lookup_on_host(nullptr).lk.language(lookup::language_source::company), "ITA ");
  EXPECT_EQ(lookup_on_host(nullptr).lk.language(lookup::language_source::user, "ITA"), "ITA");
  lookup_on_host t(standin::json{{"language", "ENG "}, {"userLanguage", "FRA "}});
  EXPECT_EQ(t.lk.language(lookup::language_source::company), "ENG ");
  EXPECT_EQ(t.lk.language(lookup::language_source::user), "FRA ");
  lookup_on_host failing(standin::json{{"fail", {"language"}}});
  EXPECT_AUTOMATION_ERROR(failing.lk.language(lookup::language_source::company), standin::kHostFailure);
}

TEST(host_binding_test, filter_builder_is_made_and_bound_once) {
  lookup_on_host t(standin::json{{"company", 3}, {"userText1", "U1"}, {"userText4", "U4"}, {"filtersApply", true}});
  t.lk.filter_builder();
  t.lk.set_codice_ditta(9);  // a later change does not reach the builder
  t.lk.filter_builder();
  EXPECT_EQ(t.host->host_log(),
            (std::vector<std::string>{"FilterBuilder created", "FilterBuilder.Connection=Connection",
                                      "FilterBuilder.ConnectionText=Provider=StandIn;Data Source=:memory:",
                                      "FilterBuilder.Text7=U4", "FilterBuilder.Text9=U1", "FilterBuilder.Text11=U1",
                                      "FilterBuilder.Company=3", "FilterBuilder.Flag14=False"}));
}

TEST(host_binding_test, warehouse_parameter_is_false_on_any_failure) {
  auto profile_with = [](standin::json rows) {
    standin::json p = {{"company", 4}};
    p["database"]["MG50_PARMAGAZ"] = std::move(rows);
    return p;
  };
  EXPECT_TRUE(lookup_on_host(profile_with({{{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", true}}})).lk.read_ind_cod_p_ger());
  EXPECT_FALSE(lookup_on_host(profile_with({{{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", false}}})).lk.read_ind_cod_p_ger());
  // No row for the company, a value that is no Boolean, no host, no connection.
  EXPECT_FALSE(lookup_on_host(profile_with({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", true}}})).lk.read_ind_cod_p_ger());
  EXPECT_FALSE(lookup_on_host(profile_with({{{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", "x"}}})).lk.read_ind_cod_p_ger());
  EXPECT_FALSE(lookup_on_host(nullptr).lk.read_ind_cod_p_ger());
  standin::json failing = profile_with({{{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", true}}});
  failing["fail"] = {"connection"};
  EXPECT_FALSE(lookup_on_host(failing).lk.read_ind_cod_p_ger());

  lookup_on_host t(profile_with({{{"MG50_DITTA_CG18", 4}, {"MG50_INDCODPGER", true}}}));
  t.lk.read_ind_cod_p_ger();
  EXPECT_EQ(t.host->executed(),
            (std::vector<std::string>{" SELECT      MG50_INDCODPGER FROM      MG50_PARMAGAZ WHERE    MG50_DITTA_CG18 = 4"}));
}

TEST(host_binding_test, extensions_add_what_they_have_for_the_entity) {
  standin::json p = {{"extensions",
                      {{"first", {{"2", {{"captions", {"Extra"}}, {"select", ", X.COL"}, {"from", " LEFT JOIN X"}}}}},
                       {"second", standin::json::object()}}}};
  lookup_on_host t(p);
  t.lk.set_columns({"Codice"});
  std::string select = "S", from = "F";
  t.lk.first_extension(t.lk.array_fields, select, from, 3);  // nothing for entity 3
  EXPECT_EQ(select, "S");
  EXPECT_EQ(t.lk.array_fields.as_array().ubound(0), 0);
  t.lk.first_extension(t.lk.array_fields, select, from, 2);
  EXPECT_EQ(select, "S, X.COL");
  EXPECT_EQ(from, "F LEFT JOIN X");
  EXPECT_EQ(t.lk.array_fields.as_array().at({1, 0}), value("Extra"));
}

TEST(host_binding_test, labels_translate_only_with_a_host) {
  EXPECT_EQ(lookup_on_host(nullptr).lk.translate_label("Carico"), "Carico");
  lookup_on_host t(standin::json{{"translations", {{"Carico", "Load"}}}});
  EXPECT_EQ(t.lk.translate_label("Carico"), "Load");
  EXPECT_EQ(t.lk.translate_label("Scarico"), "Scarico");
}

}  // namespace
