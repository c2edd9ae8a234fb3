// Customer/supplier decodes where the shared cases cannot reach: today's
// date through the framework converter, and bare numbers written with a
// decimal point whatever the text conventions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "convert/text_locale.h"
#include "decode/decode.h"
#include "standin/standin.h"
#include "support/automation_assert.h"
#include "support/fixtures.h"

using namespace veldrane;

namespace {

using json = standin::json;

using decode_on_host = decode_fixture;

bool ends_with(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A stand-in host on which the computer's date is fixed.
struct dated_host : standin::host_platform {
  dated_host(json profile, date_value day) : host_platform(std::move(profile)), day(day) {}
  date_value today() override { return day; }
  date_value day;
};

// A decode object on a host whose date is `day`, under the Italian text
// conventions.
struct decode_on_day : decode_on_host {
  decode_on_day(date_value day, json profile)
      : decode_on_host(std::make_shared<dated_host>(std::move(profile), day)) {
    set_current_locale(text_locale::italian());
  }
};

const std::string kDateCondition = "' BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";

// ---------------------------------------------------------------------------
// The name valid today

TEST(parties_decode, name_today_hands_the_date_only_to_the_converter) {
  decode_on_day t(date_value::from_parts(2024, 3, 1),
                  host_with({{"converter", {{"status", 0}, {"output", "2024-03-01T00:00:00"}}}}));
  t.call("ClienteFornitoreSoloRagioneSociale", {value(1), value(42)});
  EXPECT_TRUE(t.logged("Converter.Value=01/03/2024"));
  EXPECT_TRUE(ends_with(t.sql(), "    AND '2024-03-01T00:00:00" + kDateCondition));
}

TEST(parties_decode, name_today_is_the_dated_decode_with_the_converted_date) {
  const date_value day = date_value::from_parts(2023, 12, 31);
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
    decode_on_day a(day, cases[i].profile);
    decode_on_host b(cases[i].profile);
    a.call("ClienteFornitoreSoloRagioneSociale", {value(2), value("77")});
    b.call("ClienteFornitoreSoloRagioneSocialeDataValidita", {value(2), value("77"), value(dates[i])});
    EXPECT_EQ(a.sql(), b.sql());
    EXPECT_EQ(a.dc.array_fields, b.dc.array_fields);
    EXPECT_TRUE(ends_with(a.sql(), "    AND '" + dates[i] + kDateCondition));
  }
}

TEST(parties_decode, name_today_sets_the_field_list_before_a_failing_number) {
  decode_on_day t(date_value::from_parts(2024, 1, 2), nullptr);
  t.dc.stringa_sql = value("previous");
  EXPECT_AUTOMATION_ERROR(t.call("ClienteFornitoreSoloRagioneSociale", {value(0), value("x1")}), err::type_mismatch);
  EXPECT_EQ(t.sql(), "previous");
  EXPECT_EQ(t.dc.array_fields.as_array().at({0, 1}), value("CG16_RAGSOANAG"));
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
