// Runs every case of tests/cases/*.json through the scenario runner and
// compares the keys each case gives, per call ("expect") and for the whole
// run ("result": host log, statements run, messages). The Windows tests read
// the same files; those under tests/cases/core need the stand-in host's log
// and are run here only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "standin/scenario.h"

using veldrane::standin::json;

namespace {

struct named_case {
  std::string file, name;
  json data;
};

std::vector<named_case> load_cases() {
  std::vector<named_case> out;
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(std::string(VELDRANE_SOURCE_DIR) + "/tests/cases"))
    if (e.path().extension() == ".json") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    std::ifstream in(f);
    json cases = json::parse(in);
    for (json& c : cases) out.push_back({f.filename().string(), c.value("name", std::string("?")), std::move(c)});
  }
  return out;
}

// Compares only the keys that `expected` names, recursively for objects.
void expect_subset(const json& expected, const json& actual, const std::string& where) {
  if (expected.is_object() && !expected.contains("$array") && actual.is_object()) {
    for (const auto& [k, v] : expected.items()) {
      ASSERT_TRUE(actual.contains(k)) << where << ": no " << k;
      expect_subset(v, actual[k], where + "." + k);
    }
    return;
  }
  EXPECT_EQ(expected, actual) << where;
}

TEST(cases_test, every_case_gives_its_expected_outputs) {
  auto cases = load_cases();
  ASSERT_FALSE(cases.empty());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.name);
    json result = veldrane::standin::run_scenario(c.data.at("scenario"));
    const json& expect = c.data.at("expect");
    ASSERT_EQ(expect.size(), result["calls"].size());
    for (std::size_t i = 0; i < expect.size(); ++i)
      expect_subset(expect[i], result["calls"][i], c.name + "[" + std::to_string(i) + "]");
    if (c.data.contains("result")) expect_subset(c.data["result"], result, c.name);
  }
}

}  // namespace
