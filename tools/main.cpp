// veldrane: runs the component's members against a stand-in host.
//
//   veldrane run [FILE]              scenario JSON in, result JSON out
//   veldrane members [CLASS]         the member table
//   veldrane lookup MEMBER [ARG...]  one lookup, printed for people
//   veldrane decode MEMBER [ARG...]  one decode, printed for people
//   veldrane connect MEMBER [ARG...] one connector request, printed for people
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <sstream>

#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/json_value.h"
#include "standin/scenario.h"

namespace {

using veldrane::standin::json;
using veldrane::standin::scenario_error;

std::string read_all(std::istream& in) {
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A parse error's own text without the library's "[json.exception...] " tag.
std::string parse_message(const json::parse_error& e) {
  std::string m = e.what();
  const std::size_t tag = m.find("] ");
  return m.rfind("[json.exception", 0) == 0 && tag != std::string::npos ? m.substr(tag + 2) : m;
}

json load_json(const std::string& path, const char* what) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw scenario_error(std::string("cannot open ") + what + " " + path);
  try {
    return json::parse(read_all(f));
  } catch (const json::parse_error& e) {
    throw scenario_error(path + ": not JSON: " + parse_message(e));
  }
}

int cmd_run(const std::string& file) {
  json scenario;
  if (file.empty() || file == "-") {
    try {
      scenario = json::parse(read_all(std::cin));
    } catch (const json::parse_error& e) {
      throw scenario_error("standard input: not JSON: " + parse_message(e));
    }
  } else {
    scenario = load_json(file, "scenario");
  }
  std::cout << veldrane::standin::run_scenario(scenario).dump(2) << "\n";
  return 0;
}

const char* kind_name(veldrane::member_kind k) {
  switch (k) {
    case veldrane::member_kind::method: return "method";
    case veldrane::member_kind::get: return "get";
    case veldrane::member_kind::let: return "let";
    case veldrane::member_kind::set: return "set";
  }
  return "?";
}

const char* type_name(veldrane::param_type t) {
  switch (t) {
    case veldrane::param_type::none: return "";
    case veldrane::param_type::variant: return "Variant";
    case veldrane::param_type::string: return "String";
    case veldrane::param_type::integer: return "Integer";
    case veldrane::param_type::long_: return "Long";
    case veldrane::param_type::boolean: return "Boolean";
    case veldrane::param_type::object: return "Object";
  }
  return "?";
}

template <class C>
void print_members(const veldrane::class_info<C>& ci) {
  std::cout << ci.name << " (" << ci.interface_name << " " << ci.iid << ", class " << ci.clsid << ")\n";
  int n = 0;
  for (const auto& m : ci.members) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(m.dispid()));
    std::cout << ++n << "\t" << m.name << "\t" << kind_name(m.kind) << (m.hidden ? " hidden" : "") << "\t" << id << "\t";
    bool first = true;
    for (const auto& p : m.parameters()) {
      std::cout << (first ? "" : ", ") << p.name << " " << type_name(p.type);
      if (p.optional) std::cout << (p.has_default ? " (optional, default \"" + std::string(p.default_text) + "\")" : " (optional)");
      first = false;
    }
    if (m.returns != veldrane::param_type::none) std::cout << (first ? "" : " ") << "-> " << type_name(m.returns);
    std::cout << "\n";
  }
}

int cmd_members(const std::string& cls) {
  const bool all = cls.empty();
  bool known = false;
  auto show = [&](const auto& info) {
    if (!all && !veldrane::iequal(cls, info.name)) return;
    if (known) std::cout << "\n";
    print_members(info);
    known = true;
  };
  show(veldrane::lookup::info());
  show(veldrane::decode::info());
  show(veldrane::connect::info());
  if (!known) throw scenario_error("unknown class " + cls + " (use CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT)");
  return 0;
}

// A command-line argument: JSON when it reads as JSON (0, "x", null,
// {"$missing": true}), otherwise the text itself.
json parse_arg(const std::string& a) {
  try {
    return json::parse(a);
  } catch (const json::parse_error&) {
    return a;
  }
}

