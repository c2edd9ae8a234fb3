#include "convert/value.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "convert/text_locale.h"

namespace veldrane {

// ---------------------------------------------------------------------------
// Locale

namespace {
text_locale g_locale;
}
const text_locale& current_locale() { return g_locale; }
void set_current_locale(const text_locale& l) { g_locale = l; }

// ---------------------------------------------------------------------------
// Decimal: 96-bit magnitude in three 32-bit limbs.

namespace {

struct u96 {
  std::uint32_t w[3] = {0, 0, 0};  // w[0] least significant

  bool zero() const { return w[0] == 0 && w[1] == 0 && w[2] == 0; }
  // this = this * m + add; returns false on overflow (this unchanged then).
  bool mul_add(std::uint32_t m, std::uint32_t add) {
    std::uint64_t carry = add;
    std::uint32_t r[3];
    for (int i = 0; i < 3; ++i) {
      std::uint64_t t = static_cast<std::uint64_t>(w[i]) * m + carry;
      r[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) return false;
    std::memcpy(w, r, sizeof r);
    return true;
  }
  // this /= d; returns the remainder.
  std::uint32_t div(std::uint32_t d) {
    std::uint64_t rem = 0;
    for (int i = 2; i >= 0; --i) {
      std::uint64_t cur = (rem << 32) | w[i];
      w[i] = static_cast<std::uint32_t>(cur / d);
      rem = cur % d;
    }
    return static_cast<std::uint32_t>(rem);
  }
};

u96 magnitude(const decimal& d) { return u96{{d.lo, d.mid, d.hi}}; }
void set_magnitude(decimal& d, const u96& m) {
  d.lo = m.w[0];
  d.mid = m.w[1];
  d.hi = m.w[2];
}

}  // namespace

decimal decimal::from_int64(std::int64_t v) {
  decimal d;
  std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  d.lo = static_cast<std::uint32_t>(m);
  d.mid = static_cast<std::uint32_t>(m >> 32);
  d.negative = v < 0;
  return d;
}

decimal decimal::from_double(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= 7.9228162514264337593543950335e28) raise(err::overflow, kComponentSource);
  // 15 significant digits in exponent form; to_chars never looks at the
  // process locale, so the point is always '.'.
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
  decimal d;
  if (!parse(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)), '.', '\0', d))
    raise(err::type_mismatch, kComponentSource);
  return d;
}

bool decimal::parse(std::string_view s, char decimal_sep, char group_sep, decimal& out) {
  std::size_t i = 0, n = s.size();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < n && blank(s[i])) ++i;
  while (n > i && blank(s[n - 1])) --n;
  bool neg = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  u96 m;
  int scale = 0, digits = 0;
  bool in_fraction = false, dropped = false, round_up = false;
  for (; i < n; ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      ++digits;
      if (dropped) continue;
      if (in_fraction && scale >= 28) {
        dropped = true;
        round_up = c >= '5';
        continue;
      }
      u96 t = m;
      if (!t.mul_add(10, static_cast<std::uint32_t>(c - '0'))) {
        if (!in_fraction) raise(err::overflow, kComponentSource);
        dropped = true;
        round_up = c >= '5';
        continue;
      }
      m = t;
      if (in_fraction) ++scale;
    } else if (c == decimal_sep && !in_fraction) {
      in_fraction = true;
    } else if (group_sep != '\0' && c == group_sep && !in_fraction) {
      continue;
    } else if ((c == 'e' || c == 'E') && digits > 0) {
      ++i;
      bool eneg = false;
      if (i < n && (s[i] == '+' || s[i] == '-')) eneg = s[i++] == '-';
      if (i >= n) return false;
      int e = 0;
      for (; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        e = e * 10 + (s[i] - '0');
        if (e > 100) raise(err::overflow, kComponentSource);
      }
      if (eneg) {
        while (e-- > 0) {
          if (scale < 28) {
            ++scale;
          } else {
            round_up = m.div(10) >= 5;
          }
        }
      } else {
        while (e > 0 && scale > 0) --scale, --e;
        while (e-- > 0)
          if (!m.mul_add(10, 0)) raise(err::overflow, kComponentSource);
      }
      break;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  if (round_up && !m.mul_add(1, 1))
    raise(err::overflow, kComponentSource);
  out = decimal{};
  set_magnitude(out, m);
  out.scale = static_cast<std::uint8_t>(scale);
  out.negative = neg && !m.zero();
  return true;
}

double decimal::to_double() const {
  double v = static_cast<double>(hi) * 18446744073709551616.0 + static_cast<double>(mid) * 4294967296.0 +
             static_cast<double>(lo);
  v /= std::pow(10.0, scale);
  return negative ? -v : v;
}

