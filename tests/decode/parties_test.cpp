// Customer/supplier decodes where the shared cases cannot reach: today's
// date, fixed here, through the framework converter.
#include <gtest/gtest.h>

#include <algorithm>

#include "convert/text_locale.h"
#include "decode/decode.h"
#include "standin/standin.h"

using namespace veldrane;
using standin::json;

namespace {

// A stand-in host (null: none) on which the computer's date is fixed.
struct dated_host : standin::host_platform {
  dated_host(json profile, date_value day) : host_platform(std::move(profile)), day(day) {}
  date_value today() override { return day; }
  date_value day;
};

// A decode object on such a host, under the Italian text conventions.
struct decode_on_day {
  decode_on_day(json profile, date_value day = {})
      : host(std::make_shared<dated_host>(std::move(profile), day)), dc(host) {
    if (auto ai = host->active_interface()) dc.set_active_interface(ai);
    set_current_locale(text_locale::italian());
  }
  void call(std::string_view member, std::vector<value> args) {
    invoke(decode::info(), dc, member, member_kind::method, std::move(args));
  }
  std::string sql() const { return dc.stringa_sql.as_string(); }
  std::shared_ptr<dated_host> host;
  decode dc;
};

json converter(json c) {
  json p = standin::default_profile();
  if (!c.is_null()) p["converter"] = c;
  return p;
}

const std::string kDateCondition = "' BETWEEN DATAINIZIOVALIDITA AND DATAFINEVALIDITA";

TEST(parties_decode, name_today_hands_the_date_only_to_the_converter) {
  decode_on_day t(converter({{"status", 0}, {"output", "2024-03-01T00:00:00"}}), date_value::from_parts(2024, 3, 1));
  t.call("ClienteFornitoreSoloRagioneSociale", {value(1), value(42)});
  const auto& log = t.host->host_log();
  EXPECT_NE(std::find(log.begin(), log.end(), "Converter.Value=01/03/2024"), log.end());
  EXPECT_TRUE(t.sql().ends_with("    AND '2024-03-01T00:00:00" + kDateCondition));
}

// Today's name is the dated decode with the converted date.
TEST(parties_decode, name_today_is_the_dated_decode_with_the_converted_date) {
  const struct {
    const char* name;
    json profile;
    const char* date;
  } cases[] = {
      {"converter output", converter({{"status", 0}, {"output", "20231231"}}), "20231231"},
      {"converter refuses: the date's own text", converter({{"status", 1}}), "31/12/2023"},
      {"no converter class: Empty", converter(nullptr), ""},
      {"no host at all", nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    decode_on_day a(c.profile, date_value::from_parts(2023, 12, 31)), b(c.profile);
    a.call("ClienteFornitoreSoloRagioneSociale", {value(2), value("77")});
    b.call("ClienteFornitoreSoloRagioneSocialeDataValidita", {value(2), value("77"), value(c.date)});
    EXPECT_EQ(a.sql(), b.sql());
    EXPECT_EQ(a.dc.array_fields, b.dc.array_fields);
    EXPECT_TRUE(a.sql().ends_with("    AND '" + std::string(c.date) + kDateCondition));
  }
}

}  // namespace
