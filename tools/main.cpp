// veldrane: runs the component's members against a stand-in host.
//
//   veldrane run [FILE]                        scenario JSON in, result JSON out
//   veldrane members [CLASS [MEMBER]]          the member table, or one member's signature
//   veldrane lookup|decode MEMBER [ARG...]     one lookup or decode, printed for people
//   veldrane connect MEMBER [ARG...]           one connector request, printed for people
//
// Exit status: 0 done; 1 the member raised an error or the connector
// answered False; 2 unusable input (usage, names, files, scenarios).
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include <unistd.h>

#include "comgen/library.h"
#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/json_value.h"
#include "standin/scenario.h"

namespace {

using veldrane::standin::json;
using veldrane::standin::scenario_error;

constexpr const char* kExitCodes = R"(Exit status:
  0  done (run: the scenario ran; a member's error is part of its result)
  1  lookup, decode, connect: the member raised an error, or the connector answered False
  2  unusable input: a usage error, an unknown command, class or member, a file that
     cannot be read, a scenario or host profile that cannot be read
)";

constexpr const char* kArgumentsNote = R"(Arguments are the text typed: 1e3, 1.50, true, null and [1,2] reach the member as
those texts ('' is the empty text; one that begins with - goes after --). A typed
value is asked for with --arg-json VALUE, in its place among the others, in the
JSON encoding of run: 1 (Long), 1.5 (Double), true, null, {"$missing": true},
{"$integer": 3}, {"$date": "2024-03-01"}, ...
)";

// ---------------------------------------------------------------------------
// Files and standard input

// A file's bytes; when it cannot be opened or read, the system's reason.
std::string read_file(const std::string& path, const std::string& what) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) throw scenario_error("cannot open " + what + " " + path + ": " + std::strerror(errno));
  std::string s;
  char buf[65536];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, f.get())) s.append(buf, n);
  if (std::ferror(f.get())) throw scenario_error("cannot read " + what + " " + path + ": " + std::strerror(errno));
  return s;
}

// A parse error's own text without the library's "[json.exception...] " tag.
std::string parse_message(const json::parse_error& e) {
  std::string m = e.what();
  const std::size_t tag = m.find("] ");
  return m.rfind("[json.exception", 0) == 0 && tag != std::string::npos ? m.substr(tag + 2) : m;
}

json parse_json(const std::string& text, const std::string& where) {
  try {
    return json::parse(text);
  } catch (const json::parse_error& e) {
    throw scenario_error(where + ": not JSON: " + parse_message(e));
  }
}

json load_json(const std::string& path, const std::string& what) { return parse_json(read_file(path, what), path); }

std::string read_stdin() {
  // Someone at a terminal would otherwise see nothing happen.
  if (::isatty(STDIN_FILENO))
    std::cerr << "veldrane: reading a scenario (JSON) from standard input; end it with Ctrl-D, "
                 "or give a file: veldrane run FILE\n";
  std::ostringstream s;
  s << std::cin.rdbuf();
  return s.str();
}

// ---------------------------------------------------------------------------
// The classes, their subcommands and their member names

struct class_ref {
  std::string_view name;        // CLSMG_LOOKUP
  std::string_view subcommand;  // lookup
  std::vector<std::string_view> members;  // each name once, in table order

  bool has(std::string_view member) const {
    return std::any_of(members.begin(), members.end(), [&](std::string_view m) { return veldrane::iequal(m, member); });
  }
};

template <class C>
class_ref ref_of(const veldrane::class_info<C>& ci, std::string_view subcommand) {
  class_ref r{ci.name, subcommand, {}};
  for (const auto& m : ci.members)
    if (!r.has(m.name)) r.members.push_back(m.name);
  return r;
}

const std::vector<class_ref>& classes() {
  static const std::vector<class_ref> all = {ref_of(veldrane::lookup::info(), "lookup"),
                                             ref_of(veldrane::decode::info(), "decode"),
                                             ref_of(veldrane::connect::info(), "connect")};
  return all;
}

