#include "standin/json_value.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace veldrane::standin {


namespace {

constexpr const char* kValueForms =
    " (expected a string, number, true/false, null, or {\"$empty\"|\"$missing\"|\"$nothing\": true}, "
    "{\"$integer\": n}, {\"$decimal\": \"n.n\"}, {\"$date\": \"YYYY-MM-DD\"}, {\"$array\": [...]}, "
    "{\"$object\": \"name\"})";

date_value parse_date(const std::string& s) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
  char tail = 0;
  int n = std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &se, &tail);
  bool ok = (n == 3 && s.size() == 10) || (n == 6 && s.size() == 19);
  if (!ok || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 59)
    throw bad_value("not a date: \"" + s + "\" (expected YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS)");
  return date_value::from_parts(y, mo, d, h, mi, se);
}

std::string date_text(const date_value& dv) {
  int y, mo, d, h, mi, se;
  dv.to_parts(y, mo, d, h, mi, se);
  char buf[32];
  if (h == 0 && mi == 0 && se == 0)
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
  else
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, h, mi, se);
  return buf;
}

// Walks nested lists, first index outermost, into the array's elements.
// The bounds were checked to fit: lbound + i is at most the upper bound.
void fill(safe_array& a, const json& j, std::size_t dim, std::vector<std::int32_t>& idx, const object_maker& make) {
  for (std::size_t i = 0; i < j.size(); ++i) {
    idx[dim] = static_cast<std::int32_t>(a.lbound(dim) + static_cast<std::int64_t>(i));
    if (dim + 1 == a.dimensions()) {
      value v = from_json(j[i], make);
      if (a.dimensions() == 1) a.at({idx[0]}) = std::move(v);
      else a.at({idx[0], idx[1]}) = std::move(v);
    } else {
      fill(a, j[i], dim + 1, idx, make);
    }
  }
}

// An encoded value names exactly one form ("$lbound" goes with "$array"),
// and the flag forms say true: {"$empty": false} or a stray key beside the
// form is a mistake to report, not a value to guess.
void check_form(const json& j) {
  static constexpr std::string_view kForms[] = {"$empty",   "$missing", "$nothing", "$integer",
                                                "$decimal", "$date",    "$array",   "$object"};
  std::size_t forms = 0;
  for (const auto& [key, v] : j.items()) {
    if (std::find(std::begin(kForms), std::end(kForms), key) != std::end(kForms)) ++forms;
    else if (key != "$lbound" || !j.contains("$array")) throw bad_value("unknown value " + j.dump() + kValueForms);
  }
  if (forms != 1) throw bad_value("unknown value " + j.dump() + kValueForms);
  for (const char* flag : {"$empty", "$missing", "$nothing"})
    if (j.contains(flag) && j[flag] != true)
      throw bad_value("\"" + std::string(flag) + "\": expected true, got " + j[flag].dump());
}

value array_from_json(const json& j, const object_maker& make) {
  const json& data = j.at("$array");
  if (!data.is_array()) throw bad_value("\"$array\": expected a list of elements (or of rows), got " + data.dump());
  std::vector<safe_array::bound> bounds;
  const json* level = &data;
  while (true) {
    bounds.push_back({0, static_cast<std::uint32_t>(level->size())});
    if (level->empty() || !(*level)[0].is_array()) break;
    level = &(*level)[0];
  }
  if (bounds.size() > 2) throw bad_value("\"$array\": expected one or two dimensions, got " + std::to_string(bounds.size()));
  if (j.contains("$lbound")) {
    const json& lb = j["$lbound"];
    if (!lb.is_array() || lb.size() != bounds.size())
      throw bad_value("\"$lbound\": expected a list of one integer per dimension, got " + lb.dump());
    for (std::size_t d = 0; d < bounds.size(); ++d) {
      if (!lb[d].is_number_integer() ||
          (lb[d].is_number_unsigned() ? lb[d].get<std::uint64_t>() > INT32_MAX
                                      : lb[d].get<std::int64_t>() < INT32_MIN || lb[d].get<std::int64_t>() > INT32_MAX))
        throw bad_value("\"$lbound\": expected integers in the 32-bit range, got " + lb.dump());
      bounds[d].lower = static_cast<std::int32_t>(lb[d].get<std::int64_t>());
    }
  }
  if (!safe_array::bounds_fit(bounds))
    throw bad_value("\"$array\": its bounds (\"$lbound\" + elements - 1) do not fit the 32-bit range");
  safe_array a(bounds);
  // Every row must be as long as the first.
  if (bounds.size() == 2)
    for (const json& row : data)
      if (!row.is_array() || row.size() != bounds[1].count) throw bad_value("\"$array\": expected rows of equal length (" + std::to_string(bounds[1].count) + " elements)");
  std::vector<std::int32_t> idx(bounds.size());
  fill(a, data, 0, idx, make);
  return value(std::move(a));
}

}  // namespace