std::string decimal::to_text(char point) const {
  u96 m = magnitude(*this);
  std::string digits;
  do {
    digits.push_back(static_cast<char>('0' + m.div(10)));
  } while (!m.zero());
  while (digits.size() <= scale) digits.push_back('0');
  // digits is reversed: the first `scale` characters are the fraction.
  std::size_t frac_start = 0;
  while (frac_start < scale && digits[frac_start] == '0') ++frac_start;
  std::string out;
  if (negative) out.push_back('-');
  for (std::size_t i = digits.size(); i-- > scale;) out.push_back(digits[i]);
  if (frac_start < scale) {
    out.push_back(point);
    for (std::size_t i = scale; i-- > frac_start;) out.push_back(digits[i]);
  }
  return out;
}

bool operator==(const decimal& a, const decimal& b) {
  return a.lo == b.lo && a.mid == b.mid && a.hi == b.hi && a.scale == b.scale && a.negative == b.negative;
}

// ---------------------------------------------------------------------------
// Dates

namespace {
// Days from 1970-01-01 for a civil date (proleptic Gregorian).
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}
void civil_from_days(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}
constexpr std::int64_t kEpochOffset = 25569;  // 1970-01-01 as a serial
}  // namespace

date_value date_value::from_parts(int year, int month, int day, int hour, int minute, int second) {
  double days = static_cast<double>(days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                                    kEpochOffset);
  double frac = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the fraction counts away from zero.
  return {days < 0 ? days - frac : days + frac};
}

bool date_value::in_range() const {
  // -657434 is 0100-01-01 and 2958465 is 9999-12-31; a time of day moves a
  // serial away from zero by less than one.
  return std::isfinite(serial) && serial > -657435.0 && serial < 2958466.0;
}

void date_value::to_parts(int& year, int& month, int& day, int& hour, int& minute, int& second) const {
  double whole = std::trunc(serial);
  double frac = std::fabs(serial - whole);
  long secs = std::lround(frac * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    whole += serial < 0 ? -1 : 1;
  }
  civil_from_days(static_cast<std::int64_t>(whole) - kEpochOffset, year, month, day);
  hour = static_cast<int>(secs / 3600);
  minute = static_cast<int>(secs / 60 % 60);
  second = static_cast<int>(secs % 60);
}

// ---------------------------------------------------------------------------
// Objects and arrays

value object::call(std::string_view, member_kind, std::vector<value*>) {
  raise(err::member_not_supported, type_name());
}

bool safe_array::bounds_fit(const std::vector<bound>& bounds) {
  std::uint64_t total = bounds.empty() ? 0 : 1;
  for (const auto& b : bounds) {
    const std::int64_t upper = std::int64_t{b.lower} + b.count - 1;
    if (upper < INT32_MIN || upper > INT32_MAX) return false;
    constexpr std::uint64_t kMaxElements = SIZE_MAX / sizeof(value);
    if (b.count != 0 && total > kMaxElements / b.count) return false;
    total *= b.count;
  }
  return true;
}

safe_array::safe_array(std::vector<bound> bounds) : bounds_(std::move(bounds)) {
  if (!bounds_fit(bounds_)) raise(err::overflow, kComponentSource);
  std::size_t total = bounds_.empty() ? 0 : 1;
  for (const auto& b : bounds_) total *= b.count;
  elements_.resize(total);
}

std::size_t safe_array::offset(std::initializer_list<std::int32_t> subscripts) const {
  if (subscripts.size() != bounds_.size()) raise(err::subscript_out_of_range, kComponentSource);
  std::size_t off = 0, stride = 1, dim = 0;
  for (std::int32_t s : subscripts) {
    const bound& b = bounds_[dim++];
    std::int64_t rel = static_cast<std::int64_t>(s) - b.lower;
    if (rel < 0 || rel >= static_cast<std::int64_t>(b.count)) raise(err::subscript_out_of_range, kComponentSource);
    off += static_cast<std::size_t>(rel) * stride;
    stride *= b.count;
  }
  return off;
}
value& safe_array::at(std::initializer_list<std::int32_t> s) { return elements_[offset(s)]; }
const value& safe_array::at(std::initializer_list<std::int32_t> s) const { return elements_[offset(s)]; }

// ---------------------------------------------------------------------------
// value

value::value(const value& o) : v_(o.v_) {
  // Arrays are values: copying a Variant copies its array.
  if (auto* box = std::get_if<array_box>(&v_)) box->p = std::make_shared<safe_array>(*box->p);
}
value& value::operator=(const value& o) {
  if (this != &o) {
    value t(o);
    *this = std::move(t);
  }
  return *this;
}