const class_ref* find_class(std::string_view name) {
  for (const auto& c : classes())
    if (veldrane::iequal(c.name, name)) return &c;
  return nullptr;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Edits (insertions, deletions, substitutions) from a to b, ignoring ASCII case.
std::size_t distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// At most three of `names` near `name`: a few edits away, or starting with it.
std::vector<std::string_view> nearest(const std::vector<std::string_view>& names, std::string_view name) {
  const std::size_t limit = std::max<std::size_t>(2, name.size() / 3);
  std::vector<std::pair<std::size_t, std::string_view>> near;
  for (std::string_view n : names) {
    const bool prefix = name.size() >= 3 && n.size() > name.size() && veldrane::iequal(n.substr(0, name.size()), name);
    const std::size_t d = distance(n, name);
    if (d <= limit || prefix) near.emplace_back(prefix ? std::min(d, limit) : d, n);
  }
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string_view> out;
  for (std::size_t i = 0; i < near.size() && i < 3; ++i) out.push_back(near[i].second);
  return out;
}

std::string either(const std::vector<std::string_view>& names) {
  std::string s;
  for (std::size_t i = 0; i < names.size(); ++i)
    s += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
  return s;
}

// Refuses a member `cls` does not have, with the nearest names and, when
// another class has it, the command that reaches it there.
void require_member(const class_ref& cls, const std::string& member, bool members_command) {
  if (cls.has(member)) return;
  std::string message = std::string(cls.name) + " has no member " + member;
  for (const auto& other : classes()) {
    if (&other == &cls || !other.has(member)) continue;
    message += "\n  it is a member of " + std::string(other.name) + ": veldrane " +
               (members_command ? "members " + std::string(other.name) : std::string(other.subcommand)) + " " + member;
  }
  const auto near = nearest(cls.members, member);
  if (!near.empty()) message += "\n  did you mean " + either(near) + "?";
  message += "\n  (veldrane members " + std::string(cls.name) + " lists them all)";
  throw scenario_error(message);
}

// ---------------------------------------------------------------------------
// members

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

std::string hex_dispid(std::int32_t dispid) {
  char id[16];
  std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(dispid));
  return id;
}

// A parameter's default in run's value encoding.
json default_json(const veldrane::param_info& p) {
  switch (p.default_type) {
    case veldrane::param_type::integer: return {{"$integer", std::stoi(std::string(p.default_text))}};
    case veldrane::param_type::long_: return std::stol(std::string(p.default_text));
    case veldrane::param_type::boolean: return veldrane::iequal(p.default_text, "True");
    case veldrane::param_type::object: return {{"$nothing", true}};
    default: return std::string(p.default_text);
  }
}

// The default as a declaration writes it: strings quoted, the rest as is.
std::string default_text(const veldrane::param_info& p) {
  return p.default_type == veldrane::param_type::string ? "\"" + std::string(p.default_text) + "\""
                                                        : std::string(p.default_text);
}

template <class M>
json member_json(const M& m) {
  json params = json::array();
  for (const auto& p : m.parameters()) {
    json j = {{"name", p.name}, {"type", type_name(p.type)}, {"optional", p.optional}, {"byref", p.by_ref}};
    if (p.has_default) j["default"] = default_json(p);
    params.push_back(std::move(j));
  }
  json j = {{"name", m.name}, {"kind", kind_name(m.kind)}, {"dispid", m.dispid()}, {"hidden", m.hidden},
            {"parameters", std::move(params)}};
  if (m.returns != veldrane::param_type::none) j["returns"] = type_name(m.returns);
  return j;
}

// The declaration of one row: Sub, Function or Property Get/Let/Set.
template <class M>
std::string signature(const M& m) {
  std::string s = m.kind == veldrane::member_kind::method
                      ? (m.returns == veldrane::param_type::none ? "Sub " : "Function ")
                      : std::string("Property ") + (m.kind == veldrane::member_kind::get   ? "Get "
                                                    : m.kind == veldrane::member_kind::let ? "Let "
                                                                                           : "Set ");
  s += std::string(m.name) + "(";
  bool first = true;
  for (const auto& p : m.parameters()) {
    s += first ? "" : ", ";
    if (p.optional) s += "Optional ";
    if (p.by_ref) s += "ByRef ";
    s += std::string(p.name) + " As " + type_name(p.type);
    if (p.has_default) s += " = " + default_text(p);
    first = false;
  }
  s += ")";
  if (m.returns != veldrane::param_type::none) s += std::string(" As ") + type_name(m.returns);
  return s;
}

