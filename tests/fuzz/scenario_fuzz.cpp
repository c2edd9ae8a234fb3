// Fuzz driver: turns its input bytes into a scenario (a class, a host
// profile, calls on any member with values of every kind) and runs it as
// `veldrane run` does. Besides crashes and sanitizer reports it fails when
// anything but the runner's own refusal escapes, when a caller's text
// (marked ZQX; refused sort columns ZQY) reaches a statement outside a quoted
// literal, or when a refused sort column changed an output. With
// -fsanitize=fuzzer it is a libFuzzer target; else main runs each input file
// (or each file of a directory) once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/scenario.h"

using veldrane::standin::json;

namespace {

class reader {
 public:
  reader(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}
  std::uint8_t byte() { return i_ < n_ ? p_[i_++] : 0; }
  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = v << 8 | byte();
    return v;
  }
  bool more() const { return i_ < n_; }
  // Printable text (and a few control and accented characters), so that the
  // result is always valid JSON.
  std::string text(std::size_t max) {
    static constexpr std::string_view kExtra[] = {"\t", "\r\n", "\xc3\xa0", "'", "''", "--", "/*", ";", "]", "["};
    std::string s;
    for (std::size_t len = byte() % (max + 1); len > 0; --len) {
      const std::uint8_t b = byte();
      if (b >= 0xF0) s += kExtra[b % std::size(kExtra)];
      else s += static_cast<char>(0x20 + b % 0x5F);
    }
    return s;
  }
  template <class T, std::size_t N>
  const T& pick(const T (&a)[N]) {
    return a[byte() % N];
  }

 private:
  const std::uint8_t* p_;
  std::size_t n_, i_ = 0;
};

constexpr std::string_view kMarker = "ZQX";        // in every caller text it may carry
constexpr std::string_view kSortMarker = "ZQY";    // only in sort columns that must be refused

constexpr const char* kInteresting[] = {
    "MG1N_CODICE", "MGA3_TIPOCF_CG44", "0x41", "1e5", "12ZZINJ", "1,5", "1.5", "-2", "+3", " 7 ", ".5", "5.",
    "", " ", "0", "2147483648", "99999999999999999999999999999", "1 OR 1=1", "NULL", "True", "01/03/2024"};
constexpr const char* kSortTexts[] = {
    "MG01_DESCR", "MG01_DESCR DESC", "1", "2 asc, MG01_CODICE", "[Strange Name] DESC", "T.COL, dbo.T.[X]", "", " ",
    "A,,B", "A DESC DESC", "1abc", "(SELECT TOP 1 CASE WHEN ASCII(name) = 97 THEN 1 ELSE 2 END FROM sys.tables)"};

json number_json(reader& r) {
  switch (r.byte() % 4) {
    case 0: return static_cast<std::int32_t>(r.u32());
    case 1: return static_cast<std::int32_t>(r.byte()) - 128;
    case 2: return static_cast<double>(static_cast<std::int32_t>(r.u32())) / (1 + r.byte());
    default: {
      static constexpr double kOdd[] = {1.5, 2.0, -0.5, 1e20, 1e-7, 123456789012345.67, 7.9e28, 1e300};
      return r.pick(kOdd);
    }
  }
}

