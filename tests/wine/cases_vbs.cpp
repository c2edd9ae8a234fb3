// Turns the shared expected-text cases (tests/cases/*.json) into one
// VBScript program, so that a script client checks the DLL against the same
// texts as the core's tests. Cases of CLSMG_LOOKUP and CLSMG_DECODE are
// taken without a host, or with a host profile the fake host framework
// (tests/wine/host) can play: plain values and translations, no database,
// extensions, failures or converter. (That every member is built, and that
// its errors carry a source: com_fuzz.)
//
// Usage: cases_vbs <cases folder> <output .vbs>
// The output is plain ASCII; other characters are written as Chr or ChrW
// codes.
#include "decode/decode.h"  // the member tables
#include "lookup/lookup.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

// A VBScript expression giving the text: quoted runs of printable ASCII,
// other characters (UTF-16 units) as Chr or ChrW codes.
std::string text_literal(const std::string& s) {
  std::wstring w(s.size(), L'\0');
  w.resize(MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size())));
  std::string out, run;
  auto add = [&](const std::string& expr) { out += (out.empty() ? "" : " & ") + expr; };
  for (std::size_t i = 0; i <= w.size(); ++i) {
    const unsigned c = i < w.size() ? w[i] : 0;
    if (c >= 0x20 && c < 0x7F) {
      run += static_cast<char>(c);
      if (c == '"') run += '"';
      continue;
    }
    if (!run.empty()) add("\"" + run + "\"");
    run.clear();
    // Control characters and Latin-1 letters through Chr, which takes the
    // ANSI code page (1252 agrees with Latin-1 there): wine's script engine
    // has no ChrW for them.
    if (i < w.size()) add((c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? "Chr(" : "ChrW(") + std::to_string(c) + ")");
  }
  return out.empty() ? "\"\"" : out;
}

std::string real(const json& v) {
  std::ostringstream o;
  o.precision(17);
  o << v.get<double>();
  return o.str();
}

// A VBScript expression giving the value in the cases' JSON encoding;
// empty for a missing argument.
std::string value_literal(const json& v) {
  if (v.is_null()) return "Null";
  if (v.is_boolean()) return v.get<bool>() ? "True" : "False";
  if (v.is_number_integer()) return "CLng(" + std::to_string(v.get<long long>()) + ")";
  if (v.is_number()) return "CDbl(" + real(v) + ")";
  if (v.is_string()) return text_literal(v.get<std::string>());
  if (v.is_object()) {
    if (v.contains("$missing")) return "";
    if (v.contains("$empty")) return "Empty";
    if (v.contains("$integer")) return "CInt(" + std::to_string(v["$integer"].get<long long>()) + ")";
    if (v.contains("$decimal")) return "CDec(" + v["$decimal"].get<std::string>() + ")";
    if (v.contains("$date")) {
      std::string d = v["$date"].get<std::string>();
      const int year = std::stoi(d.substr(0, 4)), month = std::stoi(d.substr(5, 2)), day = std::stoi(d.substr(8, 2));
      // DateSerial takes a year below 100 for one of 19xx or 20xx: an
      // earlier date is counted back from the first day it writes.
      if (year < 100) {
        const double before = veldrane::date_value::from_parts(100, 1, 1).serial -
                              veldrane::date_value::from_parts(year, month, day).serial;
        return "(DateSerial(100, 1, 1) - " + std::to_string(static_cast<long long>(before)) + ")";
      }
      return "DateSerial(" + d.substr(0, 4) + ", " + d.substr(5, 2) + ", " + d.substr(8, 2) + ")";
    }
    if (v.contains("$array")) return value_literal(v["$array"]);  // rows as nested Array(...)
  }
  if (v.is_array()) {
    std::string out;
    for (const json& e : v) out += (out.empty() ? "" : ", ") + value_literal(e);
    return "Array(" + out + ")";
  }
  throw std::runtime_error("cannot write value " + v.dump());
}

bool is_array_value(const json& v) { return v.is_object() && v.contains("$array"); }

const char* kPrelude = R"vbs(' Generated from tests/cases/*.json by cases_vbs. Do not edit.
Option Explicit
Dim failures, passed
failures = 0
passed = 0
WScript.Echo "locale: " & CStr(True) & " " & CStr(1.5) & " " & CStr(DateSerial(2024, 3, 1))

Sub Fail(n, what)
  failures = failures + 1 : WScript.Echo "FAIL " & n & ": " & what
End Sub

Function Show(v)
  Show = TypeName(v)
  If Not (IsNull(v) Or IsEmpty(v) Or IsArray(v) Or IsObject(v)) Then Show = Show & " [" & v & "]"
End Function

