#include "convert/converters.h"

namespace veldrane {

std::string TextOrEmpty(const value& v) {
  // A missing argument has no text: it counts as no value at all.
  if (v.is_empty() || v.is_null() || v.is_missing()) return {};
  if (v.is_string() && v.as_string().empty()) return {};
  std::string s = to_text(v);
  std::size_t end = s.find_last_not_of(' ');
  s.resize(end == std::string::npos ? 0 : end + 1);
  return s;
}

value DecimalOrZero(const value& v) {
  if (v.is_empty() || v.is_null() || TextOrEmpty(v).empty()) return value(std::int16_t{0});
  return value(to_decimal(v));
}

value NVL(const value& val, const value& fallback) {
  try {
    if (val.is_empty() || val.is_null()) return fallback;
    std::string s = to_text(val);
    std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? fallback : val;
  } catch (const automation_error& e) {
    throw automation_error(e.number(), e.description(), "NVL:\r\n" + e.source());
  }
}

}  // namespace veldrane