bool operator==(const value::array_box& a, const value::array_box& b) {
  return a.p->bounds().size() == b.p->bounds().size() && a.p->elements() == b.p->elements() &&
         std::equal(a.p->bounds().begin(), a.p->bounds().end(), b.p->bounds().begin(),
                    [](const safe_array::bound& x, const safe_array::bound& y) {
                      return x.lower == y.lower && x.count == y.count;
                    });
}

bool operator==(const value& a, const value& b) { return a.v_ == b.v_; }

std::string_view value::type_name() const {
  switch (kind()) {
    case value_kind::empty: return "Empty";
    case value_kind::null: return "Null";
    case value_kind::missing: return "Error";
    case value_kind::boolean: return "Boolean";
    case value_kind::integer: return "Integer";
    case value_kind::long_: return "Long";
    case value_kind::double_: return "Double";
    case value_kind::decimal: return "Decimal";
    case value_kind::date: return "Date";
    case value_kind::string: return "String";
    case value_kind::object: return is_nothing() ? "Nothing" : "Object";
    case value_kind::array: return "Variant()";
  }
  return "Unknown";
}

// ---------------------------------------------------------------------------
// Coercions

namespace {

[[noreturn]] void mismatch() { raise(err::type_mismatch, kComponentSource); }

// A Decimal no conversion accepts raises 5, as the runtime's conversions
// answer such a value (E_INVALIDARG).
const decimal& checked(const decimal& d) {
  if (!d.valid()) raise(err::invalid_argument, kComponentSource);
  return d;
}

// 15 significant digits, the shortest of fixed and exponent form, trailing
// zeros dropped, the exponent as E+nn ("%.15G" of the C locale). to_chars
// is used because printf follows the process locale's decimal point, which a
// host may have set to a comma.
std::string double_text(double d, char point) {
  // NaN and the infinities are no number the runtime writes: arithmetic that
  // would give one raises overflow, and so does writing one.
  if (!std::isfinite(d)) raise(err::overflow, kComponentSource);
  char buf[48];
  const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
  std::string s(buf, r.ptr);
  for (char& c : s) {
    if (c == '.') c = point;
    else if (c == 'e') c = 'E';
  }
  return s;
}

std::string two(int v) {
  return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

// A date outside 0100-01-01 to 9999-12-31 has no text: the runtime's
// conversion refuses it (E_INVALIDARG, error 5) rather than writing another
// date, which a statement would then read as a real one.
std::string date_text(const date_value& d, const text_locale& loc) {
  if (!d.in_range()) raise(err::invalid_argument, kComponentSource);
  int y, m, dd, h, mi, s;
  d.to_parts(y, m, dd, h, mi, s);
  if (y < 100 || y > 9999) raise(err::invalid_argument, kComponentSource);
  // Day 0 (1899-12-30) is no date, only a time; the day counts after the
  // time is rounded to the second, so that 0.9999999 is 1899-12-31.
  bool has_date = y != 1899 || m != 12 || dd != 30;
  bool has_time = h != 0 || mi != 0 || s != 0;
  std::string out;
  if (has_date || !has_time) {
    if (!has_date) {
      out = two(0) + loc.time_separator + two(0) + loc.time_separator + two(0);
      return out;
    }
    std::string ys = std::to_string(y);
    const char sep = loc.date_separator;
    switch (loc.order) {
      case text_locale::date_order::dmy: out = two(dd) + sep + two(m) + sep + ys; break;
      case text_locale::date_order::mdy: out = std::to_string(m) + sep + std::to_string(dd) + sep + ys; break;
      case text_locale::date_order::ymd: out = ys + sep + two(m) + sep + two(dd); break;
    }
  }
  if (has_time) {
    if (!out.empty()) out.push_back(' ');
    out += two(h) + loc.time_separator + two(mi) + loc.time_separator + two(s);
  }
  return out;
}

// Reads text as a number by the locale; type mismatch when it is not one.
decimal text_to_decimal(const std::string& s) {
  const text_locale& loc = current_locale();
  decimal d;
  if (!decimal::parse(s, loc.decimal_separator, loc.group_separator, d)) mismatch();
  return d;
}

double round_even(double x) { return std::nearbyint(x); }

std::int64_t to_int64_rounded(const value& v) {
  double d;
  switch (v.kind()) {
    case value_kind::empty: return 0;
    case value_kind::boolean: return v.as_bool() ? -1 : 0;
    case value_kind::integer: return v.as_integer();
    case value_kind::long_: return v.as_long();
    case value_kind::double_: d = v.as_double(); break;
    case value_kind::decimal: d = checked(v.as_decimal()).to_double(); break;
    case value_kind::date: d = v.as_date().serial; break;
    case value_kind::string: {
      const std::string& s = v.as_string();
      if (iequal(s, "true")) return -1;
      if (iequal(s, "false")) return 0;
      d = text_to_decimal(s).to_double();
      break;
    }
    case value_kind::null: raise(err::invalid_use_of_null, kComponentSource);
    default: mismatch();
  }
  if (!std::isfinite(d) || std::fabs(d) > 9.2e18) raise(err::overflow, kComponentSource);
  return static_cast<std::int64_t>(round_even(d));
}

}  // namespace

std::string to_text(const value& v) {
  const text_locale& loc = current_locale();
  switch (v.kind()) {
    case value_kind::empty: return {};
    case value_kind::null: raise(err::invalid_use_of_null, kComponentSource);
    case value_kind::boolean: return v.as_bool() ? "True" : "False";
    case value_kind::integer: return std::to_string(v.as_integer());
    case value_kind::long_: return std::to_string(v.as_long());
    case value_kind::double_: return double_text(v.as_double(), loc.decimal_separator);
    case value_kind::decimal: return checked(v.as_decimal()).to_text(loc.decimal_separator);
    case value_kind::date: return date_text(v.as_date(), loc);
    case value_kind::string: return v.as_string();
    case value_kind::object:
      // An object has no text form unless it has a default member.
      if (!v.as_object()) raise(err::object_not_set, kComponentSource);
      raise(err::member_not_supported, kComponentSource);
    default: mismatch();
  }
}

std::string concat_text(const value& v) { return v.is_null() ? std::string() : to_text(v); }

decimal to_decimal(const value& v) {
  switch (v.kind()) {
    case value_kind::empty: return {};
    case value_kind::null: raise(err::invalid_use_of_null, kComponentSource);
    case value_kind::boolean: return decimal::from_int64(v.as_bool() ? -1 : 0);
    case value_kind::integer: return decimal::from_int64(v.as_integer());
    case value_kind::long_: return decimal::from_int64(v.as_long());
    case value_kind::double_: return decimal::from_double(v.as_double());
    case value_kind::decimal: return checked(v.as_decimal());
    case value_kind::date: return decimal::from_double(v.as_date().serial);
    case value_kind::string: return text_to_decimal(v.as_string());
    default: mismatch();
  }
}

std::int32_t to_long(const value& v) {
  std::int64_t x = to_int64_rounded(v);
  if (x < INT32_MIN || x > INT32_MAX) raise(err::overflow, kComponentSource);
  return static_cast<std::int32_t>(x);
}

std::int16_t to_integer(const value& v) {
  std::int64_t x = to_int64_rounded(v);
  if (x < INT16_MIN || x > INT16_MAX) raise(err::overflow, kComponentSource);
  return static_cast<std::int16_t>(x);
}

double to_double(const value& v) {
  switch (v.kind()) {
    case value_kind::empty: return 0;
    case value_kind::null: raise(err::invalid_use_of_null, kComponentSource);
    case value_kind::boolean: return v.as_bool() ? -1 : 0;
    case value_kind::integer: return v.as_integer();
    case value_kind::long_: return v.as_long();
    case value_kind::double_: return v.as_double();
    case value_kind::decimal: return checked(v.as_decimal()).to_double();
    case value_kind::date: return v.as_date().serial;
    case value_kind::string: return text_to_decimal(v.as_string()).to_double();
    default: mismatch();
  }
}

bool to_bool(const value& v) {
  switch (v.kind()) {
    case value_kind::boolean: return v.as_bool();
    case value_kind::string: {
      if (iequal(v.as_string(), "true")) return true;
      if (iequal(v.as_string(), "false")) return false;
      return !text_to_decimal(v.as_string()).is_zero();
    }
    default: return to_double(v) != 0;
  }
}

std::string sql_number(const value& v) {
  switch (v.kind()) {
    case value_kind::integer: return std::to_string(v.as_integer());
    case value_kind::long_: return std::to_string(v.as_long());
    case value_kind::decimal: return checked(v.as_decimal()).to_text('.');
    case value_kind::double_: return double_text(v.as_double(), '.');
    case value_kind::boolean: return v.as_bool() ? "-1" : "0";
    case value_kind::null:
    case value_kind::empty: return {};
    default: return to_text(v);
  }
}

}  // namespace veldrane