value from_json(const json& j, const object_maker& make_object) {
  switch (j.type()) {
    case json::value_t::null: return value::null();
    case json::value_t::boolean: return value(j.get<bool>());
    case json::value_t::string: return value(j.get<std::string>());
    case json::value_t::number_integer:
    case json::value_t::number_unsigned: {
      if (j.is_number_unsigned() ? j.get<std::uint64_t>() > INT32_MAX
                                 : (j.get<std::int64_t>() < INT32_MIN || j.get<std::int64_t>() > INT32_MAX))
        throw bad_value("integer out of the 32-bit range: " + j.dump() + " (use {\"$decimal\": \"...\"})");
      return value(static_cast<std::int32_t>(j.get<std::int64_t>()));
    }
    case json::value_t::number_float: return value(j.get<double>());
    case json::value_t::object: {
      check_form(j);
      if (j.contains("$empty")) return value();
      if (j.contains("$missing")) return value::missing();
      if (j.contains("$integer")) {
        const json& i = j["$integer"];
        if (!i.is_number_integer() || (i.is_number_unsigned() ? i.get<std::uint64_t>() > INT16_MAX
                                                              : i.get<std::int64_t>() < INT16_MIN ||
                                                                    i.get<std::int64_t>() > INT16_MAX))
          throw bad_value("\"$integer\": expected an integer from -32768 to 32767, got " + i.dump());
        return value(static_cast<std::int16_t>(i.get<std::int64_t>()));
      }
      if (j.contains("$decimal")) {
        const json& t = j["$decimal"];
        decimal d;
        bool ok = false;
        try {
          ok = t.is_string() && decimal::parse(t.get<std::string>(), '.', '\0', d);
        } catch (const automation_error&) {
          throw bad_value("\"$decimal\": " + t.dump() + " is beyond the Decimal range (29 digits)");
        }
        if (!ok) throw bad_value("\"$decimal\": expected a number as a string, such as \"12.5\", got " + t.dump());
        return value(d);
      }
      if (j.contains("$date")) {
        if (!j["$date"].is_string())
          throw bad_value("\"$date\": expected \"YYYY-MM-DD\" or \"YYYY-MM-DDTHH:MM:SS\", got " + j["$date"].dump());
        return value(parse_date(j["$date"].get<std::string>()));
      }
      if (j.contains("$array")) return array_from_json(j, make_object);
      if (j.contains("$object")) {
        if (!j["$object"].is_string()) throw bad_value("\"$object\": expected a name, got " + j["$object"].dump());
        if (!make_object) throw bad_value("an object cannot be passed here: " + j.dump());
        return value(make_object(j["$object"].get<std::string>()));
      }
      if (j.contains("$nothing")) return value::nothing();
      throw bad_value("unknown value " + j.dump() + kValueForms);
    }
    default: throw bad_value("unknown value " + j.dump() + kValueForms);
  }
}

json to_json(const value& v) {
  switch (v.kind()) {
    case value_kind::empty: return {{"$empty", true}};
    case value_kind::null: return nullptr;
    case value_kind::missing: return {{"$missing", true}};
    case value_kind::boolean: return v.as_bool();
    case value_kind::integer: return {{"$integer", v.as_integer()}};
    case value_kind::long_: return v.as_long();
    case value_kind::double_: return v.as_double();
    case value_kind::decimal: return {{"$decimal", v.as_decimal().to_text('.')}};
    case value_kind::date: return {{"$date", date_text(v.as_date())}};
    case value_kind::string: return v.as_string();
    case value_kind::object:
      if (!v.as_object()) return {{"$nothing", true}};
      return {{"$object", v.as_object()->type_name()}};
    case value_kind::array: {
      const safe_array& a = v.as_array();
      json data = json::array(), lb = json::array();
      for (std::size_t d = 0; d < a.dimensions(); ++d) lb.push_back(a.lbound(d));
      // Elements are stored first index fastest; counting by offset keeps
      // clear of the top of the 32-bit range.
      const auto& b = a.bounds();
      if (a.dimensions() == 1) {
        for (std::size_t i = 0; i < b[0].count; ++i) data.push_back(to_json(a.elements()[i]));
      } else if (a.dimensions() == 2) {
        for (std::size_t i = 0; i < b[0].count; ++i) {
          json row = json::array();
          for (std::size_t k = 0; k < b[1].count; ++k) row.push_back(to_json(a.elements()[i + k * b[0].count]));
          data.push_back(std::move(row));
        }
      }
      return {{"$array", data}, {"$lbound", lb}};
    }
  }
  return nullptr;
}

}  // namespace veldrane::standin
