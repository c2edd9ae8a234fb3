// A stand-in for the host framework, driven by a JSON host profile: the
// active-interface object and everything reached through it, the four
// framework classes, and a database connection backed by SQLite. The tool
// and the tests run every member against it.
#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "frame/platform.h"
#include "host/classes.h"
#include "host/framework.h"

#include "standin/json_value.h"

namespace veldrane::standin {

/// The built-in "default" profile: company 1, language "ITA ", no filters.
json default_profile();

/// Error number of a host member told to fail.
inline constexpr std::int32_t kHostFailure = -2147220991;  // vbObjectError + 513

struct host_state;

class host_platform : public host::framework_platform {
 public:
  /// `profile` null: no host (ActiveInterface stays Nothing), and the
  /// framework classes cannot be created; the sibling connector can. A
  /// profile with "activeInterface": false installs the framework but hands
  /// out no active interface.
  explicit host_platform(json profile);
  ~host_platform() override;

  /// The active-interface object, or null without a host.
  std::shared_ptr<host::active_interface> active_interface() const;

  bool create_guid(guid& out) override;
  void trace(std::string_view line) override;
  host::class_factory& framework_classes() override;
  /// Creates the stand-in sibling connector ("TARNELL.CLSMG_CONNECT"),
  /// unless the profile's "sibling" says it is absent.
  object_ptr create_object(std::string_view progid) override;
  void message_box(std::string_view prompt, int style) override;

  /// A plain object that records what is done to it (a bound control).
  object_ptr make_object(const std::string& name);
  /// Drops the back references that live siblings hold, as their process
  /// would at its end, so that a facade they kept alive goes too.
  void release_siblings();

  /// The text of every message box, in order.
  const std::vector<std::string>& messages() const;
  /// Every request that reached a sibling: {"member", "args"}.
  const json& sibling_calls() const;
  /// Every call on the recorder objects: {"object", "member", "kind", "args"}.
  const json& object_calls() const;

  /// Replaces the GUID source (tests force zeros, leading zeros, failure).
  std::function<bool(guid&)> guid_source;

  /// Every trace line, in order.
  const std::vector<std::string>& trace_lines() const { return trace_; }
  /// What the host's objects were asked, in order ("FilterBuilder.Company=5",
  /// "SecondExtension.Close", "FilterBuilder released", ...).
  const std::vector<std::string>& host_log() const;
  /// Every statement run on the host's connection.
  const std::vector<std::string>& executed() const;

 private:
  std::shared_ptr<host_state> state_;
  std::shared_ptr<host::active_interface> active_;
  std::unique_ptr<host::class_factory> classes_;
  std::vector<std::string> trace_;
};

}  // namespace veldrane::standin
