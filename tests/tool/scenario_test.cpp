#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "standin/json_value.h"
#include "standin/scenario.h"

using namespace veldrane;
using standin::json;

namespace {

TEST(json_value_test, every_kind_round_trips) {
  const char* encodings[] = {R"("text")", "true", "null", "42", "2.5", R"({"$empty":true})", R"({"$integer":3})",
                             R"({"$decimal":"12.5"})", R"({"$date":"2024-03-01"})",
                             R"({"$date":"2024-03-01T10:30:00"})",
                             R"({"$array":[["Codice",""],["Descrizione",""]],"$lbound":[0,0]})",
                             R"({"$array":[1,2,3],"$lbound":[1]})"};
  for (const char* e : encodings) EXPECT_EQ(standin::to_json(standin::from_json(json::parse(e))).dump(), e);
  EXPECT_TRUE(standin::from_json(json::parse(R"({"$missing":true})")).is_missing());
}

// What no shared case can pin: keys a call's record leaves out.
TEST(scenario_test, methods_return_nothing_and_objects_are_not_listed) {
  const json r = standin::run_scenario(json::parse(R"({"host": "default", "calls": [{"member": "Operatori"}]})"));
  EXPECT_FALSE(r["calls"][0].contains("return"));
  EXPECT_FALSE(r["calls"][0]["properties"].contains("ActiveInterface"));
}

// The tool itself: exit codes and streams. It runs in the source tree, so
// that the examples folder is at hand.
struct run_result {
  int status;
  std::string out;
};

// Runs a shell command; its status and output.
run_result shell(const std::string& cmd) {
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  return {WEXITSTATUS(pclose(p)), out};
}

// Tests run in parallel processes: each call has an input file of its own.
run_result run_tool(const std::string& args, const std::string& input = "") {
  std::string in_path = ::testing::TempDir() + "veldrane_in_XXXXXX";
  close(mkstemp(in_path.data()));
  std::ofstream(in_path) << input;
  // The input goes first, so that a redirection in `args` takes precedence.
  const run_result r = shell(std::string("cd '") + VELDRANE_SOURCE_DIR + "' && " + VELDRANE_TOOL + " < " + in_path +
                             " " + args + " 2>&1");
  std::remove(in_path.c_str());
  return r;
}

// Command line, standard input, exit status, a fragment of the output
// (standard output and error together).
struct tool_row {
  const char *args, *input;
  int status;
  const char* fragment;
};

void check_rows(std::initializer_list<tool_row> rows) {
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args);
    const run_result got = run_tool(r.args, r.input);
    EXPECT_EQ(got.status, r.status) << got.out;
    EXPECT_NE(got.out.find(r.fragment), std::string::npos) << got.out;
  }
}

constexpr const char* kOneCall = R"({"calls": [{"member": "Operatori", "args": ["X;Y"]}]})";

TEST(tool_test, scenarios_are_refused_rather_than_guessed) {
  check_rows({
      {"run", kOneCall, 0, R"("description": "Invalid sort column: X;Y")"},
      {"run -", "{not json", 2, "veldrane: standard input: not JSON"},
      {"run", R"({"clas": "CLSMG_DECODE", "calls": []})", 2,
       R"(veldrane: unknown key "clas" (known keys: class, host, set, log, calls))"},
      {"run /nonexistent/file.json", "", 2, "veldrane: cannot open scenario /nonexistent/file.json: No such file or directory"},
      {"run tests", "", 2, "veldrane: cannot read scenario tests: Is a directory"},
      {"lookup Operatori --host /nonexistent/h.json", "", 2, "cannot open host profile /nonexistent/h.json: No such file"},
  });
}

