// Public-administration office and reference, fictitious-article, option,
// parameter, tax-group and supply-chain lookups against the stand-in host.
// The exact texts of one call per operation are in
// tests/cases/public_admin.json; these tests cover the host interaction and
// the failure paths around them.
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

struct pa_fixture : lookup_fixture {
  explicit pa_fixture(json profile = nullptr) : lookup_fixture(std::move(profile)) {}
  std::string title() const { return to_text(lk->titolo); }
  std::string id() const { return to_text(lk->id_lookup); }
  std::int32_t columns() const { return lk->array_fields.as_array().ubound(0) + 1; }
};

value n(std::int32_t v) { return value(v); }
const value kMissing = value::missing();

// ---------------------------------------------------------------------------
// Offices of a party: the electronic-invoicing kind read from the host.

json invoicing_rows(json rows) { return {{"CG1O_DATIGESTANAG", std::move(rows)}}; }

TEST(public_admin_lookups, invoicing_kind_query_and_its_answer) {
  struct row {
    const char* label;
    json database;
    const char* kind;
  };
  const std::vector<row> rows = {
      {"row of the party", invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 1}, {"CG1O_INDTYPEB2B", 2}}}),
       "2"},
      {"row of the other kind only",
       invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 0}, {"CG1O_INDTYPEB2B", 2}}}), "0"},
      {"kind as text", invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 1}, {"CG1O_INDTYPEB2B", "3"}}}),
       "3"},
      {"kind Null", invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 1}, {"CG1O_INDTYPEB2B", nullptr}}}),
       "0"},
      {"kind no number",
       invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 1}, {"CG1O_INDTYPEB2B", "x"}}}), "0"},
      {"no such table", json::object(), "0"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    pa_fixture f(host_with({{"database", r.database}}));
    f.call(lookup_ops::uffici_pa_cli_for, {n(12), n(1), kMissing});
    ASSERT_EQ(f.platform->executed().size(), 1u);
    EXPECT_EQ(f.platform->executed()[0],
              "SELECT CG1O_INDTYPEB2B FROM CG1O_DATIGESTANAG WHERE CG1O_CODICE_CG16 = 12 AND CG1O_TIPOCF_CG44 = 1");
    EXPECT_TRUE(contains(f.sql(), std::string(" AND CG1M_INDTYPEB2B = ") + r.kind + " AND CG1M_CODDESTIN = '' "))
        << f.sql();
    EXPECT_EQ(f.id(), "Lkp_UfficiPACliFor");
  }
}

TEST(public_admin_lookups, office_lookups_go_on_past_every_host_failure) {
  const json database =
      invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 0}, {"CG1O_INDTYPEB2B", 2}}});
  for (json fail : {json::array({"connection"}), json::array({"environment"}), json::array({"translations"}),
                    json::array({"connection", "environment", "translations", "company"})}) {
    SCOPED_TRACE(fail.dump());
    for (operation op : {lookup_ops::uffici_pa_cli_for, lookup_ops::uffici_pa_cli_for_dest}) {
      pa_fixture f(host_with({{"database", database}, {"fail", fail}}));
      f.mark_outputs();
      const bool dest = op == lookup_ops::uffici_pa_cli_for_dest;
      std::vector<value> args = {n(12), n(0)};
      if (dest) args.push_back(value("D1"));
      args.push_back(kMissing);
      EXPECT_NO_THROW(f.call(op, args));
      EXPECT_EQ(f.columns(), 8);
      const bool title_fails = fail.dump().find("environment") != std::string::npos ||
                               fail.dump().find("translations") != std::string::npos;
      EXPECT_EQ(f.title(), title_fails ? "old title" : (dest ? "Elenco Uffici destinatari clienti" : "Elenco Uffici clienti"));
      const bool kind_read = fail.dump().find("connection") == std::string::npos;
      EXPECT_TRUE(contains(f.sql(), kind_read ? " AND CG1M_INDTYPEB2B = 2" : " AND CG1M_INDTYPEB2B = 0")) << f.sql();
      EXPECT_TRUE(ends_with(f.sql(), " ORDER BY CG1M_FLGPREFERENZIALE DESC"));
      EXPECT_EQ(f.id(), dest ? "Lkp_UfficiPACliForDest" : "Lkp_UfficiPACliFor");
    }
  }
}

TEST(public_admin_lookups, office_arguments_that_are_no_number_keep_the_statement_well_formed) {
  pa_fixture f(standin::default_profile());
  f.mark_outputs();
  EXPECT_NO_THROW(f.call(lookup_ops::uffici_pa_cli_for, {value("abc"), value("x"), kMissing}));
  // Neither the title nor the query could be made; both values are written as 0.
  EXPECT_EQ(f.title(), "old title");
  EXPECT_TRUE(f.platform->executed().empty());
  EXPECT_TRUE(contains(f.sql(), " WHERE  CG1M_CODICE_CG16 = 0 AND CG1M_TIPOCF_CG44 = 0 AND CG1M_INDTYPEB2B = 0 AND"))
      << f.sql();
  EXPECT_EQ(f.id(), "Lkp_UfficiPACliFor");
}

