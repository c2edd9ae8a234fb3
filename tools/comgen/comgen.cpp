// comgen: writes, from the member tables of the portable core, the artefacts
// of the Windows binding:
//   veldrane.idl      the type library: library, enumerations, dual
//                     interfaces with their dispatch ids, source (event)
//                     interfaces, coclasses and the hidden aliases of the
//                     earlier interface identifiers (widl makes the header
//                     and the .tlb from it);
//   com_thunks.h      per class, a class template implementing the dual
//                     interface's vtable; each slot hands its raw arguments
//                     (by-reference ones as pointers, for the copy back) to
//                     the object's `call` with the member's row index;
//   com_classes.h     the library's identity and, per class, the constants
//                     that creation, QueryInterface and registration use
//                     (the registry values, the same rows as the installer's);
//   veldrane_version.h  the data of the DLL's version resource.
// Usage: comgen <output directory>; comgen --deploy <x64|x86> <output
// directory> writes the deployment artefacts instead (deploy.cpp). A file
// is rewritten only when its text changes, so an unchanged table does not
// rebuild the DLL.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "deploy.h"
#include "library.h"

namespace {

using veldrane::member_kind;
using veldrane::param_info;
using veldrane::param_type;
using namespace comgen;

std::string_view bare_guid(std::string_view g) {
  if (g.size() == 38 && g.front() == '{' && g.back() == '}') return g.substr(1, 36);
  return g;
}

/// {0x94842239, 0x4BD2, 0x11D3, {0xA7, ...}} from "{94842239-4BD2-...}".
std::string guid_initializer(std::string_view text) {
  std::string hex;
  for (char c : bare_guid(text))
    if (c != '-') hex.push_back(c);
  if (hex.size() != 32) throw std::runtime_error("malformed GUID " + std::string(text));
  std::string out = "{0x" + hex.substr(0, 8) + ", 0x" + hex.substr(8, 4) + ", 0x" + hex.substr(12, 4) + ", {";
  for (int i = 0; i < 8; ++i) {
    if (i) out += ", ";
    out += "0x" + hex.substr(16 + 2 * i, 2);
  }
  return out + "}}";
}

std::string hex32(std::int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
  return buf;
}

std::string hex4(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(v));
  return buf;
}

