#include <gtest/gtest.h>

#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

using namespace veldrane;

namespace {

using decode_on_host = decode_fixture;

const std::string kOperatore =
    " SELECT    MG01_DESCR FROM    MG01_OPERATORI WITH (NOLOCK) WHERE    MG01_CODICE = '";

TEST(operatore_test, code_inserted_as_trimmed_quoted_text) {
  struct {
    value code;
    std::string inserted;
  } cases[] = {
      {value("ABC  "), "ABC"}, {value(" ABC"), " ABC"}, {value(), ""}, {value::null(), ""},
      {value(std::int32_t{7}), "7"}, {value("O'NEIL"), "O''NEIL"},
  };
  for (const char* member : {"Operatore", "Richiedenti"}) {
    for (const auto& c : cases) {
      decode_on_host t(nullptr);
      t.call(member, {c.code});
      EXPECT_EQ(t.dc.stringa_sql, value(kOperatore + c.inserted + "'")) << member;
      const auto& a = t.dc.array_fields.as_array();
      EXPECT_EQ(a.ubound(0), 0);
      EXPECT_EQ(a.ubound(1), 1);
      EXPECT_TRUE(a.at({0, 0}).is_empty());  // decodes carry no captions
      EXPECT_EQ(a.at({0, 1}), value("MG01_DESCR"));
    }
  }
}

TEST(decode_lifecycle_test, state_at_creation_and_trace) {
  auto host = std::make_shared<standin::host_platform>(nullptr);
  {
    decode dc(host);
    EXPECT_EQ(dc.stringa_sql, value(""));
    EXPECT_EQ(dc.array_fields, value(""));
    EXPECT_EQ(dc.codice_ditta(), 0);
  }
  ASSERT_EQ(host->trace_lines().size(), 2u);
  EXPECT_EQ(host->trace_lines()[0].substr(38), "|INI|VELDRANE|CLSMG_DECODE");
  EXPECT_EQ(host->trace_lines()[1].substr(38), "|TER|VELDRANE|CLSMG_DECODE");
}

TEST(decode_contract_test, company_and_language_from_the_host) {
  decode_on_host none(nullptr);
  EXPECT_EQ(none.dc.language(decode::language_source::company), "ITA ");
  EXPECT_AUTOMATION_ERROR(none.dc.host_company_text(), err::object_not_set);

  decode_on_host t(standin::json{{"company", 3}, {"language", "ENG "}, {"userLanguage", "FRA"}});
  EXPECT_EQ(t.dc.codice_ditta(), 3);
  t.dc.set_codice_ditta(8);
  EXPECT_EQ(t.dc.codice_ditta(), 8);
  EXPECT_EQ(t.dc.host_company_text(), "3");
  EXPECT_EQ(t.dc.language(decode::language_source::company), "ENG ");
  EXPECT_EQ(t.dc.language(decode::language_source::user), "FRA");
}

TEST(decode_contract_test, restrictions_only_when_the_filter_flag_is_set) {
  standin::json p = {{"filtersApply", false}, {"filterClause", " AND D IN ('1')"}, {"filterClause2", " AND A = 1"}};
  {
    decode_on_host t(p);
    statement st;
    t.dc.append_deposit_filter(st);
    t.dc.append_article_filter(st);
    EXPECT_EQ(st.view(), "");
    EXPECT_TRUE(t.host->host_log().empty());  // the builder is not even made
  }
  p["filtersApply"] = true;
  decode_on_host t(p);
  statement st;
  t.dc.append_deposit_filter(st);
  t.dc.append_article_filter(st);
  EXPECT_EQ(st.view(), " AND D IN ('1') AND A = 1");
  EXPECT_EQ(std::count(t.host->host_log().begin(), t.host->host_log().end(), "FilterBuilder created"), 1);
  EXPECT_NE(std::find(t.host->host_log().begin(), t.host->host_log().end(), "FilterBuilder.Clause(MG58_CODDEP, -1, 0)"),
            t.host->host_log().end());
}

TEST(decode_member_table_test, interface_shape) {
  const auto& ci = decode::info();
  ASSERT_EQ(ci.members.size(), 115u);
  EXPECT_EQ(find_member(ci, "CodiceDitta", member_kind::get)->dispid(), 0x68030074);
  EXPECT_EQ(find_member(ci, "ArrayFields", member_kind::set)->dispid(), 0x40030002);
  EXPECT_EQ(find_member(ci, "FilereByIdForExt", member_kind::method)->dispid(), 0x600300cb);
  EXPECT_TRUE(find_member(ci, "Sottprogetto", member_kind::method)->hidden);
  const auto* mov = find_member(ci, "DepositoTrasferimentoMov", member_kind::method);
  EXPECT_EQ(mov->params[1].type, param_type::integer);
  EXPECT_TRUE(mov->params[2].has_default);
  const auto* ext = find_member(ci, "OpzioneExt", member_kind::method);
  EXPECT_EQ(ext->required_count(), 2u);
}

}  // namespace
