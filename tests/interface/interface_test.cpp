// The published interface: every class's members, the event interface and
// the called-program enumeration, rendered from the member tables and the
// library description the type library is generated from, line by line
// against the reviewed reference (published.txt). A change of the interface
// is an edit of the reference, visible in its diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "comgen/library.h"

using namespace veldrane;

namespace {

std::string type_text(const comgen::class_entry& c, const param_info& p, param_type t) {
  for (const auto& tp : c.typed_params)
    if (tp.parameter == p.name) return std::string(tp.type);
  switch (t) {
    case param_type::variant: return "Variant";
    case param_type::string: return "String";
    case param_type::integer: return "Integer";
    case param_type::long_: return "Long";
    case param_type::boolean: return "Boolean";
    case param_type::object: return "Object";
    case param_type::none: break;
  }
  return "?";
}

std::string param_text(const comgen::class_entry& c, const param_info& p) {
  std::string out = std::string(p.optional ? "Optional " : "") + (p.by_ref ? "ByRef " : "") + std::string(p.name) +
                    " As " + type_text(c, p, p.type);
  if (!p.has_default) return out;
  switch (p.default_type) {
    case param_type::string: return out + " = \"" + std::string(p.default_text) + "\"";
    case param_type::object: return out + " = Nothing";
    default: return out + " = " + std::string(p.default_text.empty() ? "0" : p.default_text);
  }
}

std::string params_text(const comgen::class_entry& c, std::span<const param_info> ps) {
  std::string out = "(";
  for (const auto& p : ps) out += (out.size() > 1 ? ", " : "") + param_text(c, p);
  return out + ")";
}

std::string hex(std::int32_t v, int digits = 8) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, static_cast<unsigned>(v));
  return buf;
}

/// One line per member: interface, dispatch id, hidden flag and the
/// declaration as a client writes it. A property's value has no name a
/// client can use: an accessor shows only its type.
std::string member_line(const comgen::class_entry& c, const comgen::member_row& m) {
  std::string out = std::string(c.interface) + " " + hex(m.dispid) + (m.hidden ? " [hidden] " : " ");
  if (m.kind == member_kind::method)
    return out + (m.returns == param_type::none ? "Sub " : "Function ") + std::string(m.name) +
           params_text(c, m.params) + (m.returns == param_type::none ? "" : " As " + type_text(c, {}, m.returns));
  const bool get = m.kind == member_kind::get;
  const char* accessor = get ? "Property Get " : m.kind == member_kind::let ? "Property Let " : "Property Set ";
  auto ps = m.params;
  if (!get && !ps.empty()) ps = ps.first(ps.size() - 1);
  return out + accessor + std::string(m.name) + (ps.empty() ? "" : params_text(c, ps)) + " As " +
         (get ? type_text(c, {}, m.returns) : type_text(c, m.params.back(), m.params.back().type));
}

std::vector<std::string> rendered() {
  std::vector<std::string> out;
  const auto& lib = comgen::library();
  out.push_back("library " + std::string(lib.name) + " " + std::string(lib.libid) + " " + std::to_string(lib.major) +
                "." + std::to_string(lib.minor) + " " + hex(lib.lcid, 4) + " \"" + std::string(lib.help_string) + "\"");
  for (const auto& c : comgen::classes()) {
    std::string head = "coclass " + std::string(c.name) + " " + std::string(c.clsid) + " [default] " +
                       std::string(c.interface) + " " + std::string(c.iid);
    if (c.source) head += " [default, source] " + std::string(c.source->name) + " " + std::string(c.source->iid);
    out.push_back(head);
    for (const auto& m : c.members) out.push_back(member_line(c, m));
    if (!c.source) continue;
    for (const auto& e : c.source->events)
      out.push_back(std::string(c.source->name) + " " + hex(e.dispid) + " Sub " + std::string(e.name) +
                    params_text(c, e.params));
  }
  for (const auto& e : comgen::enums()) {
    out.push_back("enum " + std::string(e.name) + " " + std::string(e.uuid));
    for (const auto& v : e.values)
      out.push_back(std::string(e.name) + " " + std::string(v.name) + " = " + std::to_string(v.value));
  }
  return out;
}

TEST(published_interface_test, the_tables_give_the_reference) {
  std::ifstream in(VELDRANE_SOURCE_DIR "/tests/interface/published.txt");
  ASSERT_TRUE(in) << "published.txt";
  std::vector<std::string> reference;
  for (std::string line; std::getline(in, line);) reference.push_back(line);
  const auto actual = rendered();
  // The first line that differs, or the first one only one side has.
  for (std::size_t i = 0; i < std::max(actual.size(), reference.size()); ++i)
    ASSERT_EQ(i < reference.size() ? reference[i] : "(end)", i < actual.size() ? actual[i] : "(end)")
        << "the interface differs from published.txt at line " << i + 1;
}

}  // namespace
