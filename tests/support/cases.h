// The shared expected-text cases (tests/cases and tests/cases/core) run
// through the scenario runner. Each case pins only the keys it names, per
// call ("expect") and for the whole run ("result": host log, statements run,
// messages). The Windows tests read the top folder's files too; those under
// tests/cases/core need the stand-in host's log and run here only.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "standin/scenario.h"

namespace veldrane::cases {

using standin::json;

struct named_case {
  std::string file, name;
  json data;
};

inline std::vector<named_case> load() {
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
inline void expect_subset(const json& expected, const json& actual, const std::string& where) {
  if (expected.is_object() && !expected.contains("$array") && actual.is_object()) {
    for (const auto& [k, v] : expected.items()) {
      ASSERT_TRUE(actual.contains(k)) << where << ": no " << k;
      expect_subset(v, actual[k], where + "." + k);
    }
    return;
  }
  EXPECT_EQ(expected, actual) << where;
}

inline void check(const named_case& c) {
  SCOPED_TRACE(c.file + ": " + c.name);
  json result = standin::run_scenario(c.data.at("scenario"));
  const json& expect = c.data.at("expect");
  ASSERT_EQ(expect.size(), result["calls"].size());
  for (std::size_t i = 0; i < expect.size(); ++i)
    expect_subset(expect[i], result["calls"][i], c.name + "[" + std::to_string(i) + "]");
  if (c.data.contains("result")) expect_subset(c.data["result"], result, c.name);
}

/// Runs every shared case and checks what it pins.
inline void check_every_case() {
  const auto cases = load();
  ASSERT_FALSE(cases.empty());
  for (const auto& c : cases) check(c);
}

}  // namespace veldrane::cases
