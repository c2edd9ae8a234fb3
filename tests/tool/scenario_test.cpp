#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>

#include <unistd.h>

#include "standin/json_value.h"
#include "standin/scenario.h"

using namespace veldrane;
using standin::json;

namespace {

TEST(json_value_test, every_kind_round_trips) {
  const char* encodings[] = {
      R"("text")",
      "true",
      "null",
      "42",
      "2.5",
      R"({"$empty":true})",
      R"({"$integer":3})",
      R"({"$decimal":"12.5"})",
      R"({"$date":"2024-03-01"})",
      R"({"$date":"2024-03-01T10:30:00"})",
      R"({"$array":[["Codice",""],["Descrizione",""]],"$lbound":[0,0]})",
      R"({"$array":[1,2,3],"$lbound":[1]})",
  };
  for (const char* e : encodings) EXPECT_EQ(standin::to_json(standin::from_json(json::parse(e))).dump(), e);
  EXPECT_TRUE(standin::from_json(json::parse(R"({"$missing":true})")).is_missing());
}

TEST(json_value_test, refuses_what_it_cannot_read) {
  for (const char* bad : {"4294967296", R"({"$decimal":"x"})", R"({"$date":"2024-13-01"})", R"({"$what":1})",
                          R"({"$integer":70000})", "[1,2]", R"({"$array":[[1],[1,2]]})"})
    EXPECT_THROW(standin::from_json(json::parse(bad)), standin::bad_value) << bad;
}

TEST(scenario_test, result_shape) {
  json r = standin::run_scenario(json::parse(R"({
    "class": "CLSMG_LOOKUP", "host": null,
    "set": {"CodiceDitta": 5, "SoloLinguePerDitta": false},
    "calls": [{"member": "Operatori", "args": [{"$missing": true}]},
              {"member": "CodiceDitta"},
              {"member": "NonEsiste"}]})"));
  ASSERT_EQ(r["calls"].size(), 3u);
  const json& op = r["calls"][0];
  EXPECT_TRUE(op["error"].is_null());
  EXPECT_FALSE(op.contains("return"));  // methods return nothing
  EXPECT_EQ(op["properties"]["ArrayFields"],
            json::parse(R"({"$array": [["Codice", ""], ["Descrizione", ""]], "$lbound": [0, 0]})"));
  EXPECT_EQ(op["properties"]["IDLookup"], "Lkp_Operatori");
  EXPECT_EQ(op["properties"]["CodiceDitta"], 5);
  EXPECT_EQ(op["properties"]["SoloLinguePerDitta"], false);
  EXPECT_FALSE(op["properties"].contains("ActiveInterface"));  // objects are not listed
  EXPECT_EQ(r["calls"][1]["return"], 5);
  EXPECT_EQ(r["calls"][2]["error"]["number"], 438);
  EXPECT_EQ(r["messages"], json::array());
  EXPECT_EQ(r["sibling"], json::array());
  ASSERT_EQ(r["trace"].size(), 2u);
}

TEST(scenario_test, errors_of_members_are_reported_in_the_result) {
  json r = standin::run_scenario(json::parse(R"({"host": "default",
    "calls": [{"member": "Operatori", "args": ["X;Y"]}, {"member": "Operatori", "args": [1, 2]}]})"));
  EXPECT_EQ(r["calls"][0]["error"]["number"], 5);
  EXPECT_EQ(r["calls"][0]["error"]["source"], "VELDRANE.CLSMG_LOOKUP");
  EXPECT_EQ(r["calls"][1]["error"]["number"], 450);
  // Before any lookup the outputs are empty strings and IDLookup is Empty.
  EXPECT_EQ(r["calls"][0]["properties"]["StringaSQL"], "");
  EXPECT_EQ(r["calls"][0]["properties"]["IDLookup"], json::parse(R"({"$empty": true})"));
  // The default host gives company 1 while CodiceDitta is 0.
  EXPECT_EQ(r["calls"][0]["properties"]["CodiceDitta"], 1);
}

TEST(scenario_test, set_runs_in_the_order_written) {
  json r = standin::run_scenario(json::parse(R"({"host": null,
    "set": {"CodiceDitta": 5, "codiceditta": 0, "Titolo": "x"}, "calls": [{"member": "Titolo"}]})"));
  EXPECT_EQ(r["calls"][0]["properties"]["CodiceDitta"], 0);
  EXPECT_EQ(r["calls"][0]["return"], "x");
}

TEST(scenario_test, unreadable_scenarios) {
  for (const char* bad : {R"({"class": "CLSMG_NONE"})", R"({"host": "nowhere"})", R"({"set": {"Nope": 1}})",
                          R"({"calls": [{"args": []}]})", R"({"calls": [{"member": "Operatori", "args": [{"$x": 1}]}]})",
                          R"([1])"})
    EXPECT_THROW(standin::run_scenario(json::parse(bad)), standin::scenario_error) << bad;
}

// The tool itself: exit codes and streams.
struct run_result {
  int status;
  std::string out;
};

run_result run_tool(const std::string& args, const std::string& input) {
  // Tests run in parallel processes: each call has an input file of its own.
  static int calls = 0;
  std::string in_path = ::testing::TempDir() + "veldrane_in_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                        std::to_string(getpid()) + "_" + std::to_string(++calls) + ".json";
  std::ofstream(in_path) << input;
  std::string cmd = std::string(VELDRANE_TOOL) + " " + args + " < " + in_path + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  int status = pclose(p);
  return {WEXITSTATUS(status), out};
}

TEST(tool_test, run_exit_codes) {
  auto ok = run_tool("run", R"({"calls": [{"member": "Operatori", "args": ["X;Y"]}]})");
  EXPECT_EQ(ok.status, 0) << ok.out;
  EXPECT_EQ(json::parse(ok.out)["calls"][0]["error"]["number"], 5);

  auto bad = run_tool("run -", "{not json");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("not JSON"), std::string::npos) << bad.out;
  EXPECT_EQ(run_tool("run /nonexistent/file.json", "").status, 2);
}

TEST(tool_test, lookup_prints_the_definition) {
  auto r = run_tool("lookup Operatori MG01_DESCR --host default", "");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Elenco Operatori"), std::string::npos);
  EXPECT_NE(r.out.find("ORDER BY MG01_DESCR"), std::string::npos) << r.out;
  auto refused = run_tool("lookup Operatori \"X;Y\"", "");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("error 5"), std::string::npos) << refused.out;
}

TEST(tool_test, members_lists_the_table) {
  auto r = run_tool("members CLSMG_LOOKUP", "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 123) << r.out;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("Richiedenti\tmethod hidden\t0x60030002\tCampoOrdinamento Variant \\(optional\\)")));
}

}  // namespace