json value_json(reader& r, int depth, bool marker) {
  switch (r.byte() % 16) {
    case 0: {
      std::string s = r.text(12);
      if (marker && r.byte() % 2) s.insert(0, kMarker);  // never inside a multi-byte character
      return s;
    }
    case 1:
    case 2: return number_json(r);
    case 3: return {{"$integer", static_cast<std::int16_t>(r.u32())}};
    case 4: {
      std::string d = std::to_string(static_cast<std::int32_t>(r.u32()));
      if (r.byte() % 2) d += "." + std::to_string(r.u32());
      if (r.byte() % 4 == 0) d += std::string(r.byte() % 40, '9');
      return {{"$decimal", d}};
    }
    case 5: return {{"$date", r.byte() % 2 ? "2024-03-01" : "1899-12-30T10:30:00"}};
    case 6: return {{"$empty", true}};
    case 7: return nullptr;
    case 8: return {{"$missing", true}};
    case 9: return r.byte() % 2 == 0;
    case 10: return {{"$nothing", true}};
    case 11: {
      if (depth > 0) return nullptr;
      const bool two = r.byte() % 2;
      json data = json::array();
      const int rows = r.byte() % 3, cols = 1 + r.byte() % 2;
      for (int i = 0; i < rows; ++i) {
        json row = json::array();
        for (int k = 0; k < (two ? cols : 1); ++k) row.push_back(value_json(r, depth + 1, marker));
        data.push_back(two ? row : row[0]);
      }
      static constexpr std::int64_t kBounds[] = {0, 1, -1, INT32_MAX, INT32_MAX - 1, INT32_MIN, INT32_MIN + 1};
      json lb = json::array();
      for (int d = 0; d < (two && rows > 0 ? 2 : 1); ++d) lb.push_back(r.pick(kBounds));
      return {{"$array", data}, {"$lbound", lb}};
    }
    case 12: return {{"$object", "Campo"}};
    default: {
      std::string s = r.pick(kInteresting);
      if (marker && r.byte() % 4 == 0) s += kMarker;
      return s;
    }
  }
}

json sort_json(reader& r) {
  switch (r.byte() % 4) {
    case 0: return {{"$missing", true}};
    case 1: return r.pick(kSortTexts);
    case 2: {
      // Something the grammar refuses: the marker stays out of any statement.
      std::string s = r.text(10);
      std::erase_if(s, [](char c) { return c == '[' || c == ']'; });
      return s + " (" + std::string(kSortMarker) + ")";
    }
    default: return value_json(r, 0, false);
  }
}

json host_json(reader& r) {
  const int kind = r.byte() % 4;
  if (kind < 2) return kind == 0 ? json(nullptr) : json("default");
  json p = {{"company", 1}, {"language", "ITA "}, {"userLanguage", "ITA "}, {"userId", 1}, {"agent", 0}};
  static constexpr const char* kKeys[] = {"company", "language", "transferCheck", "hierarchicalCoding",
                                          "userText1", "userText4", "userLanguage", "userId", "agent",
                                          "filtersApply", "productionColumns"};
  for (int i = r.byte() % 4; i > 0; --i) p[r.pick(kKeys)] = value_json(r, 1, false);
  static constexpr const char* kFail[] = {"company", "language", "environment", "connection", "translations",
                                          "extensions", "filterClause", "agent", "userId"};
  if (r.byte() % 3 == 0) p["fail"] = json::array({r.pick(kFail)});
  if (r.byte() % 3 == 0) p["filtersApply"] = true, p["filterClause"] = " AND 1 = 1";
  if (r.byte() % 3 == 0) p["converter"] = {{"status", r.byte() % 2}, {"output", value_json(r, 1, false)}};
  if (r.byte() % 4 == 0) p["translations"] = {{"Elenco Uffici clienti", value_json(r, 1, false)}};
  if (r.byte() % 4 == 0) p["sibling"] = {{"fail", json::array({"Agenti", "MacroAree", "TerminateConnect"})}};
  if (r.byte() % 4 == 0) p["database"] = {{"CM01_CATEGORIECOMM", {{{"CM01_IDCATEGORIA", 1}, {"CM01_INDTIPODATO", 1}}}}};
  return p;
}