std::string quoted(std::string_view s, bool wide = false) {
  std::string out = wide ? "L\"" : "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// How a value of each automation type is declared, as a parameter passed by
// value and as the pointer of an out parameter.
std::string_view type_name(param_type t) {
  switch (t) {
    case param_type::variant: return "VARIANT";
    case param_type::string: return "BSTR";
    case param_type::integer: return "short";
    case param_type::long_: return "long";
    case param_type::boolean: return "VARIANT_BOOL";
    case param_type::object: return "IDispatch*";
    case param_type::none: break;
  }
  throw std::runtime_error("parameter without a type");
}

std::string_view raw_kind(param_type t) {
  switch (t) {
    case param_type::variant: return "variant";
    case param_type::string: return "string";
    case param_type::integer: return "integer";
    case param_type::long_: return "long_";
    case param_type::boolean: return "boolean";
    case param_type::object: return "object";
    case param_type::none: return "none";
  }
  return "none";
}

/// Method arguments of type Variant are passed by pointer, so that an
/// omitted optional one arrives marked as missing; the value of a property
/// assignment is passed by value.
bool by_pointer(const member_row& m, const param_info& p) {
  return m.kind == member_kind::method && p.type == param_type::variant && !p.by_ref;
}

/// The type a parameter travels in. An optional by-reference parameter of
/// another type without a default travels as a Variant: automation can
/// mark only a Variant as left out (wine passes a missing marker in place
/// of a typed pointer, and refuses a default on a by-reference object). The
/// core still binds it to its declared type.
param_type carried_type(const param_info& p) {
  if (p.optional && p.by_ref && !p.has_default) return param_type::variant;
  return p.type;
}

/// The parameter's type as declared: the library's enumeration when the
/// class says so, otherwise the table's type; by-reference parameters are
/// pointers to it.
std::string declared_type(const class_entry& c, const param_info& p, bool pointer) {
  std::string t(type_name(carried_type(p)));
  for (const typed_parameter& tp : c.typed_params)
    if (tp.parameter == p.name) t = std::string(tp.type);
  if (p.by_ref || pointer) t += "*";
  return t;
}

std::string cpp_param_type(const class_entry& c, const member_row& m, const param_info& p) {
  return declared_type(c, p, by_pointer(m, p));
}

std::string method_name(const member_row& m) {
  switch (m.kind) {
    case member_kind::get: return "get_" + std::string(m.name);
    case member_kind::let: return "put_" + std::string(m.name);
    case member_kind::set: return "putref_" + std::string(m.name);
    case member_kind::method: break;
  }
  return std::string(m.name);
}

bool has_result(const member_row& m) { return m.returns != param_type::none; }

/// The defaultvalue() of an optional parameter, empty for none. A typed
/// parameter always carries one, its own or its type's zero ("", 0, False,
/// Nothing): automation marks only a Variant as left out. A Variant carries
/// its default when it is a number or a Boolean; one defaulting to text
/// carries none, as widl refuses text defaults on Variants, and the core
/// binds its default when it arrives missing.
std::string default_value(const param_info& p) {
  const bool typed = carried_type(p) != param_type::variant;
  if (!typed && !p.has_default) return {};
  const std::string_view d = p.has_default ? p.default_text : std::string_view{};
  const param_type kind = p.has_default ? p.default_type : p.type;
  switch (kind) {
    case param_type::string: return typed ? quoted(d) : std::string{};
    case param_type::boolean: return d == "True" ? "-1" : "0";
    case param_type::integer:
    case param_type::long_: return d.empty() ? "0" : std::string(d);
    case param_type::object: return "0";  // Nothing
    case param_type::variant:
    case param_type::none: break;
  }
  return {};
}

/// One parameter of a method or property of a dual interface.
std::string idl_param(const class_entry& c, const member_row& m, const param_info& p) {
  std::string out = p.by_ref ? "[in, out" : "[in";
  if (p.optional) {
    out += ", optional";
    std::string d = default_value(p);
    if (!d.empty()) out += ", defaultvalue(" + d + ")";
  }
  return out + "] " + cpp_param_type(c, m, p) + " " + std::string(p.name);
}

// ---------------------------------------------------------------------------
// veldrane.idl

void write_enum(std::ostream& o, const library_enum& e) {
  o << "\n  typedef [uuid(" << bare_guid(e.uuid) << ")] enum " << e.name << " {\n";
  for (std::size_t i = 0; i < e.values.size(); ++i)
    o << "    " << e.values[i].name << " = " << e.values[i].value << (i + 1 < e.values.size() ? ",\n" : "\n");
  o << "  } " << e.name << ";\n";
}

void write_source(std::ostream& o, const class_entry& c, const source_interface& s) {
  o << "\n  [\n    uuid(" << bare_guid(s.iid) << "),\n    hidden\n  ]\n  dispinterface " << s.name
    << "\n  {\n    properties:\n    methods:\n";
  for (const event_row& e : s.events) {
    o << "      [id(" << hex32(e.dispid) << ")] void " << e.name << "(";
    for (std::size_t i = 0; i < e.params.size(); ++i) {
      const param_info& p = e.params[i];
      o << (i ? ", " : "") << (p.by_ref ? "[in, out] " : "[in] ") << declared_type(c, p, false) << " " << p.name;
    }
    o << ");\n";
  }
  o << "  };\n";
}

void write_idl(std::ostream& o) {
  const library_info& lib = library();
  const auto all = classes();
  o << "// Generated by comgen from the member tables. Do not edit.\n\n";
  o << "import \"oaidl.idl\";\n\n";
  o << "[\n  uuid(" << bare_guid(lib.libid) << "),\n  version(" << lib.major << "." << lib.minor << "),\n"
    << "  lcid(" << hex4(lib.lcid) << "),\n  helpstring(" << quoted(lib.help_string)
    << ")\n]\nlibrary " << lib.name << "\n{\n  importlib(\"stdole2.tlb\");\n\n";
  for (const auto& c : all) o << "  interface " << c.interface << ";\n";
  for (const auto& e : enums()) write_enum(o, e);
  for (const auto& c : all) {
    o << "\n  [\n    odl,\n    uuid(" << bare_guid(c.iid) << "),\n    hidden,\n    dual,\n    nonextensible,\n"
      << "    oleautomation\n  ]\n  interface " << c.interface << " : IDispatch\n  {\n";
    for (const auto& m : c.members) {
      o << "    [id(" << hex32(m.dispid) << ")";
      switch (m.kind) {
        case member_kind::get: o << ", propget"; break;
        case member_kind::let: o << ", propput"; break;
        case member_kind::set: o << ", propputref"; break;
        case member_kind::method: break;
      }
      if (m.hidden) o << ", hidden";
      o << "] HRESULT " << m.name << "(";
      bool first = true;
      for (const param_info& p : m.params) {
        if (!first) o << ", ";
        first = false;
        o << idl_param(c, m, p);
      }
      if (has_result(m)) {
        if (!first) o << ", ";
        o << "[out, retval] " << type_name(m.returns) << "* ret";
      }
      o << ");\n";
    }
    o << "  };\n";
    if (c.source) write_source(o, c, *c.source);
    o << "\n  [\n    uuid(" << bare_guid(c.clsid) << ")\n  ]\n  coclass " << c.name << "\n  {\n"
      << "    [default] interface " << c.interface << ";\n";
    if (c.source) o << "    [default, source] dispinterface " << c.source->name << ";\n";
    o << "  };\n";
    for (const auto& l : c.legacy)
      o << "\n  typedef [uuid(" << bare_guid(l.iid) << "), public, hidden] " << c.interface << " " << l.alias
        << ";\n";
  }
  o << "}\n";
}

// ---------------------------------------------------------------------------
// com_thunks.h

void write_thunks(std::ostream& o) {
  const auto all = classes();
  o << "// Generated by comgen from the member tables. Do not edit.\n"
       "// One vtable slot per member, in interface order: each hands its raw\n"
       "// arguments to Impl::call with the member's row in the table.\n"
       "#pragma once\n\n#include <span>\n\n#include \"com/raw_args.h\"\n#include \"veldrane.h\"\n\n"
       "namespace veldrane::com::gen {\n";
  for (const auto& c : all) {
    o << "\ntemplate <class Impl>\nclass " << c.cpp_name << "_dual : public " << c.interface << " {\n public:\n";
    for (std::size_t i = 0; i < c.members.size(); ++i) {
      const member_row& m = c.members[i];
      o << "  HRESULT STDMETHODCALLTYPE " << method_name(m) << "(";
      std::size_t n = 0;
      for (const param_info& p : m.params) {
        if (n) o << ", ";
        o << cpp_param_type(c, m, p) << " a" << n++;
      }
      if (has_result(m)) o << (n ? ", " : "") << type_name(m.returns) << "* ret";
      o << ") override {\n";
      if (!m.params.empty()) {
        o << "    const raw_arg args[] = {";
        n = 0;
        for (const param_info& p : m.params) {
          if (n) o << ", ";
          if (p.by_ref) o << "raw_arg::" << raw_kind(carried_type(p)) << "_ref(a" << n++ << ")";
          else
            o << "raw_arg::" << raw_kind(p.type) << "(" << (p.type == param_type::variant && !by_pointer(m, p) ? "&" : "")
              << "a" << n++ << ")";
        }
        o << "};\n";
      }
      o << "    return static_cast<Impl*>(this)->call(" << i << ", "
        << (m.params.empty() ? "std::span<const raw_arg>{}" : "std::span<const raw_arg>(args)") << ", ";
      if (has_result(m)) o << "raw_result::" << raw_kind(m.returns) << "(ret)";
      else o << "raw_result::none()";
      o << ");\n  }\n";
    }
    o << "};\n";
  }
  o << "\n}  // namespace veldrane::com::gen\n";
}

// ---------------------------------------------------------------------------
// com_classes.h

void write_classes(std::ostream& o) {
  const library_info& lib = library();
  const auto all = classes();
  o << "// Generated by comgen from the member tables. Do not edit.\n"
       "#pragma once\n\n#include <cstddef>\n\n";
  for (const auto& c : all) o << "#include " << quoted(c.core_header) << "\n";
  o << "#include \"com_thunks.h\"\n#include \"veldrane.h\"\n\n"
       "namespace veldrane::com {\nclass connection_point;\n}\n\nnamespace veldrane::com::gen {\n\n";
  o << "inline constexpr const wchar_t* kLibraryName = " << quoted(lib.name, true) << ";\n";
  o << "inline constexpr const wchar_t* kLibraryId = " << quoted(lib.libid, true) << ";\n";
  o << "inline constexpr unsigned short kLibraryMajor = " << lib.major << ";\n";
  o << "inline constexpr unsigned short kLibraryMinor = " << lib.minor << ";\n";
  o << "inline constexpr unsigned long kLibraryLcid = " << hex4(lib.lcid) << ";\n";
  o << "inline constexpr std::size_t kInterfaceCount = " << all.size() << ";\n";
  o << "/// The key of the library's registration (its version as the registry spells it).\n"
    << "inline constexpr const wchar_t* kTypeLibKey = " << quoted(typelib_key(), true) << ";\n";
  o << "\n/// One value a class's registration writes under the classes root: a null\n"
       "/// name is the key's default value, a null value the DLL's own path.\n"
       "struct registry_value {\n  const wchar_t* key;\n  const wchar_t* name;\n  const wchar_t* value;\n};\n";
  std::size_t index = 0;
  for (const auto& c : all) {
    o << "\nstruct " << c.cpp_name << "_class {\n"
      << "  using core = " << c.core_type << ";\n"
      << "  using iface = " << c.interface << ";\n"
      << "  template <class Impl>\n  using dual = " << c.cpp_name << "_dual<Impl>;\n"
      << "  static constexpr std::size_t type_index = " << index++ << ";\n"
      << "  static constexpr std::size_t member_count = " << c.members.size() << ";\n"
      << "  static const IID& iid() { return IID_" << c.interface << "; }\n"
      << "  static const CLSID& clsid() { return CLSID_" << c.name << "; }\n"
      << "  static constexpr const wchar_t* name = " << quoted(c.name, true) << ";\n"
      << "  static constexpr const wchar_t* progid = L\"" << lib.name << "." << c.name << "\";\n"
      << "  static constexpr const wchar_t* clsid_text = " << quoted(c.clsid, true) << ";\n"
      << "  static constexpr const char* source = \"" << lib.name << "." << c.name << "\";\n"
      << "  static constexpr bool has_events = " << (c.source ? "true" : "false") << ";\n";
    if (c.source)
      o << "  static const IID& source_iid() { return DIID_" << c.source->name << "; }\n"
        << "  /// Relays the core object's events to the sinks advised at the point\n"
        << "  /// (written by hand, next to the class's COM object).\n"
        << "  static void bind_events(core& obj, connection_point& point);\n";
    if (c.source) {
      o << "  /// The dispatch ids of the source interface's methods.\n  struct events {\n";
      for (const event_row& e : c.source->events)
        o << "    static constexpr DISPID " << e.name << " = " << e.dispid << ";\n";
      o << "  };\n";
    }
    o << "  /// What registering the class writes; removing `class_key` and `progid_keys`\n"
      << "  /// takes it away.\n"
      << "  static constexpr registry_value registry[] = {\n";
    for (const registry_row& r : class_registry(c))
      o << "      {" << quoted(r.key, true) << ", " << (r.name.empty() ? "nullptr" : quoted(r.name, true)) << ", "
        << (r.module_path ? "nullptr" : quoted(r.value, true)) << "},\n";
    o << "  };\n  static constexpr const wchar_t* class_key = " << quoted(class_key(c), true) << ";\n"
      << "  static constexpr const wchar_t* progid_keys[] = {";
    bool first = true;
    for (const std::string& key : class_progid_keys(c)) {
      o << (first ? "" : ", ") << quoted(key, true);
      first = false;
    }
    o << "};\n";
    o << "  static constexpr IID legacy_iids[] = {\n";
    for (const auto& l : c.legacy) o << "      " << guid_initializer(l.iid) << ",  // " << l.alias << "\n";
    o << "  };\n};\n";
  }
  o << "\n// Every creatable class, for the entry points.\n#define VELDRANE_FOR_EACH_CLASS(X)";
  for (const auto& c : all) o << " X(" << c.cpp_name << "_class)";
  o << "\n\n}  // namespace veldrane::com::gen\n";
}

// ---------------------------------------------------------------------------
// veldrane_version.h

/// A string literal of a resource script (quotes doubled).
std::string rc_quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  return out + "\"";
}

