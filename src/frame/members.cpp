#include "frame/members.h"

namespace veldrane {

std::vector<value> bind_arguments(std::span<const param_info> params, std::vector<value> args,
                                  std::string_view source) {
  if (args.size() > params.size()) raise(err::wrong_argument_count, std::string(source));
  const std::size_t given = args.size();
  args.resize(params.size(), value::missing());
  for (std::size_t i = 0; i < params.size(); ++i) {
    const param_info& p = params[i];
    value& a = args[i];
    if (a.is_missing()) {
      // A Variant can carry the missing marker itself when the caller passes
      // it explicitly; an argument left out of a required parameter cannot.
      if (!p.optional && (i >= given || p.type != param_type::variant))
        raise(err::argument_not_optional, std::string(source));
      // An optional typed parameter without a value arrives as its default;
      // only a Variant can tell that it was left out.
      switch (p.type) {
        case param_type::string: a = value(std::string(p.default_text)); break;
        case param_type::integer: a = value(std::int16_t{0}); break;
        case param_type::long_: a = value(std::int32_t{0}); break;
        case param_type::boolean: a = value(false); break;
        case param_type::object: a = value::nothing(); break;
        default: break;
      }
      continue;
    }
    switch (p.type) {
      case param_type::string: a = value(to_text(a)); break;
      case param_type::integer: a = value(to_integer(a)); break;
      case param_type::long_: a = value(to_long(a)); break;
      case param_type::boolean: a = value(to_bool(a)); break;
      case param_type::object:
        if (!a.is_object()) raise(err::type_mismatch, std::string(source));
        break;
      default: break;
    }
  }
  return args;
}

}  // namespace veldrane
