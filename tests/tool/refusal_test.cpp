// What the scenario runner refuses (the tool's exit 2): every message names
// the input and the form it expected.
#include <gtest/gtest.h>

#include "standin/scenario.h"

using veldrane::standin::json;

namespace {

TEST(refusal_test, messages_name_the_input_and_the_expected_form) {
  const json lbound_top = {{"$array", {1, 2}}, {"$lbound", {2147483647}}};
  const json lbound_bottom = {{"$array", json::array()}, {"$lbound", {-2147483648LL}}};
  const struct {
    json scenario;
    std::string message;
  } rows[] = {
      {{{"host", {{"compnay", 1}}}}, "unknown key \"compnay\""},
      {{{"host", {{"fail", "company"}}}}, "key \"fail\": expected a list of strings"},
      {{{"host", {{"sibling", {{"absent", 1}}}}}}, "key \"sibling\", \"absent\": expected true or false"},
      {{{"set", {{"CodiceDitta", {{"$decimal", "999999999999999999999999999999"}}}}}, {"calls", json::array()}},
       "set CodiceDitta: \"$decimal\": \"999999999999999999999999999999\" is beyond the Decimal range"},
      {{{"set", {{"CodiceDitta", "abc"}}}, {"calls", json::array()}}, "set CodiceDitta: Type mismatch (13); expected a Long"},
      {{{"calls", {{{"member", "Operatori"}, {"args", {lbound_top}}}}}}, "Operatori, argument 1: \"$array\": its bounds"},
      {{{"calls", {{{"member", "Operatori"}, {"args", {lbound_bottom}}}}}}, "do not fit the 32-bit range"},
      {{{"calls", {{{"member", "Operatori"}, {"args", {{{"$integer", nullptr}}}}}}}},
       "\"$integer\": expected an integer from -32768 to 32767, got null"},
      {{{"class", 5}}, "\"class\": expected CLSMG_LOOKUP"},
      // Keys nobody reads are refused, naming the known ones.
      {{{"clas", "CLSMG_DECODE"}, {"calls", json::array()}},
       "unknown key \"clas\" (known keys: class, host, set, log, calls)"},
      {{{"calls", {{{"member", "Operatori"}, {"arg", {"X"}}}}}},
       "\"calls\", call 1: unknown key \"arg\" (known keys: member, args)"},
      {json::object(), "a scenario needs \"calls\""},
      {{{"calls", json::array()}, {"log", "yes"}}, "\"log\": expected true or false, got \"yes\""},
      // A bad call refuses the scenario before any call runs.
      {{{"calls", {{{"member", "Operatori"}}, {{"member", "Operatori"}, {"args", "X"}}}}},
       "\"calls\", call 2: \"args\": expected a list, got \"X\""},
      // An encoded value names one form, and a flag form says true.
      {{{"calls", {{{"member", "Operatori"}, {"args", {{{"$missing", false}}}}}}}}, "\"$missing\": expected true, got false"},
      {{{"calls", {{{"member", "Operatori"}, {"args", {{{"$integer", 3}, {"$date", "2024-03-01"}}}}}}}},
       "unknown value {\"$integer\":3,\"$date\":\"2024-03-01\"}"},
      {{{"host", {{"company", {{"$empty", true}, {"x", 1}}}}}, {"calls", json::array()}},
       "key \"company\": unknown value {\"$empty\":true,\"x\":1}"},
      {{{"calls", {{{"member", "Operatori"}, {"args", {{{"$lbound", {0}}}}}}}}}, "unknown value {\"$lbound\":[0]}"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.scenario.dump());
    try {
      veldrane::standin::run_scenario(r.scenario);
      ADD_FAILURE() << "not refused";
    } catch (const veldrane::standin::scenario_error& e) {
      EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