' The same type and value; never an object or an array.
Function Same(a, e)
  Same = False
  If IsObject(a) Or IsArray(a) Then Exit Function
  If VarType(a) <> VarType(e) Then Exit Function
  Same = IsNull(e) Or IsEmpty(e)
  If Not Same Then Same = (a = e)
End Function

Sub ExpectValue(n, p, a, e)
  If Not Same(a, e) Then Fail n, p & " is " & Show(a) & ", expected " & Show(e)
End Sub

' The bounds of an array's dimensions up to `last` (0 or 1), as text.
Function Bounds(a, last)
  Bounds = LBound(a, 1) & " To " & UBound(a, 1)
  If last = 1 Then Bounds = Bounds & ", " & LBound(a, 2) & " To " & UBound(a, 2)
End Function

' An array with the lower bounds lb against the rows e (each an Array of
' the row's values when lb has two bounds).
Sub ExpectArray(n, p, a, e, lb)
  Dim cols, i, j, want
  If Not IsArray(a) Then Fail n, p & " is " & Show(a) & ", expected an array" : Exit Sub
  want = lb(0) & " To " & (lb(0) + UBound(e))
  cols = 0
  If UBound(e) >= 0 And UBound(lb) = 1 Then cols = UBound(e(0)) + 1
  If UBound(lb) = 1 Then want = want & ", " & lb(1) & " To " & (lb(1) + cols - 1)
  If Bounds(a, UBound(lb)) <> want Then Fail n, p & " bounds " & Bounds(a, UBound(lb)) & ", expected " & want : Exit Sub
  For i = 0 To UBound(e)
    If UBound(lb) = 0 Then ExpectValue n, p & "(" & (lb(0) + i) & ")", a(lb(0) + i), e(i)
    For j = 0 To cols - 1
      ExpectValue n, p & "(" & (lb(0) + i) & ", " & (lb(1) + j) & ")", a(lb(0) + i, lb(1) + j), e(i)(j)
    Next
  Next
End Sub
)vbs";

bool host_configuration(const json& host, std::string& text);

void write_case(std::ostream& o, const json& c, int index) {
  const json& sc = c["scenario"];
  const std::string name = text_literal(c.value("name", "case " + std::to_string(index)));
  o << "\nSub Case" << index << "()\n  Dim o, n, en, ed, es, v\n  n = " << name << "\n"
    << "  WScript.Echo \"case \" & n\n"
    << "  Set o = CreateObject(\"VELDRANE." << sc["class"].get<std::string>() << "\")\n";
  std::string config;
  if (!sc["host"].is_null() && host_configuration(sc["host"], config)) {
    o << "  Dim h\n  Set h = CreateObject(\"VeldraneTest.ActiveInterface\")\n  h.Configure " << text_literal(config)
      << "\n  Set o.ActiveInterface = h\n";
  }
  if (sc.contains("set")) {
    for (const auto& [prop, v] : sc["set"].items()) o << "  o." << prop << " = " << value_literal(v) << "\n";
  }
  const json& calls = sc["calls"];
  const json expect = c.value("expect", json::array());
  for (std::size_t k = 0; k < calls.size(); ++k) {
    const json& call = calls[k];
    std::vector<std::string> args;
    for (const json& a : call.value("args", json::array())) args.push_back(value_literal(a));
    while (!args.empty() && args.back().empty()) args.pop_back();  // trailing omitted arguments
    o << "  On Error Resume Next\n  Err.Clear\n  o." << call["member"].get<std::string>();
    for (std::size_t i = 0; i < args.size(); ++i) o << (i ? ", " : " ") << args[i];
    o << "\n  en = Err.Number : ed = Err.Description : es = Err.Source\n  On Error GoTo 0\n";
    if (k >= expect.size()) continue;
    const json& e = expect[k];
    if (e.contains("error") && e["error"].is_null()) {
      o << "  If en <> 0 Then Fail n, \"call " << k << " raised \" & en & \" \" & ed\n";
    } else if (e.contains("error")) {
      const char* const fields[][3] = {{"number", "en", "Number"}, {"description", "ed", "Description"},
                                       {"source", "es", "Source"}};
      for (const auto& [key, var, prop] : fields) {
        if (!e["error"].contains(key)) continue;
        o << "  If " << var << " <> " << value_literal(e["error"][key]) << " Then Fail n, \"call " << k << ": Err."
          << prop << " [\" & " << var << " & \"]\"\n";
      }
    }
    if (e.contains("properties")) {
      for (const auto& [prop, v] : e["properties"].items()) {
        if (is_array_value(v)) {
          std::string lb = "Array(";
          const json bounds = v.value("$lbound", json::array({0, 0}));
          for (std::size_t d = 0; d < bounds.size(); ++d) lb += (d ? ", " : "") + std::to_string(bounds[d].get<int>());
          lb += ")";
          o << "  ExpectArray n, \"" << prop << "\", o." << prop << ", " << value_literal(v) << ", " << lb << "\n";
        } else {
          o << "  ExpectValue n, \"" << prop << "\", o." << prop << ", " << value_literal(v) << "\n";
        }
      }
    }
  }
  o << "  passed = passed + 1\nEnd Sub\n";
}

