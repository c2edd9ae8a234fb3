// The tool's JSON encoding of automation values, both ways.
#pragma once

#include <nlohmann/json.hpp>
#include <functional>
#include <stdexcept>

#include "convert/value.h"

namespace veldrane::standin {

/// JSON with its objects kept in the order written: property assignments
/// run in that order, and results read in a stable order.
using json = nlohmann::ordered_json;

/// A JSON text that does not encode a value.
class bad_value : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

/// String: a JSON string; Boolean: true/false; Null: null; Long: an integral
/// number in 32-bit range; Double: a number with a fraction; Empty
/// {"$empty": true}; missing {"$missing": true}; Integer {"$integer": 3};
/// Decimal {"$decimal": "12.5"}; Date {"$date": "2024-03-01[T10:30:00]"};
/// array {"$array": [...], "$lbound": [...]}.
/// Input may also name an object, {"$object": "<name>"}: `make_object` makes
/// it; without one, objects are refused.
using object_maker = std::function<object_ptr(const std::string& name)>;
value from_json(const json& j, const object_maker& make_object = {});

/// The same encoding; objects come out as {"$object": "<type>"} and Nothing
/// as {"$nothing": true}.
json to_json(const value& v);

}  // namespace veldrane::standin