TEST(tool_test, arguments_are_the_text_typed_unless_asked_as_json) {
  check_rows({
      {"decode Operatore 1e3 --host default", "", 0, "MG01_CODICE = '1e3'"},
      {"decode Operatore '[1,2]' --host default", "", 0, "MG01_CODICE = '[1,2]'"},
      {"decode Operatore '\"x\"' --host default", "", 0, "MG01_CODICE = '\"x\"'"},
      {"decode Operatore --host default -- -x", "", 0, "MG01_CODICE = '-x'"},
      {"decode Operatore --arg-json 1e3 --host default", "", 0, "MG01_CODICE = '1000'"},
      {"decode Operatore --arg-json '[1,2]'", "", 2, "veldrane: Operatore, argument 1: unknown value [1,2]"},
      {"decode Operatore --arg-json '{bad'", "", 2, "veldrane: --arg-json '{bad': not JSON"},
      // Typed and text arguments keep their order.
      {"lookup Zone --arg-json 1 N '' 'MG09_ZONA DESC' --host default", "", 0,
       "MG09_TIPOCF_MG08 = 1 AND    MG09_MACROAREA_MG08 = 'N' AND    MG09_AREA_MG08 = '' ORDER BY MG09_ZONA DESC"},
      {"lookup Zone 1 --arg-json '\"[N]\"' '[A]' --host default", "", 0,
       "MG09_MACROAREA_MG08 = '[N]' AND    MG09_AREA_MG08 = '[A]'"},
      {"lookup Operatori --arg-json '{\"$missing\": true}'", "", 0, "ORDER BY MG01_CODICE"},
      {"lookup MacroAree 1 --host default --ditta 5", "", 0, "MG07_DITTA_CG18 = 5"},
  });
}

TEST(tool_test, command_line_conventions) {
  check_rows({
      {"--version", "", 0, " (the veldrane tool and the component)\ntype library VELDRANE "},
      {"--help", "", 0, "1  lookup, decode, connect: the member raised an error, or the connector answered False"},
      {"lookup --help", "", 0, "--arg-json VALUE"},
      {"frobnicate", "", 2, "veldrane: 'frobnicate' is not a veldrane command"},
      {"", "", 2, "veldrane: a command is required"},
      {"lookup", "", 2, "veldrane: MEMBER is required\nRun 'veldrane lookup --help'"},
      {"lookup Operatori --bogus", "", 2, "veldrane: The following argument was not expected: --bogus"},
      {"connect MacroAree 1 NORD --ditta 5", "", 2, "veldrane: The following argument was not expected: --ditta"},
      {"lookup Operatore", "", 2, "it is a member of CLSMG_DECODE: veldrane decode Operatore"},
      {"lookup operatre", "", 2, "CLSMG_LOOKUP has no member operatre\n  did you mean Operatori?"},
      {"members CLSMG_DECODE Operatori", "", 2, "it is a member of CLSMG_LOOKUP: veldrane members CLSMG_LOOKUP Operatori"},
      {"members CLSMG_CONNECT macroaree", "", 0,
       "CLSMG_CONNECT.MacroAree (dispid 0x60030009)\n"
       "  Function MacroAree(Optional TipoCf As Variant = 0, Optional CodiceMacroArea As Variant = \"\") As Boolean\n"},
      {"members CLSMG_CONNECT TransferData", "", 0, "Sub TransferData(ByRef Cancel As Boolean, Data As Variant,"},
      {"members CLSMG_LOOKUP CodiceDitta", "", 0,
       "  Property Let CodiceDitta(value As Long)\n  Property Get CodiceDitta() As Long\n"},
      {"members CLSMG_LOOKUP", "", 0, "Richiedenti\tmethod hidden\t0x60030002\tCampoOrdinamento Variant (optional)"},
  });
}