TEST(public_admin_lookups, office_lookups_without_host) {
  pa_fixture f;
  f.call(lookup_ops::uffici_pa_cli_for_dest, {n(12), n(1), value("D'1 "), value("CG1M_NOME")});
  EXPECT_EQ(f.title(), "Elenco Uffici destinatari fornitori");
  EXPECT_TRUE(ends_with(f.sql(), " AND CG1M_INDTYPEB2B = 0 AND CG1M_CODDESTIN = 'D''1'  ORDER BY CG1M_NOME")) << f.sql();
  // A refused order column is reported even here.
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::uffici_pa_cli_for, {n(12), n(1), value("X --")}), 5);
}

TEST(public_admin_lookups, uffici_pa_is_the_customer_office_lookup) {
  const json database =
      invoicing_rows({{{"CG1O_CODICE_CG16", 12}, {"CG1O_TIPOCF_CG44", 0}, {"CG1O_INDTYPEB2B", 1}}});
  for (json profile : {json(nullptr), host_with({{"database", database},
                                                 {"translations", {{"Elenco Uffici clienti", "Customer offices"}}}})}) {
    for (value sort : {kMissing, value("CG1M_CODICE")}) {
      pa_fixture a(profile), b(profile);
      a.call(lookup_ops::uffici_pa, {n(12), sort});
      b.call(lookup_ops::uffici_pa_cli_for, {n(12), value(std::int16_t{0}), sort});
      EXPECT_EQ(a.title(), b.title());
      EXPECT_EQ(a.sql(), b.sql());
      EXPECT_EQ(a.lk->array_fields, b.lk->array_fields);
      EXPECT_EQ(a.id(), b.id());
    }
  }
}

TEST(public_admin_lookups, administrative_references_raise_what_a_converter_raises) {
  pa_fixture f;
  f.mark_outputs();
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::riferimenti_amministrazione_pa_cli_for,
                                 {value("U1"), value("abc"), n(1), kMissing}),
                          13);
  EXPECT_EQ(f.title(), "Elenco Riferimenti Amministrazione PA");
  EXPECT_EQ(f.sql(), "old sql");
  EXPECT_EQ(f.id(), "old id");
  f.call(lookup_ops::riferimenti_amministrazione_pa, {value("U'1"), value(), value()});
  EXPECT_TRUE(ends_with(f.sql(), " CG1N_CODICE_CG1M = 'U''1' AND CG1N_CODICE_CG16 = 0 ORDER BY ")) << f.sql();
}

// ---------------------------------------------------------------------------
// Options: which of the three statements.

TEST(public_admin_lookups, option_statement_chosen_by_the_arguments_given) {
  enum which { article, grouping, variant };
  struct row {
    const char* label;
    value articolo, raggruppamento;
    which expected;
  };
  const std::vector<row> rows = {
      {"nothing", kMissing, kMissing, variant},
      {"article", value("A"), kMissing, article},
      {"empty article", value(""), value("R"), article},
      {"Null article", value::null(), kMissing, article},
      {"grouping", kMissing, value("R"), grouping},
      {"blank grouping", kMissing, value("   "), variant},
      {"Empty grouping", kMissing, value(), variant},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.label);
    pa_fixture f;
    f.call(lookup_ops::opzioni_ext, {value("V1"), r.articolo, r.raggruppamento, kMissing});
    const std::string sql = f.sql();
    EXPECT_EQ(contains(sql, "FROM MG6B_GESVARART WITH (NOLOCK) "), r.expected == article) << sql;
    EXPECT_EQ(contains(sql, "FROM MG5H_COMPRAGVAR WITH (NOLOCK) "), r.expected == grouping) << sql;
    EXPECT_EQ(contains(sql, "SELECT MG5E_OPZIONE, MG5E_DESCR FROM MG5E_OPZIONI"), r.expected == variant) << sql;
    EXPECT_TRUE(ends_with(sql, "ORDER BY MG5E_OPZIONE"));
    EXPECT_EQ(f.id(), "Lkp_Opzioni");
  }
}

// ---------------------------------------------------------------------------
// Parameters and tax groups.

struct parameter_row {
  const char* name;
  operation op;
  const char* default_order;
  const char* company_condition;  // nullptr: no company condition at all
};

