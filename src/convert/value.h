// Automation values: the kinds of data a caller can pass to a member, or
// receive from one, and the runtime's coercions between them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "convert/error.h"

namespace veldrane {

/// ASCII case-insensitive equality (member names, "True"/"False"): unlike
/// the C library's case mapping, it never follows the process locale.
constexpr bool iequal(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

class value;

/// Exact decimal number as automation's DECIMAL: a 96-bit magnitude, a scale
/// (digits after the point, 0..28) and a sign.
struct decimal {
  std::uint32_t lo = 0, mid = 0, hi = 0;
  std::uint8_t scale = 0;
  bool negative = false;

  static decimal from_int64(std::int64_t v);
  /// Rounds to 15 significant digits first, as the runtime does.
  static decimal from_double(double d);
  /// Parses text with the given decimal and group separators; returns false
  /// when the text is not a number, throws overflow when it does not fit.
  static bool parse(std::string_view text, char decimal_sep, char group_sep, decimal& out);

  bool is_zero() const { return lo == 0 && mid == 0 && hi == 0; }
  /// False for a scale past 28, which no Decimal has: every conversion of
  /// such a value raises error 5, as the runtime's do.
  bool valid() const { return scale <= 28; }
  double to_double() const;
  /// Digits with `point` between integer and fraction; trailing fractional
  /// zeros are dropped, no grouping.
  std::string to_text(char point) const;
  friend bool operator==(const decimal& a, const decimal& b);
};

/// Date as automation keeps it: days since 1899-12-30, time as the fraction.
struct date_value {
  double serial = 0;
  static date_value from_parts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  /// True for the serials of 0100-01-01 to 9999-12-31 (times included), the
  /// dates the runtime writes; NaN and infinities are not.
  bool in_range() const;
  /// Only for a serial in_range; the seconds are rounded, so that the last
  /// half second of 9999-12-31 gives a day of the year 10000.
  void to_parts(int& year, int& month, int& day, int& hour, int& minute, int& second) const;
  friend bool operator==(const date_value& a, const date_value& b) { return a.serial == b.serial; }
};

/// The kinds of member a late-bound call reaches: a method, or one of a
/// property's accessors (read, assign a value, assign an object).
enum class member_kind : std::uint8_t { method, get, let, set };

/// A late-bound automation object. Members are reached by name; arguments
/// may be passed by reference and changed by the callee.
class object {
 public:
  virtual ~object() = default;
  virtual value call(std::string_view member, member_kind kind, std::vector<value*> args);
  /// The name the tool shows for the object.
  virtual std::string type_name() const { return "Object"; }
};
using object_ptr = std::shared_ptr<object>;

/// An array with bounds, one or two dimensions. Elements are stored with the
/// first index varying fastest, as SAFEARRAY does.
class safe_array {
 public:
  struct bound {
    std::int32_t lower = 0;
    std::uint32_t count = 0;
  };
  safe_array() = default;
  /// Bounds that do not fit (bounds_fit) raise overflow.
  explicit safe_array(std::vector<bound> bounds);

  const std::vector<bound>& bounds() const { return bounds_; }
  std::size_t dimensions() const { return bounds_.size(); }
  std::int32_t lbound(std::size_t dim) const { return bounds_.at(dim).lower; }
  /// The constructor has made sure that the upper bound fits: lower +
  /// count - 1 is worked out in 64 bits, so an empty dimension at the
  /// lowest lower bound cannot overflow.
  std::int32_t ubound(std::size_t dim) const {
    return static_cast<std::int32_t>(std::int64_t{bounds_.at(dim).lower} + bounds_.at(dim).count - 1);
  }
  /// True when every dimension's upper bound (lower + count - 1) is within
  /// the 32-bit range and the element count fits in memory's index range.
  static bool bounds_fit(const std::vector<bound>& bounds);
  /// Index by subscripts, one per dimension; out of range raises error 9.
  value& at(std::initializer_list<std::int32_t> subscripts);
  const value& at(std::initializer_list<std::int32_t> subscripts) const;
  const std::vector<value>& elements() const { return elements_; }
  std::vector<value>& elements() { return elements_; }

 private:
  std::size_t offset(std::initializer_list<std::int32_t> subscripts) const;
  std::vector<bound> bounds_;
  std::vector<value> elements_;
};

enum class value_kind : std::uint8_t {
  empty,
  null,
  missing,  // an optional argument the caller left out
  boolean,
  integer,  // 16-bit
  long_,    // 32-bit
  double_,
  decimal,
  date,
  string,
  object,   // may be Nothing (null pointer)
  array,
};

/// One automation Variant.
class value {
 public:
  value() = default;  // Empty
  value(bool b) : v_(b) {}
  value(std::int16_t i) : v_(i) {}
  value(std::int32_t l) : v_(l) {}
  value(double d) : v_(d) {}
  value(decimal d) : v_(d) {}
  value(date_value d) : v_(d) {}
  value(std::string s) : v_(std::move(s)) {}
  value(std::string_view s) : v_(std::string(s)) {}
  value(const char* s) : v_(std::string(s)) {}
  value(object_ptr o) : v_(std::move(o)) {}
  value(safe_array a) : v_(array_box{std::make_shared<safe_array>(std::move(a))}) {}
  value(const value& o);
  value& operator=(const value& o);
  value(value&&) noexcept = default;
  value& operator=(value&&) noexcept = default;

  static value null() { return value(null_tag{}); }
  static value missing() { return value(missing_tag{}); }
  static value nothing() { return value(object_ptr{}); }

  value_kind kind() const { return static_cast<value_kind>(v_.index()); }
  bool is_empty() const { return kind() == value_kind::empty; }
  bool is_null() const { return kind() == value_kind::null; }
  bool is_missing() const { return kind() == value_kind::missing; }
  bool is_string() const { return kind() == value_kind::string; }
  bool is_object() const { return kind() == value_kind::object; }
  bool is_nothing() const { return is_object() && !as_object(); }
  bool is_array() const { return kind() == value_kind::array; }

  bool as_bool() const { return std::get<bool>(v_); }
  std::int16_t as_integer() const { return std::get<std::int16_t>(v_); }
  std::int32_t as_long() const { return std::get<std::int32_t>(v_); }
  double as_double() const { return std::get<double>(v_); }
  const decimal& as_decimal() const { return std::get<decimal>(v_); }
  const date_value& as_date() const { return std::get<date_value>(v_); }
  const std::string& as_string() const { return std::get<std::string>(v_); }
  const object_ptr& as_object() const { return std::get<object_ptr>(v_); }
  const safe_array& as_array() const { return *std::get<array_box>(v_).p; }
  safe_array& as_array() { return *std::get<array_box>(v_).p; }

  /// The runtime's name of the kind ("String", "Long", "Empty", ...).
  std::string_view type_name() const;

  friend bool operator==(const value& a, const value& b);

  // Holds an array by pointer; copying the value copies the array.
  struct array_box {
    std::shared_ptr<safe_array> p;
    friend bool operator==(const array_box& a, const array_box& b);
  };

 private:
  struct null_tag {
    friend bool operator==(null_tag, null_tag) { return true; }
  };
  struct missing_tag {
    friend bool operator==(missing_tag, missing_tag) { return true; }
  };
  explicit value(null_tag t) : v_(t) {}
  explicit value(missing_tag t) : v_(t) {}

  std::variant<std::monostate, null_tag, missing_tag, bool, std::int16_t, std::int32_t, double, decimal,
               date_value, std::string, object_ptr, array_box>
      v_;
};

// The runtime's coercions (CStr, CDec, CLng, CInt, CBool, CDbl). Each raises
// the runtime's error: 13 type mismatch, 94 invalid use of Null, 6 overflow,
// 5 for a value that is not one of its type (a Decimal of scale past 28);
// to_text also 5 for a date the runtime cannot write (outside 0100-01-01 to
// 9999-12-31, NaN, infinite) and 6 for a Double that is NaN or infinite.
std::string to_text(const value& v);
decimal to_decimal(const value& v);
std::int32_t to_long(const value& v);
std::int16_t to_integer(const value& v);
bool to_bool(const value& v);
double to_double(const value& v);

/// Text of a value as the `&` operator concatenates it: like to_text, but
/// Null (and Empty) give the empty string.
std::string concat_text(const value& v);

/// A number written bare into a SQL statement: decimal point, no grouping,
/// whatever the locale.
std::string sql_number(const value& v);

}  // namespace veldrane
