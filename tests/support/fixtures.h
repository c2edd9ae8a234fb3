// Test fixtures shared by the builder tests: a decode object on a stand-in
// host. The lookups' and decodes' statements are pinned by the shared cases
// (tests/cases), run through the scenario runner.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <concepts>
#include <memory>
#include <string>
#include <vector>

#include "decode/decode.h"
#include "standin/standin.h"

namespace veldrane {

using standin::json;

/// The default host with some keys replaced.
inline json host_with(json extra) {
  json p = standin::default_profile();
  for (auto& [k, v] : extra.items()) p[k] = v;
  return p;
}

/// A decode object on a stand-in host, or on one built from `profile`
/// (null: no host).
struct decode_fixture {
  explicit decode_fixture(json profile) : decode_fixture(std::make_shared<standin::host_platform>(std::move(profile))) {}
  template <std::derived_from<standin::host_platform> Host>
  explicit decode_fixture(std::shared_ptr<Host> h) : host(std::move(h)), dc(host) {
    if (auto ai = host->active_interface()) dc.set_active_interface(ai);
  }
  value call(std::string_view member, std::vector<value> args = {}) {
    return invoke(decode::info(), dc, member, member_kind::method, std::move(args));
  }
  std::string sql() const { return dc.stringa_sql.as_string(); }
  bool logged(std::string_view entry) const {
    const auto& log = host->host_log();
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  std::shared_ptr<standin::host_platform> host;
  decode dc;
};

}  // namespace veldrane
