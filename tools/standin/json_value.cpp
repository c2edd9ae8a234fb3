#include "standin/json_value.h"

#include <cstdio>

namespace veldrane::standin {


namespace {

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
void fill(safe_array& a, const json& j, std::size_t dim, std::vector<std::int32_t>& idx, const object_maker& make) {
  for (std::size_t i = 0; i < j.size(); ++i) {
    idx[dim] = a.lbound(dim) + static_cast<std::int32_t>(i);
    if (dim + 1 == a.dimensions()) {
      value v = from_json(j[i], make);
      if (a.dimensions() == 1) a.at({idx[0]}) = std::move(v);
      else a.at({idx[0], idx[1]}) = std::move(v);
    } else {
      fill(a, j[i], dim + 1, idx, make);
    }
  }
}

value array_from_json(const json& j, const object_maker& make) {
  const json& data = j.at("$array");
  if (!data.is_array()) throw bad_value("\"$array\" must be a list");
  std::vector<safe_array::bound> bounds;
  const json* level = &data;
  while (true) {
    bounds.push_back({0, static_cast<std::uint32_t>(level->size())});
    if (level->empty() || !(*level)[0].is_array()) break;
    level = &(*level)[0];
  }
  if (bounds.size() > 2) throw bad_value("arrays have one or two dimensions");
  if (j.contains("$lbound")) {
    const json& lb = j["$lbound"];
    if (!lb.is_array() || lb.size() != bounds.size()) throw bad_value("\"$lbound\" needs one bound per dimension");
    for (std::size_t d = 0; d < bounds.size(); ++d) bounds[d].lower = lb[d].get<std::int32_t>();
  }
  safe_array a(bounds);
  // Every row must be as long as the first.
  if (bounds.size() == 2)
    for (const json& row : data)
      if (!row.is_array() || row.size() != bounds[1].count) throw bad_value("\"$array\" rows differ in length");
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
      if (j.contains("$empty")) return value();
      if (j.contains("$missing")) return value::missing();
      if (j.contains("$integer")) {
        std::int64_t i = j["$integer"].get<std::int64_t>();
        if (i < INT16_MIN || i > INT16_MAX) throw bad_value("$integer out of the 16-bit range");
        return value(static_cast<std::int16_t>(i));
      }
      if (j.contains("$decimal")) {
        decimal d;
        if (!j["$decimal"].is_string() || !decimal::parse(j["$decimal"].get<std::string>(), '.', '\0', d))
          throw bad_value("not a decimal: " + j["$decimal"].dump());
        return value(d);
      }
      if (j.contains("$date")) return value(parse_date(j["$date"].get<std::string>()));
      if (j.contains("$array")) return array_from_json(j, make_object);
      if (j.contains("$object")) {
        if (!make_object || !j["$object"].is_string()) throw bad_value("an object cannot be passed here: " + j.dump());
        return value(make_object(j["$object"].get<std::string>()));
      }
      if (j.contains("$nothing")) return value::nothing();
      throw bad_value("unknown value: " + j.dump());
    }
    default: throw bad_value("unknown value: " + j.dump());
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
      if (a.dimensions() == 1) {
        for (std::int32_t i = a.lbound(0); i <= a.ubound(0); ++i) data.push_back(to_json(a.at({i})));
      } else if (a.dimensions() == 2) {
        for (std::int32_t i = a.lbound(0); i <= a.ubound(0); ++i) {
          json row = json::array();
          for (std::int32_t k = a.lbound(1); k <= a.ubound(1); ++k) row.push_back(to_json(a.at({i, k})));
          data.push_back(std::move(row));
        }
      }
      return {{"$array", data}, {"$lbound", lb}};
    }
  }
  return nullptr;
}

}  // namespace veldrane::standin
