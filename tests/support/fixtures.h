// Test fixtures shared by the builder tests: an object of a class on a
// stand-in host, and small text helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/standin.h"

namespace veldrane {

using standin::json;

/// The default host with some keys replaced.
inline json host_with(json extra) {
  json p = standin::default_profile();
  for (auto& [k, v] : extra.items()) p[k] = v;
  return p;
}

inline bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

inline bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

inline std::vector<value> with_sort(std::vector<value> leading, value sort) {
  leading.push_back(std::move(sort));
  return leading;
}

/// A lookup object on a stand-in host built from `profile` (null: no host).
/// With `attach`, the host's active interface is set on the object.
struct lookup_fixture {
  using operation = value (*)(lookup&, std::span<value>);

  std::shared_ptr<standin::host_platform> platform;
  std::unique_ptr<lookup> lk;

  explicit lookup_fixture(json profile, bool attach = true)
      : platform(std::make_shared<standin::host_platform>(std::move(profile))),
        lk(std::make_unique<lookup>(platform)) {
    if (auto ai = platform->active_interface(); ai && attach) lk->set_active_interface(ai);
  }

  void call(operation op, std::vector<value> args) { op(*lk, args); }
  value call(std::string_view member, std::vector<value> args = {}) {
    return invoke(lookup::info(), *lk, member, member_kind::method, std::move(args));
  }
  std::string sql() const { return to_text(lk->stringa_sql); }
  std::size_t columns() const { return lk->array_fields.as_array().bounds()[0].count; }
  /// The captions; every second attribute must be "".
  std::vector<std::string> captions() const {
    std::vector<std::string> out;
    const safe_array& a = lk->array_fields.as_array();
    EXPECT_EQ(a.ubound(1), 1);
    for (std::int32_t c = 0; c <= a.ubound(0); ++c) {
      out.push_back(to_text(a.at({c, 0})));
      EXPECT_EQ(to_text(a.at({c, 1})), "");
    }
    return out;
  }
  /// Marks every output, so that a failed call shows which ones it changed.
  void mark_outputs() {
    lk->titolo = value("old title");
    lk->stringa_sql = value("old sql");
    lk->array_fields = value("old fields");
    lk->id_lookup = value("old id");
  }
  void expect_marked(bool titolo_and_fields_too = true) const {
    if (titolo_and_fields_too) {
      EXPECT_EQ(to_text(lk->titolo), "old title");
      EXPECT_EQ(to_text(lk->array_fields), "old fields");
    }
    EXPECT_EQ(sql(), "old sql");
    EXPECT_EQ(to_text(lk->id_lookup), "old id");
  }
  /// Only a missing sort column takes the default: "", Empty and Null leave
  /// nothing after `order_by`, and a given column follows it verbatim.
  void expect_given_sort_columns(operation op, const std::vector<value>& leading, const std::string& order_by) {
    for (value none : {value(""), value(), value::null()}) {
      call(op, with_sort(leading, none));
      EXPECT_TRUE(ends_with(sql(), order_by)) << sql();
    }
    call(op, with_sort(leading, value("X_COL DESC")));
    EXPECT_TRUE(ends_with(sql(), order_by + "X_COL DESC")) << sql();
  }
  long log_count(const std::string& entry) const {
    const auto& log = platform->host_log();
    return static_cast<long>(std::count(log.begin(), log.end(), entry));
  }
  bool logged(const std::string& entry) const { return log_count(entry) > 0; }
};

/// A decode object on a stand-in host built from `profile` (null: no host).
struct decode_fixture {
  explicit decode_fixture(json profile)
      : host(std::make_shared<standin::host_platform>(std::move(profile))), dc(host) {
    if (auto ai = host->active_interface()) dc.set_active_interface(ai);
  }
  value call(std::string_view member, std::vector<value> args = {}) {
    return invoke(decode::info(), dc, member, member_kind::method, std::move(args));
  }
  std::string sql() const { return dc.stringa_sql.as_string(); }
  /// The first field's name.
  std::string field() const { return dc.array_fields.as_array().at({0, 1}).as_string(); }
  /// The field names; the caption elements must be Empty.
  std::vector<std::string> fields() const {
    std::vector<std::string> out;
    const auto& a = dc.array_fields.as_array();
    for (std::int32_t c = 0; c <= a.ubound(0); ++c) {
      EXPECT_TRUE(a.at({c, 0}).is_empty());
      out.push_back(a.at({c, 1}).as_string());
    }
    return out;
  }
  bool logged(std::string_view entry) const {
    const auto& log = host->host_log();
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  std::shared_ptr<standin::host_platform> host;
  decode dc;
};

}  // namespace veldrane