template <class C>
json calls_json(reader& r) {
  const auto members = C::info().members;
  // The first call reads the outputs as they are before anything runs.
  json calls = json::array({{{"member", "Titolo"}}});
  if (std::string_view(C::info().name) != "CLSMG_LOOKUP") calls = json::array({{{"member", "StringaSQL"}}});
  for (int n = 1 + r.byte() % 3; n > 0 && r.more(); --n) {
    const auto& m = members[r.u32() % members.size()];
    json args = json::array();
    std::size_t count = m.kind == veldrane::member_kind::get ? 0
                        : m.kind == veldrane::member_kind::method ? m.param_count : 1;
    if (r.byte() % 8 == 0) count = r.byte() % 5;  // wrong counts too
    for (std::size_t i = 0; i < count; ++i) {
      const bool sort = i < m.param_count && m.params[i].name == "CampoOrdinamento";
      args.push_back(sort ? sort_json(r) : value_json(r, 0, true));
    }
    json call = {{"member", std::string(m.name)}, {"args", args}};
    // A property name with no arguments reads it: a let needs a value.
    if (m.kind != veldrane::member_kind::method && count == 0) call.erase("args");
    calls.push_back(call);
  }
  return calls;
}

[[noreturn]] void fail(const std::string& why, const json& scenario) {
  std::fprintf(stderr, "scenario_fuzz: %s\nscenario: %s\n", why.c_str(), scenario.dump().c_str());
  std::abort();
}

// The statement's text outside its quoted literals ('' inside one is a quote).
std::string outside_literals(const std::string& sql) {
  std::string out;
  bool in = false;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    if (sql[i] != '\'') {
      if (!in) out += sql[i];
    } else if (in && i + 1 < sql.size() && sql[i + 1] == '\'') {
      ++i;
    } else {
      in = !in;
      out += ' ';
    }
  }
  return out;
}

void check(const json& scenario, const json& result) {
  (void)result.dump();  // throws on anything that is not valid JSON
  const json* before = nullptr;
  for (const json& c : result.at("calls")) {
    const json& props = c.at("properties");
    // A statement the call composed (the caller may assign StringaSQL any
    // text itself).
    const bool composed = c.at("member") != "StringaSQL" && props.contains("StringaSQL") &&
                          props["StringaSQL"].is_string() &&
                          (!before || (*before)["StringaSQL"] != props["StringaSQL"]);
    if (composed) {
      const std::string bare = outside_literals(props["StringaSQL"].get<std::string>());
      if (bare.find(kMarker) != std::string::npos) fail("a caller's text outside a literal", scenario);
      if (bare.find(kSortMarker) != std::string::npos) fail("a refused sort column in the statement", scenario);
    }
    const json& e = c.at("error");
    if (!e.is_null() && e.at("description").get<std::string>().rfind("Invalid sort column", 0) == 0) {
      if (e.at("number") != 5) fail("a refused sort column with an error other than 5", scenario);
      if (before && *before != props) fail("a refused sort column changed an output", scenario);
    }
    before = &props;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  reader r(data, size);
  static constexpr const char* kClasses[] = {"CLSMG_LOOKUP", "CLSMG_DECODE", "CLSMG_CONNECT"};
  const std::string cls = r.pick(kClasses);
  json scenario = {{"class", cls}, {"host", host_json(r)}};
  if (r.byte() % 4 == 0) scenario["set"] = {{"CodiceDitta", value_json(r, 0, false)}};
  scenario["calls"] = cls == "CLSMG_LOOKUP"   ? calls_json<veldrane::lookup>(r)
                      : cls == "CLSMG_DECODE" ? calls_json<veldrane::decode>(r)
                                              : calls_json<veldrane::connect>(r);
  json result;
  try {
    result = veldrane::standin::run_scenario(scenario);
  } catch (const veldrane::standin::scenario_error&) {
    return 0;  // refused as the tool refuses it (exit 2)
  } catch (const std::exception& e) {
    fail(std::string("escaped the scenario runner: ") + e.what(), scenario);
  }
  check(scenario, result);
  return 0;
}

#ifndef VELDRANE_LIBFUZZER
int main(int argc, char** argv) {
  std::size_t runs = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::filesystem::path> files{argv[i]};
    if (std::filesystem::is_directory(files[0])) files.assign(std::filesystem::directory_iterator(argv[i]), {});
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++runs;
    }
  }
  std::printf("scenario_fuzz: %zu inputs ran\n", runs);
  return runs > 0 ? 0 : 1;
}
#endif
