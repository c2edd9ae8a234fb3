// What the generator knows besides the member tables: the identity of the
// type library and, per class, its C++ names and the identifiers of its
// interface in earlier releases.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "frame/members.h"

namespace comgen {

struct library_info {
  std::string_view name;
  std::string_view libid;
  std::uint16_t major, minor;
  std::uint32_t lcid;
  std::string_view help_string;
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

struct class_entry {
  std::string_view cpp_name;     // stem of the generated C++ names: lookup -> lookup_dual
  std::string_view core_type;    // the portable class
  std::string_view core_header;  // where it is declared
  std::string_view name, interface, clsid, iid;
  std::vector<member_row> members;
  std::span<const legacy_interface> legacy;
};

const library_info& library();
std::vector<class_entry> classes();

}  // namespace comgen
