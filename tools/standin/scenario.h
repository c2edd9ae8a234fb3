// Runs a scenario: creates one object of a class on a stand-in host, sets
// its properties, calls its members in order, destroys it, and reports
// what every call did.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "standin/json_value.h"

namespace veldrane::standin {

/// A scenario that cannot be read (unknown class, property or value).
class scenario_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

json run_scenario(const json& scenario);

/// The host profile a scenario's "host" names: null, "default" or a
/// profile object.
json resolve_host(const json& host);

}  // namespace veldrane::standin
