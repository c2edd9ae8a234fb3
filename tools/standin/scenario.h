// Runs a scenario: creates one object of a class on a stand-in host, sets
// its properties, calls its members in order, destroys it, and reports
// what every call did.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "frame/platform.h"

#include "standin/json_value.h"

namespace veldrane::standin {

/// A scenario that cannot be read (unknown class, property or value).
class scenario_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// How a run differs from the default.
struct run_options {
  /// Every GUID the component asks for is this one, so that the instance
  /// identifier in the trace lines is the same from run to run.
  std::optional<guid> instance;
};

/// Refuses (scenario_error) a scenario with a key it does not know, in the
/// scenario or in a call, or without "calls".
json run_scenario(const json& scenario, const run_options& options = {});

/// A GUID written as its 32 hexadecimal digits (as an instance identifier
/// is shown); nothing when the text is not that.
std::optional<guid> parse_instance_id(std::string_view text);

/// The host profile a scenario's "host" names: null, "default" or a
/// profile object.
json resolve_host(const json& host);

}  // namespace veldrane::standin