template <class C>
void print_table(const veldrane::class_info<C>& ci) {
  std::cout << ci.name << " (" << ci.interface_name << " " << ci.iid << ", class " << ci.clsid << ")\n";
  int n = 0;
  for (const auto& m : ci.members) {
    std::cout << ++n << "\t" << m.name << "\t" << kind_name(m.kind) << (m.hidden ? " hidden" : "") << "\t"
              << hex_dispid(m.dispid()) << "\t";
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

// One member's rows (a property has one per accessor): a header with the
// dispatch id, then a declaration per row.
template <class C>
void print_member(const veldrane::class_info<C>& ci, const std::string& member) {
  bool header = false;
  for (const auto& m : ci.members) {
    if (!veldrane::iequal(m.name, member)) continue;
    if (!header)
      std::cout << ci.name << "." << m.name << " (dispid " << hex_dispid(m.dispid()) << (m.hidden ? ", hidden" : "")
                << ")\n";
    header = true;
    std::cout << "  " << signature(m) << "\n";
  }
}

template <class C>
json class_json(const veldrane::class_info<C>& ci, const std::string& member) {
  json members = json::array();
  for (const auto& m : ci.members)
    if (member.empty() || veldrane::iequal(m.name, member)) members.push_back(member_json(m));
  return {{"class", ci.name}, {"interface", ci.interface_name}, {"iid", ci.iid}, {"clsid", ci.clsid},
          {"members", std::move(members)}};
}

int cmd_members(const std::string& cls, const std::string& member, bool as_json) {
  if (!cls.empty()) {
    const class_ref* c = find_class(cls);
    if (!c) {
      std::string message = "unknown class " + cls + " (use CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT)";
      for (const auto& other : classes())
        if (other.has(cls)) message += "\n  " + cls + " is a member of " + std::string(other.name) +
                                       ": veldrane members " + std::string(other.name) + " " + cls;
      throw scenario_error(message);
    }
    if (!member.empty()) require_member(*c, member, true);
  }
  json out = json::array();
  bool first = true;
  auto show = [&](const auto& info) {
    if (!cls.empty() && !veldrane::iequal(cls, info.name)) return;
    if (as_json) {
      out.push_back(class_json(info, member));
      return;
    }
    if (!first) std::cout << "\n";
    first = false;
    if (member.empty()) print_table(info);
    else print_member(info, member);
  };
  show(veldrane::lookup::info());
  show(veldrane::decode::info());
  show(veldrane::connect::info());
  if (as_json) std::cout << out.dump(2) << "\n";
  return 0;
}

// ---------------------------------------------------------------------------
// run, lookup, decode, connect

void print_result(const json& result) { std::cout << result.dump(2) << "\n"; }

int cmd_run(const std::string& file, const veldrane::standin::run_options& options) {
  const json scenario = file.empty() || file == "-" ? parse_json(read_stdin(), "standard input")
                                                    : load_json(file, "scenario");
  print_result(veldrane::standin::run_scenario(scenario, options));
  return 0;
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

// What lookup, decode and connect share: the member, its arguments in the
// order given, the host and the options.
struct single_call {
  std::string member;
  json args = json::array();
  std::string host, ditta;
  bool as_json = false;
  veldrane::standin::run_options options;
};

// The scenario of one call, run; the member was checked first.
json run_call(const class_ref& cls, const single_call& call) {
  require_member(cls, call.member, false);
  json scenario = {{"class", cls.name}};
  if (call.host.empty() || call.host == "none") scenario["host"] = nullptr;
  else if (call.host == "default") scenario["host"] = "default";
  else scenario["host"] = load_json(call.host, "host profile");
  if (!call.ditta.empty()) scenario["set"] = {{"CodiceDitta", call.ditta}};
  scenario["calls"] = json::array({{{"member", call.member}, {"args", call.args}}});
  return veldrane::standin::run_scenario(scenario, call.options);
}

std::string text(const json& v) { return v.is_string() ? v.get<std::string>() : v.dump(); }

// Runs one member of a builder class and prints its outputs for people.
int cmd_build(const class_ref& cls, const single_call& call) {
  const json result = run_call(cls, call);
  const json& c = result["calls"][0];
  if (call.as_json) {
    print_result(result);
    return c["error"].is_null() ? 0 : 1;
  }
  if (!c["error"].is_null()) {
    std::cerr << "veldrane: " << call.member << " raised error " << c["error"]["number"] << ": "
              << text(c["error"]["description"]) << " (source " << text(c["error"]["source"]) << ")\n";
    return 1;
  }
  const json& p = c["properties"];
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
int cmd_connect(const class_ref& cls, const single_call& call) {
  const json result = run_call(cls, call);
  const json& c = result["calls"][0];
  const int status = !c["error"].is_null() || (c.contains("return") && c["return"] == false) ? 1 : 0;
  if (call.as_json) {
    print_result(result);
    return status;
  }
  if (!c["error"].is_null()) {
    std::cerr << "veldrane: " << call.member << " raised error " << c["error"]["number"] << ": "
              << text(c["error"]["description"]) << "\n";
    return 1;
  }
  if (c.contains("return")) std::cout << "Result:     " << c["return"].dump() << "\n";
  for (const json& s : result["sibling"]) std::cout << "Sibling:    " << text(s["member"]) << s["args"].dump() << "\n";
  for (const json& m : result["messages"]) std::cout << "Message:\n" << readable(text(m)) << "\n";
  return status;
}

// ---------------------------------------------------------------------------
// The command line

std::string version_text() {
  const comgen::library_info& lib = comgen::library();
  const std::string v = std::to_string(lib.major) + "." + std::to_string(lib.minor);
  return std::string(lib.name) + " " + v + ".0.0 (the veldrane tool and the component)\n" + "type library " +
         std::string(lib.name) + " " + v + " " + std::string(lib.libid);
}

veldrane::standin::run_options run_options_of(const std::string& instance_id) {
  veldrane::standin::run_options o;
  if (instance_id.empty()) return o;
  o.instance = veldrane::standin::parse_instance_id(instance_id);
  if (!o.instance)
    throw scenario_error("--instance-id: expected 32 hexadecimal digits (as the trace lines show an instance "
                         "identifier), got '" + instance_id + "'");
  return o;
}

// CLI11 spreads an argument written as a list, "[1,2]", over several values
// of a list option (ARG), and after "--" it stops filling ARG once it holds
// a value; the tool passes each argument as typed. Such arguments, and every
// one after "--" that begins with "-", are marked before parsing (so that
// they read as plain words) and unmarked when read. An argument that begins
// with the mark is marked too, so unmarking is exact.
constexpr char kMark = '\x1F';

std::vector<std::string> marked_words(int argc, char** argv) {
  std::vector<std::string> words;
  bool after_dashes = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (!after_dashes && a == "--") {
      after_dashes = true;
      continue;
    }
    if (!a.empty() && ((a.front() == '[' && a.back() == ']') || a.front() == kMark || (after_dashes && a.front() == '-')))
      a.insert(a.begin(), kMark);
    words.push_back(std::move(a));
  }
  std::reverse(words.begin(), words.end());  // CLI11 takes them from the back
  return words;
}

std::string unmark(std::string a) {
  if (!a.empty() && a.front() == kMark) a.erase(a.begin());
  return a;
}

// The arguments in the order typed: each ARG a text, each --arg-json a value.
json arguments_in_order(const CLI::App& sub, const CLI::Option* text_args, const CLI::Option* json_args) {
  json out = json::array();
  std::size_t t = 0, j = 0;
  for (const CLI::Option* o : sub.parse_order()) {
    if (o == text_args) {
      out.push_back(unmark(text_args->results().at(t++)));
    } else if (o == json_args) {
      const std::string v = unmark(json_args->results().at(j++));
      out.push_back(parse_json(v, "--arg-json '" + v + "'"));
    }
  }
  return out;
}

// Usage errors look like the tool's own: the prefix, and exit 2.
int usage_error(const std::string& message, const std::string& help_of) {
  std::string shown = message;
  std::erase(shown, kMark);
  std::cerr << "veldrane: " << shown << "\nRun 'veldrane " << help_of << (help_of.empty() ? "" : " ")
            << "--help' for more information.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"veldrane: run the component's members against a stand-in host", "veldrane"};
  app.require_subcommand(1);
  app.set_version_flag("--version", version_text(), "Print the component's and the type library's version and exit");
  app.footer(std::string(kExitCodes) + R"(
Examples:
  veldrane lookup Operatori --host default
  veldrane decode Operatore 1e3 --host default --json
  veldrane members CLSMG_DECODE Operatore
  veldrane run examples/scenario.json --instance-id 00000000000000000000000000000001
)");

  std::string run_file, instance_id;
  auto* run = app.add_subcommand("run", "Run a JSON scenario (from FILE or standard input) and print the result as JSON");
  run->add_option("FILE", run_file, "scenario file; standard input when absent or -");
  auto add_instance_id = [&](CLI::App* sub) {
    sub->add_option("--instance-id", instance_id,
                    "every instance identifier is this one (32 hexadecimal digits), so that results can be diffed");
  };
  add_instance_id(run);
  run->footer(std::string(kExitCodes) + R"(
Examples:
  veldrane run examples/scenario.json
  veldrane run - < examples/scenario.json
  veldrane run examples/scenario.json --instance-id 00000000000000000000000000000001
)");

  std::string members_class, members_member;
  bool as_json = false;
  auto* members = app.add_subcommand("members", "List a class's member table, or print one member's signature");
  members->add_option("CLASS", members_class, "CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT; all when absent");
  members->add_option("MEMBER", members_member, "one member of CLASS: its declaration");
  members->add_flag("--json", as_json, "the table as JSON (names, kinds, dispatch ids, parameters, defaults)");
  members->footer(std::string(kExitCodes) + R"(
Examples:
  veldrane members CLSMG_LOOKUP
  veldrane members CLSMG_CONNECT MacroAree
  veldrane members CLSMG_DECODE --json
)");

  single_call call;
  struct call_command {
    CLI::App* sub;
    const class_ref& cls;
    CLI::Option *text_args, *json_args;
  };
  std::vector<call_command> call_commands;
  const struct {
    const class_ref& cls;
    const char* description;
    const char* examples;
  } kinds[] = {
      {classes()[0], "Run one CLSMG_LOOKUP member and print its definition",
       "  veldrane lookup Operatori MG01_DESCR --host default\n"
       "  veldrane lookup MacroAree --arg-json 1 --host default --ditta 5\n"
       "  veldrane lookup Zone 1 N '' --host examples/myhost.json --json\n"},
      {classes()[1], "Run one CLSMG_DECODE member and print its query",
       "  veldrane decode Operatore ABC --host default\n"
       "  veldrane decode Operatore 1e3 --host default --json\n"},
      {classes()[2], "Run one CLSMG_CONNECT member and print what reached the sibling connector",
       "  veldrane connect MacroAree 1 NORD\n"
       "  veldrane connect Agenti A01 --host default --json\n"},
  };
  std::vector<std::string> text_args;
  for (const auto& k : kinds) {
    auto* sub = app.add_subcommand(std::string(k.cls.subcommand), k.description);
    sub->add_option("MEMBER", call.member, "a member of " + std::string(k.cls.name) + " (veldrane members " +
                                                std::string(k.cls.name) + " lists them)")
        ->required();
    auto* t = sub->add_option("ARG", text_args, "arguments in order, each the text typed");
    auto* j = sub->add_option("--arg-json", "one argument as a JSON value, in its place among the ARGs")
                  ->type_name("JSON")
                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    sub->add_option("--host", call.host, "host profile: none (the default), default, or a JSON profile file");
    if (&k.cls != &classes()[2]) sub->add_option("--ditta", call.ditta, "CodiceDitta to set before the call");
    sub->add_flag("--json", call.as_json, "print the result as run does (JSON) instead");
    add_instance_id(sub);
    sub->footer(std::string(kArgumentsNote) + "\n" + kExitCodes + "\nExamples:\n" + k.examples);
    call_commands.push_back({sub, k.cls, t, j});
  }

  std::vector<std::string> words = marked_words(argc, argv);
  try {
    app.parse(words);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    const auto used = app.get_subcommands();
    if (used.empty()) {
      // The first word that is not an option names the command.
      for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (!word.empty() && word[0] == '-') continue;
        if (!app.get_subcommands([&](const CLI::App* sub) { return sub->get_name() == word; }).empty()) break;
        return usage_error("'" + word + "' is not a veldrane command (commands: run, members, lookup, decode, connect)",
                             "");
      }
      return usage_error(std::string(e.what()) == "A subcommand is required"
                             ? "a command is required (run, members, lookup, decode, connect)"
                             : std::string(e.what()),
                         "");
    }
    return usage_error(e.what(), used.front()->get_name());
  }

  for (std::string* s : {&run_file, &instance_id, &members_class, &members_member, &call.member, &call.host, &call.ditta})
    *s = unmark(*s);
  try {
    if (*run) return cmd_run(run_file, run_options_of(instance_id));
    if (*members) return cmd_members(members_class, members_member, as_json);
    for (const auto& c : call_commands) {
      if (!*c.sub) continue;
      call.args = arguments_in_order(*c.sub, c.text_args, c.json_args);
      call.options = run_options_of(instance_id);
      return c.cls.subcommand == "connect" ? cmd_connect(c.cls, call) : cmd_build(c.cls, call);
    }
  } catch (const std::exception& e) {
    std::cerr << "veldrane: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