const std::vector<parameter_row> kParameterOps = {
    {"ParametriSottoscorta", lookup_ops::parametri_sottoscorta, "MGFA_CODPARAM", "  WHERE MGFA_DITTA_CG18 = "},
    {"ParametriRitardi", lookup_ops::parametri_ritardi, "MGFB_CODPARAM", "  WHERE MGFB_DITTA_CG18 = "},
    {"TaxGroup", lookup_ops::tax_group, "NV04_CODE", nullptr},
};

TEST(public_admin_lookups, parameter_order_column_missing_or_empty_takes_the_default) {
  for (const auto& r : kParameterOps) {
    SCOPED_TRACE(r.name);
    struct sort_row {
      value campo;
      std::string tail;
    };
    for (const auto& s : {sort_row{kMissing, r.default_order}, sort_row{value(), r.default_order},
                          sort_row{value::null(), ""}, sort_row{value(""), ""}, sort_row{value("A DESC"), "A DESC"}}) {
      pa_fixture f;
      f.call(r.op, {s.campo});
      EXPECT_TRUE(ends_with(f.sql(), " ORDER BY " + s.tail)) << f.sql();
    }
  }
}

TEST(public_admin_lookups, parameter_company_is_the_framework_one_or_left_out) {
  for (const auto& r : kParameterOps) {
    SCOPED_TRACE(r.name);
    for (json profile : {json(nullptr), host_with({{"company", 3}}), host_with({{"company", 3}, {"fail", json::array({"company"})}}),
                         host_with({{"company", "abc"}})}) {
      pa_fixture f(profile);
      f.lk->set_codice_ditta(5);
      f.mark_outputs();
      EXPECT_NO_THROW(f.call(r.op, {kMissing}));
      const bool company_read = !profile.is_null() && !profile.contains("fail") && profile["company"] == 3;
      if (r.company_condition && company_read)
        EXPECT_TRUE(contains(f.sql(), std::string(r.company_condition) + "3 ORDER BY")) << f.sql();
      else
        EXPECT_FALSE(contains(f.sql(), "WHERE")) << f.sql();
      EXPECT_EQ(f.id().substr(0, 4), "lkp_");
      EXPECT_EQ(f.columns(), 2);
    }
  }
}

// ---------------------------------------------------------------------------
// Supply chains.

TEST(public_admin_lookups, chain_order_column_is_a_text_whose_empty_value_takes_the_default) {
  pa_fixture f(standin::default_profile());
  f.call(lookup_ops::filiere, {value("")});
  EXPECT_TRUE(ends_with(f.sql(), " ORDER BY MGH7_CODICE"));
  f.call(lookup_ops::filiere_by_id_for, {n(7), value("MGH7_DESCRIZIONE")});
  EXPECT_TRUE(ends_with(f.sql(), "    MGH7_IDCLIFOR = 7 ORDER BY MGH7_DESCRIZIONE"));
  EXPECT_EQ(f.id(), "Lkp_FiliereByIdForExt");
  f.call(lookup_ops::filiere_by_id_for_ext, {value(), value(""), value("")});
  EXPECT_TRUE(ends_with(f.sql(), "    MGH7_IDCLIFOR = 0 ORDER BY MGH7_CODICE"));
  EXPECT_AUTOMATION_ERROR(f.call(lookup_ops::filiere, {value("MGH7_CODICE /* x */")}), 5);
}

TEST(public_admin_lookups, chains_of_an_article_fail_with_the_framework_error) {
  for (json profile : {json(nullptr), host_with({{"fail", json::array({"company"})}})}) {
    pa_fixture f(profile);
    f.mark_outputs();
    try {
      f.call(lookup_ops::filiere_by_id_for_ext, {n(7), value("ART"), value("")});
      ADD_FAILURE() << "nothing raised";
    } catch (const automation_error& e) {
      EXPECT_EQ(e.number(), profile.is_null() ? 91 : standin::kHostFailure);
    }
    EXPECT_EQ(f.columns(), 3);
    EXPECT_EQ(f.title(), "Elenco filiere fornitore");
    EXPECT_EQ(f.sql(), "old sql");
    EXPECT_EQ(f.id(), "old id");
  }
  // Without an article the host is not needed.
  pa_fixture f;
  EXPECT_NO_THROW(f.call(lookup_ops::filiere_by_id_for_ext, {n(7), value(""), value("")}));
  EXPECT_EQ(f.columns(), 2);
}

TEST(public_admin_lookups, chains_of_an_article_quote_the_code) {
  pa_fixture f(host_with({{"company", 4}}));
  f.lk->set_codice_ditta(9);
  f.call(lookup_ops::filiere_by_id_for_ext, {value("7"), value("A'B  "), value("")});
  EXPECT_TRUE(contains(f.sql(), "    AND MGH8_DITTA_CG18 = 4    AND MGH8_CODART_MG66 = 'A''B' WHERE")) << f.sql();
}

}  // namespace
}  // namespace veldrane
