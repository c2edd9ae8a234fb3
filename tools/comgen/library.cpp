#include "library.h"

#include <array>
#include <cstdio>

#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"

namespace comgen {

namespace {

// The version is the build's (project() in the top-level CMakeLists.txt),
// handed over by the generator's build: the type library, the DLL's
// version resource, the assembly and the packages all carry it.
#if !defined(VELDRANE_VERSION_MAJOR) || !defined(VELDRANE_VERSION_MINOR)
#error "VELDRANE_VERSION_MAJOR and VELDRANE_VERSION_MINOR come from the build"
#endif

constexpr library_info kLibrary{
    .name = "VELDRANE",
    .libid = "{E54CA00C-4A7F-11D3-A7CA-00400519B149}",
    .major = VELDRANE_VERSION_MAJOR,
    .minor = VELDRANE_VERSION_MINOR,
    .lcid = 0x0409,
    .help_string = "Talvern BO Lookup e Decodifiche Modulo Magazzino",
    .company = "Talvern",
    .file_name = "VELDRANE.dll",
    .progid_version = 1,
    .flags = 8,
};

// Earlier identifiers of _CLSMG_LOOKUP, oldest first. The series runs to
// CLSMG_LOOKUP___v37; rows are added here as their identifiers are known.
constexpr std::array kLookupLegacy = {
    legacy_interface{"CLSMG_LOOKUP___v0", "{94842239-4BD2-11D3-A7CC-00400519B149}"},
};

// Earlier identifiers of _CLSMG_DECODE; the series runs to CLSMG_DECODE___v34.
constexpr std::array kDecodeLegacy = {
    legacy_interface{"CLSMG_DECODE___v0", "{9484223B-4BD2-11D3-A7CC-00400519B149}"},
};

// Earlier identifiers of _CLSMG_CONNECT; the series runs to CLSMG_CONNECT___v34.
constexpr std::array kConnectLegacy = {
    legacy_interface{"CLSMG_CONNECT___v0", "{17C3FA15-58A6-11D4-A8E4-00400519B149}"},
};

// The called program travels as a Long in the member table; clients see
// the enumeration's type.
constexpr std::string_view kCalledProgramEnum = "vxEnumCalledProgramMagazzino";
constexpr std::array kConnectTyped = {
    typed_parameter{"vxCalledProgram", kCalledProgramEnum},
};

// The source interface of a class, from its member table.
template <class C>
std::optional<source_interface> source_of(const veldrane::class_info<C>& ci) {
  if (!ci.source) return std::nullopt;
  source_interface s{ci.source->name, ci.source->iid, {}};
  for (const veldrane::event_info& e : ci.source->events)
    s.events.push_back({e.name, e.dispid, {e.params.begin(), e.params.end()}});
  return s;
}

std::string number(unsigned v, const char* format) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

template <class C>
std::vector<member_row> rows_of(const veldrane::class_info<C>& ci) {
  std::vector<member_row> out;
  out.reserve(ci.members.size());
  for (const auto& m : ci.members) out.push_back({m.name, m.kind, m.dispid(), m.parameters(), m.returns, m.hidden});
  return out;
}

}  // namespace

const library_info& library() { return kLibrary; }

std::vector<class_entry> classes() {
  const auto& lk = veldrane::lookup::info();
  const auto& dc = veldrane::decode::info();
  const auto& cn = veldrane::connect::info();
  return {
      {"lookup", "veldrane::lookup", "lookup/lookup.h", lk.name, lk.interface_name, lk.clsid, lk.iid, rows_of(lk),
       kLookupLegacy},
      {"decode", "veldrane::decode", "decode/decode.h", dc.name, dc.interface_name, dc.clsid, dc.iid, rows_of(dc),
       kDecodeLegacy},
      {"connect", "veldrane::connect", "connect/connect.h", cn.name, cn.interface_name, cn.clsid, cn.iid, rows_of(cn),
       kConnectLegacy, kConnectTyped, source_of(cn)},
  };
}

std::vector<library_enum> enums() {
  library_enum called{kCalledProgramEnum, "{17C3FA17-58A6-11D4-A8E4-00400519B149}", {}};
  for (const auto& p : veldrane::called_programs()) called.values.push_back({p.name, p.number});
  return {called};
}

std::string version_text() {
  return number(kLibrary.major, "%u") + "." + number(kLibrary.minor, "%u") + ".0.0";
}

std::string typelib_key_version() { return number(kLibrary.major, "%x") + "." + number(kLibrary.minor, "%x"); }

std::string typelib_key() { return "TypeLib\\" + std::string(kLibrary.libid) + "\\" + typelib_key_version(); }

std::string progid(const class_entry& c) { return std::string(kLibrary.name) + "." + std::string(c.name); }

std::string versioned_progid(const class_entry& c) { return progid(c) + "." + number(kLibrary.progid_version, "%u"); }

std::vector<registry_row> class_registry(const class_entry& c) {
  const std::string clsid_key = class_key(c);
  const std::string independent = progid(c), dependent = versioned_progid(c);
  // The ProgIDs' and the class's own name: the version-independent ProgID.
  const std::string& name = independent;
  return {
      {clsid_key, "", name},
      {clsid_key + "\\InprocServer32", "", "", true},
      {clsid_key + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {clsid_key + "\\ProgID", "", dependent},
      {clsid_key + "\\VersionIndependentProgID", "", independent},
      {clsid_key + "\\Version", "", number(kLibrary.major, "%u") + "." + number(kLibrary.minor, "%u")},
      {clsid_key + "\\TypeLib", "", std::string(kLibrary.libid)},
      {independent, "", name, false, true},
      {independent + "\\CLSID", "", std::string(c.clsid), false, true},
      {independent + "\\CurVer", "", dependent, false, true},
      {dependent, "", name, false, true},
      {dependent + "\\CLSID", "", std::string(c.clsid), false, true},
  };
}

std::string class_key(const class_entry& c) { return "CLSID\\" + std::string(c.clsid); }

std::vector<std::string> class_progid_keys(const class_entry& c) { return {progid(c), versioned_progid(c)}; }

}  // namespace comgen
