// Member tables: each class declares its automation members once, as data.
// The same rows drive the by-name dispatch, the tool, the conformance tests
// and the generated IDL and COM thunks.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "convert/value.h"

namespace veldrane {

/// The automation type of a parameter or result.
enum class param_type : std::uint8_t { none, variant, string, integer, long_, boolean, object };

/// What a forwarding member does to an argument before handing it on.
enum class conversion : std::uint8_t { none, text, decimal };  // as is, TextOrEmpty, DecimalOrZero

struct param_info {
  std::string_view name;
  param_type type = param_type::variant;
  bool optional = false;
  bool has_default = false;
  std::string_view default_text;                // the default as written: "", "0", "False", "Nothing"
  param_type default_type = param_type::string; // the kind of that default literal
  bool by_ref = false;                          // in/out: the caller sees what the member leaves
  conversion convert = conversion::none;
};

/// How a dispatch id is formed from a member's dispatch number.
enum class dispatch_group : std::uint8_t {
  method = 'M',    // 0x60030000 + n
  field = 'V',     // 0x40030000 + n: accessors of a plain property field
  property = 'P',  // 0x68030000 + n: accessors of a property procedure
};

constexpr std::int32_t dispid_of(dispatch_group g, int n) {
  switch (g) {
    case dispatch_group::method: return 0x60030000 + n;
    case dispatch_group::field: return 0x40030000 + n;
    case dispatch_group::property: return 0x68030000 + n;
  }
  return 0;
}

inline constexpr std::size_t kMaxParams = 18;

template <class C>
using member_entry = value (*)(C&, std::span<value> args);

template <class C>
struct member_info {
  std::string_view name;
  member_kind kind;
  dispatch_group group;
  int dispatch_number;
  std::array<param_info, kMaxParams> params;
  std::uint8_t param_count;
  param_type returns;
  bool hidden;
  member_entry<C> entry;

