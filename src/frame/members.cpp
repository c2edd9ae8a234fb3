#include "frame/members.h"

namespace veldrane {

namespace {

// The value of a parameter's default literal.
value default_value(const param_info& p) {
  switch (p.default_type) {
    case param_type::integer:
    case param_type::long_: {
      std::int16_t n = 0;
      for (char c : p.default_text) n = static_cast<std::int16_t>(n * 10 + (c - '0'));
      return value(n);
    }
    case param_type::boolean: return value(p.default_text == "True");
    case param_type::object: return value::nothing();
    default: return value(std::string(p.default_text));
  }
}

// Brings a given argument to the parameter's type; Empty gives the type's
// zero value.
void coerce(const param_info& p, value& a, std::string_view source) {
  switch (p.type) {
    case param_type::string: a = value(to_text(a)); break;
    case param_type::integer: a = value(to_integer(a)); break;
    case param_type::long_: a = value(to_long(a)); break;
    case param_type::boolean: a = value(!a.is_empty() && to_bool(a)); break;
    case param_type::object:
      if (a.is_empty()) a = value::nothing();
      if (!a.is_object()) raise(err::type_mismatch, std::string(source));
      break;
    default: break;
  }
}

}  // namespace

void bind_arguments_in_place(std::span<const param_info> params, std::vector<value>& args, std::string_view source) {
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
      // An optional parameter without a value arrives as its default; only a
      // Variant without a default can tell that it was left out.
      if (p.has_default) a = default_value(p);
      else if (p.type != param_type::variant) a = value();
      else continue;
    }
    coerce(p, a, source);
  }
}

}  // namespace veldrane
