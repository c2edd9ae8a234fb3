// What the generator knows besides the member tables: the identity of the
// type library and its enumerations and, per class, its C++ names, the
// identifiers of its interface in earlier releases, the parameters typed by
// an enumeration and its source (event) interface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frame/members.h"

namespace comgen {

struct library_info {
  std::string_view name;
  std::string_view libid;
  std::uint16_t major, minor;  // the component's version (the build's, see CMakeLists.txt)
  std::uint32_t lcid;
  std::string_view help_string;
  std::string_view company;    // the vendor: version resource, packages, assembly name
  std::string_view file_name;  // the DLL
  unsigned progid_version;     // of the version-dependent ProgIDs: <library>.<class>.<n>
  // The library's flags as the type-library compiler writes them
  // (LIBFLAG_FHASDISKIMAGE), which registering the library records as FLAGS.
  unsigned flags;
};

/// One member of a class, the class type erased.
struct member_row {
  std::string_view name;
  veldrane::member_kind kind;
  std::int32_t dispid;
  std::span<const veldrane::param_info> params;
  veldrane::param_type returns;
  bool hidden;
};

/// An identifier that the class's default interface had in an earlier
/// release; clients built against it are served the current interface.
struct legacy_interface {
  std::string_view alias;  // the hidden alias entry of the type library
  std::string_view iid;
};

/// A parameter (by name, in any member of the class) whose type in the type
/// library is one of the library's enumerations rather than its table type.
struct typed_parameter {
  std::string_view parameter;
  std::string_view type;
};

/// One method of a source interface: what an object raises to its advised
/// sinks.
struct event_row {
  std::string_view name;
  std::int32_t dispid;
  std::vector<veldrane::param_info> params;
};

/// The dispatch interface through which a class raises its events.
struct source_interface {
  std::string_view name, iid;
  std::vector<event_row> events;
};

/// One value of an enumeration.
struct enum_value {
  std::string_view name;
  std::int32_t value;
};

/// An enumeration of the type library (Long values).
struct library_enum {
  std::string_view name, uuid;
  std::vector<enum_value> values;
};

struct class_entry {
  std::string_view cpp_name;     // stem of the generated C++ names: lookup -> lookup_dual
  std::string_view core_type;    // the portable class
  std::string_view core_header;  // where it is declared
  std::string_view name, interface, clsid, iid;
  std::vector<member_row> members;
  std::span<const legacy_interface> legacy;
  std::span<const typed_parameter> typed_params = {};
  std::optional<source_interface> source = {};
};

const library_info& library();
std::vector<class_entry> classes();
std::vector<library_enum> enums();

/// The four-part version of the component: major.minor.0.0.
std::string version_text();
/// The library's version as its registry keys spell it: hexadecimal.
std::string typelib_key_version();
/// `TypeLib\{libid}\<version>`, the key of the library's registration.
std::string typelib_key();

std::string progid(const class_entry& c);            // VELDRANE.CLSMG_LOOKUP
std::string versioned_progid(const class_entry& c);  // VELDRANE.CLSMG_LOOKUP.1

/// One value a class's registration writes under the classes root (an
/// empty name is the key's default value).
struct registry_row {
  std::string key, name, value;
  /// The value is the DLL's own path (written by each registration for its
  /// copy of the DLL).
  bool module_path = false;
  /// Under a key that both architectures' registrations share on 64-bit
  /// Windows (the ProgIDs: the classes root is shared, only CLSID and
  /// Interface have a view per architecture).
  bool shared = false;
};

/// Every value the registration of class `c` writes, in order: the class
/// key (server, threading model, ProgIDs, version, library), then the
/// version-independent ProgID (with CurVer) and the version-dependent one.
std::vector<registry_row> class_registry(const class_entry& c);
/// The class key and the ProgID keys, which hold all of class `c`'s
/// registration: removing them removes exactly what class_registry writes.
std::string class_key(const class_entry& c);
std::vector<std::string> class_progid_keys(const class_entry& c);

}  // namespace comgen