void write_version(std::ostream& o) {
  const library_info& lib = library();
  o << "// Generated by comgen from the library table. Do not edit.\n"
       "// The data of the DLL's version resource (veldrane.rc).\n"
       "#pragma once\n\n"
    << "#define VELDRANE_VERSION_NUMBERS " << lib.major << "," << lib.minor << ",0,0\n"
    << "#define VELDRANE_VERSION_TEXT " << rc_quoted(version_text()) << "\n"
    << "#define VELDRANE_PRODUCT_NAME " << rc_quoted(lib.name) << "\n"
    << "#define VELDRANE_COMPANY_NAME " << rc_quoted(lib.company) << "\n"
    << "#define VELDRANE_DESCRIPTION " << rc_quoted(lib.help_string) << "\n"
    << "#define VELDRANE_INTERNAL_NAME " << rc_quoted(lib.name) << "\n"
    << "#define VELDRANE_FILE_NAME " << rc_quoted(lib.file_name) << "\n";
}

void write_if_changed(const std::filesystem::path& path, void (*writer)(std::ostream&)) {
  std::ostringstream text;
  writer(text);
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::ostringstream old;
    old << in.rdbuf();
    if (old.str() == text.str()) return;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text.str();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--deploy") {
    try {
      comgen::write_deployment(argv[3], argv[2]);
    } catch (const std::exception& e) {
      std::cerr << "comgen: " << e.what() << "\n";
      return 1;
    }
    return 0;
  }
  if (argc != 2) {
    std::cerr << "usage: comgen <output directory> | comgen --deploy <x64|x86> <output directory>\n";
    return 2;
  }
  try {
    std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    write_if_changed(dir / "veldrane.idl", write_idl);
    write_if_changed(dir / "com_thunks.h", write_thunks);
    write_if_changed(dir / "com_classes.h", write_classes);
    write_if_changed(dir / "veldrane_version.h", write_version);
  } catch (const std::exception& e) {
    std::cerr << "comgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
