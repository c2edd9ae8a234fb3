// The shared expected-text cases (tests/cases and tests/cases/core) run
// through the scenario runner, each as a test of its own named by file and
// case: lookup_operators.json's "Operatori with an empty sort column" is
// lookup_operators__Operatori_with_an_empty_sort_column, a case of
// core/lookup_operators.json core_lookup_operators__... Each case
// pins only the keys it names, per call ("expect") and for the whole run
// ("result": host log, statements run, messages); core/refusals.json's
// scenarios are refused, each message naming the input and the form it
// expected. The Windows tests read
// the top folder's files too; those under tests/cases/core need the
// stand-in host's log and run here only.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "standin/scenario.h"

namespace veldrane::cases {

using standin::json;

struct named_case {
  std::string file, name;  // path under tests/cases, the case's own name
  std::string test_name;   // unique, made of [A-Za-z0-9_]
  json data;
};

// What a failing test prints for its parameter.
inline void PrintTo(const named_case& c, std::ostream* os) { *os << c.file << ": " << c.name; }

// Runs of other characters become one underscore, none at either end.
inline std::string identifier(const std::string& s) {
  std::string out = std::regex_replace(s, std::regex("[^A-Za-z0-9]+"), "_");
  out.erase(0, out.find_first_not_of('_'));
  out.erase(out.find_last_not_of('_') + 1);
  return out.empty() ? "case" : out;
}

// Every case of every file, in file order, loaded once.
inline const std::vector<named_case>& all() {
  static const std::vector<named_case> cases = [] {
    const std::filesystem::path root = std::string(VELDRANE_SOURCE_DIR) + "/tests/cases";
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
      if (e.path().extension() == ".json") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<named_case> out;
    std::set<std::string> taken;
    for (const auto& f : files) {
      const std::string file = f.lexically_relative(root).generic_string();
      const std::string prefix = identifier(f.lexically_relative(root).replace_extension().generic_string());
      json list;
      try {
        list = json::parse(std::ifstream(f));
      } catch (const std::exception& e) { throw std::runtime_error(file + ": " + e.what()); }
      for (json& c : list) {
        named_case nc{file, c.value("name", std::string("?")), {}, std::move(c)};
        const std::string base = prefix + "__" + identifier(nc.name);
        nc.test_name = base;
        for (int n = 2; !taken.insert(nc.test_name).second; ++n) nc.test_name = base + "_" + std::to_string(n);
        out.push_back(std::move(nc));
      }
    }
    return out;
  }();
  return cases;
}

// The name generator for INSTANTIATE_TEST_SUITE_P over all().
inline std::string test_name(const ::testing::TestParamInfo<named_case>& info) { return info.param.test_name; }

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

/// Runs one case and checks what it pins: its outputs, or ("refused") a
/// fragment of the message with which the runner refuses the scenario.
inline void check(const named_case& c) {
  if (c.data.contains("refused")) {
    try {
      standin::run_scenario(c.data.at("scenario"));
      ADD_FAILURE() << "not refused";
    } catch (const standin::scenario_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.data["refused"].get<std::string>()), std::string::npos) << e.what();
    }
    return;
  }
  json result = standin::run_scenario(c.data.at("scenario"));
  const json& expect = c.data.at("expect");
  ASSERT_EQ(expect.size(), result["calls"].size());
  for (std::size_t i = 0; i < expect.size(); ++i)
    expect_subset(expect[i], result["calls"][i], "calls[" + std::to_string(i) + "]");
  if (c.data.contains("result")) expect_subset(c.data["result"], result, "result");
}

}  // namespace veldrane::cases