// Line breaks of a statement shown as line breaks; a lone carriage return
// too, so that the terminal does not overwrite the line.
std::string readable(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Runs one member of a builder class and prints its outputs for people.
int cmd_build(const char* cls, const std::string& member, const std::vector<std::string>& args,
              const std::string& host_arg, const std::string& ditta) {
  json scenario = {{"class", cls}};
  if (host_arg.empty() || host_arg == "none") scenario["host"] = nullptr;
  else if (host_arg == "default") scenario["host"] = "default";
  else scenario["host"] = load_json(host_arg, "host profile");
  if (!ditta.empty()) scenario["set"] = {{"CodiceDitta", parse_arg(ditta)}};
  json call = {{"member", member}, {"args", json::array()}};
  for (const auto& a : args) call["args"].push_back(parse_arg(a));
  scenario["calls"] = json::array({call});
  json result = veldrane::standin::run_scenario(scenario);
  const json& c = result["calls"][0];
  if (!c["error"].is_null()) {
    std::cerr << "veldrane: " << member << " raised error " << c["error"]["number"] << ": "
              << c["error"]["description"].get<std::string>() << " (source " << c["error"]["source"].get<std::string>()
              << ")\n";
    return 1;
  }
  const json& p = c["properties"];
  auto text = [](const json& v) { return v.is_string() ? v.get<std::string>() : v.dump(); };
  // A lookup lists its captions in (c, 0); a decode its field names in (c, 1).
  const bool is_lookup = p.contains("Titolo");
  if (is_lookup) {
    std::cout << "Titolo:     " << text(p["Titolo"]) << "\n";
    std::cout << "IDLookup:   " << text(p["IDLookup"]) << "\n";
  }
  std::cout << (is_lookup ? "Columns:\n" : "Fields:\n");
  if (p["ArrayFields"].is_object() && p["ArrayFields"].contains("$array")) {
    int i = p["ArrayFields"]["$lbound"][0].get<int>();
    for (const json& row : p["ArrayFields"]["$array"]) std::cout << "  " << i++ << "  " << text(row[is_lookup ? 0 : 1]) << "\n";
  }
  std::cout << "StringaSQL:\n" << readable(text(p["StringaSQL"])) << "\n";
  return 0;
}

// Runs one connector member and prints its answer, the requests that reached
// the sibling and the message boxes it showed.
int cmd_connect(const std::string& member, const std::vector<std::string>& args, const std::string& host_arg) {
  json scenario = {{"class", "CLSMG_CONNECT"}};
  if (host_arg.empty() || host_arg == "none") scenario["host"] = nullptr;
  else if (host_arg == "default") scenario["host"] = "default";
  else scenario["host"] = load_json(host_arg, "host profile");
  json call = {{"member", member}, {"args", json::array()}};
  for (const auto& a : args) call["args"].push_back(parse_arg(a));
  scenario["calls"] = json::array({call});
  json result = veldrane::standin::run_scenario(scenario);
  const json& c = result["calls"][0];
  if (!c["error"].is_null()) {
    std::cerr << "veldrane: " << member << " raised error " << c["error"]["number"] << ": "
              << c["error"]["description"].get<std::string>() << "\n";
    return 1;
  }
  if (c.contains("return")) std::cout << "Result:     " << c["return"].dump() << "\n";
  for (const json& s : result["sibling"]) std::cout << "Sibling:    " << s["member"].get<std::string>() << s["args"].dump() << "\n";
  for (const json& m : result["messages"]) std::cout << "Message:\n" << readable(m.get<std::string>()) << "\n";
  return c.contains("return") && c["return"] == false ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"veldrane: run the component's members against a stand-in host"};
  app.require_subcommand(1);

  std::string run_file;
  auto* run = app.add_subcommand("run", "Run a JSON scenario (from FILE or standard input) and print the result as JSON");
  run->add_option("FILE", run_file, "scenario file; standard input when absent or -");

  std::string members_class;
  auto* members = app.add_subcommand("members", "List a class's member table");
  members->add_option("CLASS", members_class, "CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT; all when absent");

  std::string member, host_arg, ditta;
  std::vector<std::string> args;
  auto* lk = app.add_subcommand("lookup", "Run one CLSMG_LOOKUP member and print its definition");
  auto* dc = app.add_subcommand("decode", "Run one CLSMG_DECODE member and print its query");
  auto* cn = app.add_subcommand("connect", "Run one CLSMG_CONNECT member and print what reached the sibling connector");
  for (auto* sub : {lk, dc, cn}) {
    sub->add_option("MEMBER", member, sub == lk ? "member name, e.g. Operatori" : "member name, e.g. Operatore")
        ->required();
    sub->add_option("ARG", args, "arguments in order: JSON values, or plain text");
    sub->add_option("--host", host_arg, "host profile: none (default), default, or a JSON profile file");
    sub->add_option("--ditta", ditta, "CodiceDitta to set before the call");
  }

  CLI11_PARSE(app, argc, argv);
  try {
    if (*run) return cmd_run(run_file);
    if (*members) return cmd_members(members_class);
    if (*lk) return cmd_build("CLSMG_LOOKUP", member, args, host_arg, ditta);
    if (*dc) return cmd_build("CLSMG_DECODE", member, args, host_arg, ditta);
    if (*cn) return cmd_connect(member, args, host_arg);
  } catch (const scenario_error& e) {
    std::cerr << "veldrane: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "veldrane: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
