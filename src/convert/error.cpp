#include "convert/error.h"

namespace veldrane {

std::string class_source(std::string_view class_name) {
  std::string source(kComponentSource);
  source += '.';
  source += class_name;
  return source;
}

std::string runtime_description(std::int32_t number) {
  switch (number) {
    case err::invalid_argument: return "Invalid procedure call or argument";
    case err::overflow: return "Overflow";
    case err::out_of_memory: return "Out of memory";
    case err::subscript_out_of_range: return "Subscript out of range";
    case err::type_mismatch: return "Type mismatch";
    case err::internal_error: return "Internal error";
    case err::object_not_set: return "Object variable or With block variable not set";
    case err::invalid_use_of_null: return "Invalid use of Null";
    case err::cannot_create_object: return "ActiveX component can't create object";
    case err::member_not_supported: return "Object doesn't support this property or method";
    case err::action_not_supported: return "Object doesn't support this action";
    case err::argument_not_optional: return "Argument not optional";
    case err::wrong_argument_count: return "Wrong number of arguments or invalid property assignment";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace veldrane