  constexpr std::int32_t dispid() const { return dispid_of(group, dispatch_number); }
  constexpr std::span<const param_info> parameters() const { return {params.data(), param_count}; }
  constexpr std::size_t required_count() const {
    std::size_t n = 0;
    for (std::size_t i = 0; i < param_count; ++i)
      if (!params[i].optional) ++n;
    return n;
  }
};

/// One row of a member table; the named makers below say the common rows
/// in fewer words.
template <class C>
constexpr member_info<C> member_row(std::string_view name, member_kind kind, dispatch_group group, int number,
                                    std::initializer_list<param_info> params, param_type returns, bool hidden,
                                    member_entry<C> entry) {
  member_info<C> m{name, kind, group, number, {}, static_cast<std::uint8_t>(params.size()), returns, hidden, entry};
  std::size_t i = 0;
  for (const param_info& p : params) m.params[i++] = p;
  return m;
}

// Parameter makers. A parameter is a Variant unless a type is given.

/// A required argument.
constexpr param_info param(std::string_view name, param_type type = param_type::variant) {
  return {.name = name, .type = type};
}
/// An optional argument without a default: when left out, the member sees
/// it missing.
constexpr param_info optional(std::string_view name, param_type type = param_type::variant) {
  return {.name = name, .type = type, .optional = true};
}
/// An optional argument whose default is an empty string.
constexpr param_info defaulted(std::string_view name, param_type type = param_type::variant) {
  return {.name = name, .type = type, .optional = true, .has_default = true};
}
/// An optional argument whose default is a literal of its own type, as
/// written: "0", "False", "Nothing".
constexpr param_info defaulted(std::string_view name, param_type type, std::string_view literal) {
  return {.name = name, .type = type, .optional = true, .has_default = true, .default_text = literal,
          .default_type = type};
}
/// The same argument passed in and out.
constexpr param_info by_ref(param_info p) {
  p.by_ref = true;
  return p;
}

// Row makers. A method answers nothing; a function answers a value of its
// result type. A plain field's accessors take their dispatch id from the
// field group, a property procedure's from the property group; the value
// assigned is one parameter named "value" of the property's type.

/// Makes the rows of functions (`Hidden`: left out of the browsers' member
/// lists, still callable).
template <bool Hidden>
struct function_maker {
  template <class C>
  constexpr member_info<C> operator()(std::string_view name, int number, param_type returns,
                                      std::initializer_list<param_info> params, member_entry<C> entry) const {
    return member_row<C>(name, member_kind::method, dispatch_group::method, number, params, returns, Hidden, entry);
  }
};
/// Makes the rows of methods: functions without a result.
template <bool Hidden>
struct method_maker {
  template <class C>
  constexpr member_info<C> operator()(std::string_view name, int number, std::initializer_list<param_info> params,
                                      member_entry<C> entry) const {
    return function_maker<Hidden>{}(name, number, param_type::none, params, entry);
  }
};
inline constexpr method_maker<false> method;
inline constexpr method_maker<true> hidden_method;
inline constexpr function_maker<false> function;
inline constexpr function_maker<true> hidden_function;

/// Makes the rows of one kind of accessor in one dispatch group.
template <member_kind Kind, dispatch_group Group>
struct accessor_maker {
  template <class C>
  constexpr member_info<C> operator()(std::string_view name, int number, param_type type,
                                      member_entry<C> entry) const {
    if constexpr (Kind == member_kind::get) return member_row<C>(name, Kind, Group, number, {}, type, false, entry);
    return member_row<C>(name, Kind, Group, number, {param("value", type)}, param_type::none, false, entry);
  }
};
inline constexpr accessor_maker<member_kind::get, dispatch_group::field> field_get;
inline constexpr accessor_maker<member_kind::let, dispatch_group::field> field_let;
inline constexpr accessor_maker<member_kind::set, dispatch_group::field> field_set;
inline constexpr accessor_maker<member_kind::get, dispatch_group::property> property_get;
inline constexpr accessor_maker<member_kind::let, dispatch_group::property> property_let;
inline constexpr accessor_maker<member_kind::set, dispatch_group::property> property_set;

// Accessors shared by the classes: plain Variant fields (of the class or
// of a base it shares with another class), the active interface and the
// company code.
template <class C, auto Field>
value get_field(C& obj, std::span<value>) {
  return obj.*Field;
}
template <class C, auto Field>
value put_field(C& obj, std::span<value> a) {
  obj.*Field = std::move(a[0]);
  return {};
}
template <class C>
value get_active_interface(C& obj, std::span<value>) {
  return value(object_ptr(obj.active_interface()));
}
/// Only the framework's active-interface object can be set; any other object
/// is a type mismatch.
template <class C>
value set_active_interface(C& obj, std::span<value> a) {
  auto ai = std::dynamic_pointer_cast<typename std::remove_cvref_t<decltype(obj.active_interface())>::element_type>(
      a[0].as_object());
  if (a[0].as_object() && !ai) raise(err::type_mismatch, class_source(obj.class_name()));
  obj.set_active_interface(std::move(ai));
  return {};
}
template <class C>
value get_codice_ditta(C& obj, std::span<value>) {
  return value(obj.codice_ditta());
}
template <class C>
value let_codice_ditta(C& obj, std::span<value> a) {
  obj.set_codice_ditta(a[0].as_long());
  return {};
}

/// The shared accessors as variables of class C's entry type, so that a row
/// maker learns the class from them.
template <class C>
struct shared_entries {
  static constexpr member_entry<C> get_active_interface = &veldrane::get_active_interface<C>;
  static constexpr member_entry<C> set_active_interface = &veldrane::set_active_interface<C>;
  static constexpr member_entry<C> get_codice_ditta = &veldrane::get_codice_ditta<C>;
  static constexpr member_entry<C> let_codice_ditta = &veldrane::let_codice_ditta<C>;
  template <auto Field>
  static constexpr member_entry<C> get = &get_field<C, Field>;
  template <auto Field>
  static constexpr member_entry<C> put = &put_field<C, Field>;
};

/// One event a class raises to its advised sinks: a method of its source
/// interface. The type library declares it and the COM layer passes its
/// arguments from the same row.
struct event_info {
  std::string_view name;
  std::int32_t dispid;
  std::span<const param_info> params;
};

/// The dispatch interface through which a class raises its events.
struct source_info {
  std::string_view name;  // __CLSMG_CONNECT
  std::string_view iid;
  std::span<const event_info> events;
};

/// The identity of a class and its members in interface order.
template <class C>
struct class_info {
  std::string_view name;       // CLSMG_LOOKUP
  std::string_view interface_name;  // _CLSMG_LOOKUP
  std::string_view clsid;
  std::string_view iid;
  std::span<const member_info<C>> members;
  const source_info* source = nullptr;  // a class that raises no events has none
};

/// Compile-time checks over a table: names unique ignoring case except the
/// accessors of one property; accessors of one property share a dispatch
/// id; dispatch ids unique across members otherwise; optional parameters
/// only after required ones.
template <class C, std::size_t N>
constexpr bool valid_member_table(const std::array<member_info<C>, N>& t) {
  for (std::size_t i = 0; i < N; ++i) {
    bool seen_optional = false;
    for (std::size_t p = 0; p < t[i].param_count; ++p) {
      if (t[i].params[p].optional) seen_optional = true;
      else if (seen_optional) return false;
    }
    for (std::size_t j = i + 1; j < N; ++j) {
      bool same_name = iequal(t[i].name, t[j].name);
      bool accessor_pair = same_name && t[i].kind != member_kind::method && t[j].kind != member_kind::method &&
                           t[i].kind != t[j].kind;
      if (same_name && !accessor_pair) return false;
      if (accessor_pair && t[i].dispid() != t[j].dispid()) return false;
      if (!same_name && t[i].dispid() == t[j].dispid()) return false;
    }
  }
  return true;
}

/// Finds a member by name (ignoring case) and kind; null when absent.
template <class C>
const member_info<C>* find_member(const class_info<C>& ci, std::string_view name, member_kind kind) {
  for (const auto& m : ci.members)
    if (m.kind == kind && iequal(m.name, name)) return &m;
  return nullptr;
}

/// True when the class has a member of that name, of any kind.
template <class C>
bool has_member(const class_info<C>& ci, std::string_view name) {
  return std::any_of(ci.members.begin(), ci.members.end(),
                     [&](const member_info<C>& m) { return iequal(m.name, name); });
}

/// Brings the caller's arguments to the member's declared parameters, as
/// automation's typed dispatch does: missing optional arguments take their
/// default, typed parameters are coerced, a missing required argument
/// raises 449 and too many arguments 450. In place: after the call `args`
/// holds what the member left in its by-reference parameters.
void bind_arguments_in_place(std::span<const param_info> params, std::vector<value>& args, std::string_view source);

/// Runs a member's entry on bound arguments. A class that declares
/// `check_arguments(member, args)` refuses arguments there, before the
/// member has stored anything.
template <class C>
value call_entry(C& obj, const member_info<C>& m, std::span<value> args) {
  if constexpr (requires { C::check_arguments(m, std::span<const value>(args)); })
    C::check_arguments(m, std::span<const value>(args));
  return m.entry(obj, args);
}

/// Calls a member by name. `kind` picks among a property's accessors. On
/// return `args` holds the bound arguments as the member left them, so that
/// a caller can copy back its by-reference arguments.
template <class C>
value invoke_by_ref(const class_info<C>& ci, C& obj, std::string_view name, member_kind kind,
                    std::vector<value>& args) {
  const std::string source = class_source(ci.name);
  const member_info<C>* m = find_member(ci, name, kind);
  if (!m) raise(err::member_not_supported, source);
  bind_arguments_in_place(m->parameters(), args, source);
  return call_entry(obj, *m, args);
}

/// Calls a member by name with arguments passed by value.
template <class C>
value invoke(const class_info<C>& ci, C& obj, std::string_view name, member_kind kind, std::vector<value> args) {
  return invoke_by_ref(ci, obj, name, kind, args);
}

}  // namespace veldrane