// The stand-in host's built-in "default" profile (tools/standin), as the
// fake host plays it.
json default_profile() {
  return {{"company", 1},          {"language", "ITA "},   {"transferCheck", 0},     {"hierarchicalCoding", 0},
          {"userText1", "ADMIN"},  {"userText4", "ADMIN"}, {"userLanguage", "ITA "}, {"userId", 1},
          {"agent", 0},            {"filtersApply", false}, {"productionColumns", 0}, {"translations", json::object()},
          {"filterClause", ""},    {"filterClause2", ""}};
}

// One configuration line of the fake host for a value; empty when the fake
// cannot hold it.
std::string config_value(const json& v) {
  if (v.is_null()) return "N";
  if (v.is_boolean()) return v.get<bool>() ? "B1" : "B0";
  if (v.is_number_integer()) return "L" + std::to_string(v.get<long long>());
  if (v.is_number()) return "D" + real(v);
  if (v.is_string()) {
    const std::string t = v.get<std::string>();
    return t.find('\n') == std::string::npos ? "S" + t : "";
  }
  if (v.is_object() && v.contains("$empty")) return "E";
  if (v.is_object() && v.contains("$integer")) return "I" + std::to_string(v["$integer"].get<long long>());
  return "";
}

/// The Configure text of the fake host for a case's host profile; false when
/// the profile asks for something the fake does not play.
bool host_configuration(const json& host, std::string& text) {
  const json profile = host.is_string() && host == "default" ? default_profile() : host;
  if (!profile.is_object()) return false;
  text.clear();
  for (const auto& [key, v] : profile.items()) {
    if (!default_profile().contains(key)) return false;  // the fake plays the default profile's keys
    if (key == "translations") {
      for (const auto& [label, t] : v.items()) {
        if (!t.is_string()) return false;
        text += "~" + label + "=" + t.get<std::string>() + "\n";
      }
      continue;
    }
    const std::string line = config_value(v);
    if (line.empty()) return false;
    text += key + "=" + line + "\n";
  }
  return true;
}

// A script cannot leave out an argument that the member requires (only a
// compiled client can pass the missing marker there), and under wine cannot
// make a Decimal: such cases are left to the core's tests.
template <class C>
bool expressible_in(const veldrane::class_info<C>& info, const json& scenario) {
  for (const json& call : scenario["calls"]) {
    const auto* m = veldrane::find_member(info, call["member"].get<std::string>(), veldrane::member_kind::method);
    if (!m) continue;
    const json args = call.value("args", json::array());
    for (std::size_t i = 0; i < args.size(); ++i) {
      const bool missing = args[i].is_object() && args[i].contains("$missing");
      if (missing && (i >= m->param_count || !m->params[i].optional)) return false;
      // wine's script engine has no CDec to make a Decimal with.
      if (args[i].is_object() && args[i].contains("$decimal")) return false;
    }
  }
  return true;
}

bool expressible(const json& scenario) {
  if (scenario["class"] == "CLSMG_DECODE") return expressible_in(veldrane::decode::info(), scenario);
  return expressible_in(veldrane::lookup::info(), scenario);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: cases_vbs <cases folder> <output .vbs>\n";
    return 2;
  }
  try {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
      if (entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::ostringstream body;
    int cases = 0, skipped = 0;
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      const json all = json::parse(in);
      for (const json& c : all) {
        const json& sc = c["scenario"];
        std::string config;
        const std::string cls = sc.value("class", "");
        if ((cls != "CLSMG_LOOKUP" && cls != "CLSMG_DECODE") || !sc.contains("host")) continue;
        if ((!sc["host"].is_null() && !host_configuration(sc["host"], config)) || !expressible(sc)) ++skipped;
        else write_case(body, c, ++cases);
      }
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << kPrelude << body.str() << "\n";
    for (int i = 1; i <= cases; ++i) out << "Case" << i << "\n";
    out << "WScript.Echo \"cases passed: \" & passed & \" of " << cases << ", failures: \" & failures\n"
        << "If failures = 0 And passed = " << cases << " Then WScript.Echo \"DONE\"\n"
        << "WScript.Quit failures\n";
    if (!out) throw std::runtime_error("cannot write the script");
    std::cout << cases << " cases written, " << skipped << " not expressible in a script\n";
  } catch (const std::exception& e) {
    std::cerr << "cases_vbs: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