TEST(tool_test, json_output_and_exit_status) {
  constexpr const char* kNoSibling = R"({"sibling": {"absent": true}})";
  check_rows({
      {"lookup Operatori MG01_DESCR --host default", "", 0, "Titolo:     Elenco Operatori\n"},
      {"lookup Operatori 'X;Y'", "", 1, "veldrane: Operatori raised error 5"},
      {"lookup Operatori --json --instance-id 00000000000000000000000000000001", "", 0,
       "\"VORX:|00000000000000000000000000000001|INI|VELDRANE|CLSMG_LOOKUP\""},
      {"connect MacroAree 1 NORD", "", 0, "Sibling:    MacroAree[{\"$decimal\":\"1\"},\"NORD\"]"},
      {"connect MacroAree 1 NORD --json", "", 0, "\"return\": true"},
      {"connect MacroAree --host /dev/stdin", kNoSibling, 1, "Result:     false\nMessage:"},
      {"connect MacroAree --host /dev/stdin --json", kNoSibling, 1, "\"return\": false"},
      {"members CLSMG_DECODE Operatore --json", "", 0, "\"name\": \"CodiceOperatore\""},
      {"members CLSMG_CONNECT MacroAree --json", "", 0, "\"default\": {\n              \"$integer\": 0"},
      {"run --instance-id 0123456789abcdef0123456789ABCDEF", kOneCall, 0,
       "\"VORX:|0123456789ABCDEF0123456789ABCDEF|TER|VELDRANE|CLSMG_LOOKUP\""},
      {"run --instance-id 0123456789abcdef", kOneCall, 2, "veldrane: --instance-id: expected 32 hexadecimal digits"},
  });
  // With the instance identifier fixed, two runs give the same bytes.
  const std::string fixed = "run examples/scenario.json --instance-id 00000000000000000000000000000001";
  EXPECT_EQ(run_tool(fixed).out, run_tool(fixed).out);
  EXPECT_NE(run_tool("run examples/scenario.json").out, run_tool("run examples/scenario.json").out);
}

// Every example that the help texts and the README show runs and succeeds,
// and the README shows the example scenario as it is.
std::string file_text(const std::string& file) {
  std::ifstream in(std::string(VELDRANE_SOURCE_DIR) + "/" + file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> example_lines(const std::string& text, const std::string& start) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find(start);
    if (at == std::string::npos || line.find_first_not_of(' ') != at) continue;
    line = line.substr(at + start.size());
    line = line.substr(0, line.find(" #"));  // a shell comment
    out.push_back(line);
  }
  return out;
}

TEST(tool_test, the_documented_examples_run) {
  std::vector<std::string> examples;
  for (const char* help : {"--help", "run --help", "members --help", "lookup --help", "decode --help", "connect --help"})
    for (const auto& e : example_lines(run_tool(help).out, "veldrane ")) examples.push_back(e);
  const std::string text = file_text("README.md");
  const auto documented = example_lines(text, "build/veldrane ");
  EXPECT_GE(documented.size(), 10u);
  examples.insert(examples.end(), documented.begin(), documented.end());
  for (const auto& e : examples) EXPECT_EQ(run_tool(e).status, 0) << e << "\n" << run_tool(e).out;
  for (const char* file : {"examples/scenario.json", "examples/myhost.json"})
    EXPECT_NE(text.find(file_text(file)), std::string::npos) << file << " is not shown in the README as it is";
}

// Someone who runs `veldrane run` at a terminal is told what it waits for.
TEST(tool_test, a_terminal_on_standard_input_is_told_what_is_awaited) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
  const std::string terminal = ptsname(master);
  const int slave = open(terminal.c_str(), O_RDWR | O_NOCTTY);  // keeps the terminal open
  ASSERT_GE(slave, 0);
  const std::string input = std::string(kOneCall) + "\n\x04";  // a line, then end of input
  ASSERT_EQ(write(master, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  const auto [status, out] = shell(std::string("timeout 20 ") + VELDRANE_TOOL + " run < " + terminal + " 2>&1");
  EXPECT_EQ(status, 0) << out;
  close(slave);
  close(master);
  EXPECT_EQ(out.find("veldrane: reading a scenario (JSON) from standard input; end it with Ctrl-D"), 0u) << out;
  EXPECT_NE(out.find("Invalid sort column: X;Y"), std::string::npos) << out;
  // Not from a terminal, nothing is said.
  EXPECT_EQ(run_tool("run", kOneCall).out.find("reading a scenario"), std::string::npos);
}

}  // namespace
