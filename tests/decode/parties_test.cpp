// Customer/supplier, document and price-list decodes: the behaviour around
// the texts (the shared cases hold the exact statements): today's date and
// the converter, raw dates, the agent restriction, failures part-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "convert/text_locale.h"
#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

namespace veldrane::decode_ops {
// The date source of the customer/supplier name decode.
extern std::function<date_value()> parties_today;
}  // namespace veldrane::decode_ops

using namespace veldrane;

namespace {

using json = standin::json;

using decode_on_host = decode_fixture;

bool ends_with(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Fixes the computer's date and the Italian text conventions for one test.
struct fixed_day {
  explicit fixed_day(date_value d) : saved(decode_ops::parties_today) {
    decode_ops::parties_today = [d] { return d; };
    set_current_locale(text_locale::italian());
  }
  ~fixed_day() { decode_ops::parties_today = saved; }
  std::function<date_value()> saved;
};

const std::string kDateCondition = "' BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";

// ---------------------------------------------------------------------------
// The name valid today

TEST(parties_decode, name_today_hands_the_date_only_to_the_converter) {
  fixed_day day(date_value::from_parts(2024, 3, 1));
  decode_on_host t(host_with({{"converter", {{"status", 0}, {"output", "2024-03-01T00:00:00"}}}}));
  t.call("ClienteFornitoreSoloRagioneSociale", {value(1), value(42)});
  EXPECT_TRUE(t.logged("Converter.Value=01/03/2024"));
  EXPECT_TRUE(ends_with(t.sql(), "    AND '2024-03-01T00:00:00" + kDateCondition));
}

TEST(parties_decode, name_today_is_the_dated_decode_with_the_converted_date) {
  fixed_day day(date_value::from_parts(2023, 12, 31));
  struct converter_case {
    const char* name;
    json profile;
  };
  const std::vector<converter_case> cases = {
      {"converter output", host_with({{"converter", {{"status", 0}, {"output", "20231231"}}}})},
      {"converter refuses: the date's own text", host_with({{"converter", {{"status", 1}}}})},
      {"no converter class: Empty", host_with({})},
      {"no host at all", nullptr},
  };
  const std::vector<std::string> dates = {"20231231", "31/12/2023", "", ""};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    decode_on_host a(cases[i].profile), b(cases[i].profile);
    a.call("ClienteFornitoreSoloRagioneSociale", {value(2), value("77")});
    b.call("ClienteFornitoreSoloRagioneSocialeDataValidita", {value(2), value("77"), value(dates[i])});
    EXPECT_EQ(a.sql(), b.sql());
    EXPECT_EQ(a.dc.array_fields, b.dc.array_fields);
    EXPECT_TRUE(ends_with(a.sql(), "    AND '" + dates[i] + kDateCondition));
  }
}

TEST(parties_decode, name_today_sets_the_field_list_before_a_failing_number) {
  fixed_day day(date_value::from_parts(2024, 1, 2));
  decode_on_host t(nullptr);
  t.dc.stringa_sql = value("previous");
  EXPECT_AUTOMATION_ERROR(t.call("ClienteFornitoreSoloRagioneSociale", {value(0), value("x1")}), err::type_mismatch);
  EXPECT_EQ(t.sql(), "previous");
  EXPECT_EQ(t.dc.array_fields.as_array().at({0, 1}), value("CG16_RAGSOANAG"));
}

// ---------------------------------------------------------------------------
// The name valid at a given date: the date goes in raw

TEST(parties_decode, dated_name_inserts_the_date_in_its_own_text_form) {
  set_current_locale(text_locale::italian());
  struct date_case {
    const char* name;
    value date;
    std::string inserted;
  };
  const std::vector<date_case> cases = {
      {"text keeps its blanks", value(" 20240301  "), " 20240301  "},
      {"a Date in the locale's order", value(date_value::from_parts(2024, 3, 1)), "01/03/2024"},
      {"Empty", value(), ""},
      {"Null", value::null(), ""},
      {"a quote cannot end the literal", value("2024' OR 1=1 --"), "2024'' OR 1=1 --"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    decode_on_host t(nullptr);
    t.call("ClienteFornitoreSoloRagioneSocialeDataValidita", {value(1), value(5), c.date});
    EXPECT_TRUE(ends_with(t.sql(), "\r\n    AND '" + c.inserted + kDateCondition)) << t.sql();
  }
}

TEST(parties_decode, dated_name_without_a_text_form_fails_after_the_field_list) {
  decode_on_host t(nullptr);
  safe_array arr({{0, 1}});
  EXPECT_AUTOMATION_ERROR(
      t.call("ClienteFornitoreSoloRagioneSocialeDataValidita", {value(1), value(5), value(std::move(arr))}),
      err::type_mismatch);
  EXPECT_EQ(t.sql(), "");
  EXPECT_EQ(t.dc.array_fields.as_array().at({0, 1}), value("CG16_RAGSOANAG"));
}

// ---------------------------------------------------------------------------
// Registry data

TEST(parties_decode, registry_data_lists_seven_fields_and_uses_the_database_date) {
  fixed_day day(date_value::from_parts(2024, 3, 1));
  decode_on_host t(host_with({{"converter", {{"status", 0}, {"output", "20240301"}}}}));
  t.call("ClienteFornitoreDatiAnagrafici", {value(0), value(9)});
  const auto& a = t.dc.array_fields.as_array();
  EXPECT_EQ(a.ubound(0), 6);
  EXPECT_EQ(a.ubound(1), 1);
  for (int c = 0; c <= 6; ++c) EXPECT_TRUE(a.at({c, 0}).is_empty());
  EXPECT_EQ(a.at({6, 1}), value("CG16_CODFISCALE"));
  EXPECT_NE(t.sql().find("dbo.TMS_GETDATE() BETWEEN"), std::string::npos);
  EXPECT_EQ(t.sql().find("20240301"), std::string::npos);
  EXPECT_FALSE(t.logged("Converter.Value=01/03/2024"));  // the computer's date is not used
}

// ---------------------------------------------------------------------------
// Destinations and the agent restriction

constexpr std::string_view kAgentCondition = "              AND MG2G_IDAGENTE_MG17    = ";

TEST(parties_decode, destinations_are_restricted_only_for_a_positive_agent) {
  struct agent_case {
    const char* name;
    json profile;
    bool restricted;
    std::string agent;
  };
  const std::vector<agent_case> cases = {
      {"no host", nullptr, false, ""},
      {"agent 0", host_with({{"agent", 0}}), false, ""},
      {"agent Empty", host_with({{"agent", {{"$empty", true}}}}), false, ""},
      {"agent blank", host_with({{"agent", "   "}}), false, ""},
      {"negative agent", host_with({{"agent", -5}}), false, ""},
      {"a fraction above 0", host_with({{"agent", 0.5}}), true, "0.5"},
      {"agent 5", host_with({{"agent", 5}}), true, "5"},
      {"agent as text", host_with({{"agent", "12"}}), true, "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    decode_on_host t(c.profile);
    t.call("Destinatario", {value(1), value(42), value("D1 ")});
    const std::string sql = t.sql();
    const std::string base_end = "    MG22_CODDESTIN = 'D1'";
    if (!c.restricted) {
      EXPECT_TRUE(ends_with(sql, base_end)) << sql;
      continue;
    }
    // The restriction follows the base statement, names the agent once, and
    // closes both subqueries and the parenthesis.
    const auto at = sql.find(base_end + "  AND  (      EXISTS      (");
    ASSERT_NE(at, std::string::npos) << sql;
    EXPECT_NE(sql.find(std::string(kAgentCondition) + c.agent + "      )      OR NOT EXISTS      ("),
              std::string::npos)
        << sql;
    EXPECT_EQ(sql.find(kAgentCondition), sql.rfind(kAgentCondition));
    EXPECT_TRUE(ends_with(sql, "MG2G_CODDESTIN_MG22 = MG22_CODDESTIN      )  )")) << sql;
  }
}

TEST(parties_decode, a_failing_agent_read_leaves_the_base_statement) {
  struct failure_case {
    const char* name;
    json profile;
    std::int32_t number;
  };
  const std::vector<failure_case> cases = {
      {"agent read fails", host_with({{"agent", 5}, {"fail", {"agent"}}}), standin::kHostFailure},
      {"environment fails", host_with({{"agent", 5}, {"fail", {"environment"}}}), standin::kHostFailure},
      {"agent is no number", host_with({{"agent", "abc"}}), err::type_mismatch},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    decode_on_host t(c.profile);
    t.dc.set_codice_ditta(3);
    EXPECT_AUTOMATION_ERROR(t.call("Destinatario", {value(0), value(8), value("X")}), c.number);
    EXPECT_TRUE(ends_with(t.sql(), "    MG22_CODDESTIN = 'X'")) << t.sql();
    EXPECT_EQ(t.dc.array_fields.as_array().at({0, 1}), value("MG22_DESTRAGSOC"));
  }
}

// ---------------------------------------------------------------------------
// Every operation: the field it lists, no error for Empty and Null, and the
// previous statement kept when a number cannot be read.

struct operation_case {
  const char* member;
  std::size_t arity;
  const char* field;
  std::vector<std::size_t> numeric;  // argument positions inserted as numbers
};

const std::vector<operation_case> kOperations = {
    {"ClienteFornitoreSoloRagioneSocialeDataValidita", 3, "CG16_RAGSOANAG", {0, 1}},
    {"ClienteFornitoreDatiAnagrafici", 2, "CG16_RAGSOANAG", {0, 1}},
    {"Destinatario", 3, "MG22_DESTRAGSOC", {0, 1}},
    {"RaggruppamentoDocumenti", 3, "MG24_DESCRAGG", {0, 1}},
    {"LivelloDiBlocco", 1, "MG25_DESCRBLOCCO", {}},
    {"RaggruppamentoClientiFornitori1", 2, "MG31_DESCRAGGRCF1", {0}},
    {"RaggruppamentoClientiFornitori2", 2, "MG32_DESCRAGGRCF2", {0}},
    {"RaggruppamentoClientiFornitori3", 2, "MG33_DESCRAGGRCF3", {0}},
    {"Documento", 2, "MG36_DESCDOCUM", {1}},
    {"DocumentoDitta", 1, "MG36_DESCDOCUM", {}},
    {"RaggruppamentoFormule", 1, "MG3E_DESCR", {}},
    {"Formula", 1, "MG3F_DESCR", {}},
    {"TrasformazioneDocumento", 2, "MG3N_DESCMOD", {1}},
    {"TrasformazioneDocumentoDitta", 1, "MG3N_DESCMOD", {}},
    {"SchedaArticoli", 1, "MG42_DESCSCHEDA", {}},
    {"ListinoAnagrafica", 2, "MG44_DESCLIST", {0, 1}},
    {"CausaleMagazzino", 1, "MG51_DESCR", {0}},
};

TEST(parties_decode, empty_and_null_arguments_give_empty_codes_and_zeros) {
  for (const auto& op : kOperations) {
    for (const value& nothing : {value(), value::null()}) {
      SCOPED_TRACE(op.member);
      decode_on_host t(nullptr);
      t.call(op.member, std::vector<value>(op.arity, nothing));
      const auto& a = t.dc.array_fields.as_array();
      EXPECT_EQ(a.ubound(1), 1);
      EXPECT_TRUE(a.at({0, 0}).is_empty());
      EXPECT_EQ(a.at({0, 1}), value(op.field));
      // Every number reads 0 (the company too, without a host).
      const std::string sql = t.sql();
      std::size_t zeros = 0;
      for (auto at = sql.find(" = 0"); at != std::string::npos; at = sql.find(" = 0", at + 1)) ++zeros;
      EXPECT_GE(zeros, op.numeric.size()) << sql;
    }
  }
}

TEST(parties_decode, a_number_that_is_no_number_keeps_the_previous_statement) {
  for (const auto& op : kOperations) {
    for (std::size_t n : op.numeric) {
      SCOPED_TRACE(std::string(op.member) + " argument " + std::to_string(n));
      decode_on_host t(standin::default_profile());
      t.dc.stringa_sql = value("previous");
      std::vector<value> args(op.arity, value("1"));
      args[n] = value("abc");
      EXPECT_AUTOMATION_ERROR(t.call(op.member, args), err::type_mismatch);
      EXPECT_EQ(t.sql(), "previous");
      EXPECT_EQ(t.dc.array_fields.as_array().at({0, 1}), value(op.field));
    }
  }
}

TEST(parties_decode, codes_lose_trailing_blanks_only_and_numbers_are_bare) {
  set_current_locale(text_locale::italian());
  decode_on_host t(nullptr);
  t.call("RaggruppamentoDocumenti", {value("2"), value("12,5"), value("  R'1  ")});
  EXPECT_TRUE(ends_with(t.sql(), "    MG24_TIPOCF_CG44 = 2 AND    MG24_CLIFOR_CG44 = 12.5 AND    MG24_CODRAG = '  R''1'"))
      << t.sql();
  t.call("CausaleMagazzino", {value(7)});
  EXPECT_TRUE(ends_with(t.sql(), " WHERE    MG51_CAUSMAG = 7")) << t.sql();
}

}  // namespace
