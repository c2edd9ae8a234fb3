#include "com/dispatch.h"

#include "com/adapters.h"
#include "com/variant.h"

namespace veldrane::com {

value from_raw(const raw_arg& a) {
  switch (a.type) {
    case param_type::variant: return a.v ? from_variant(*a.v) : value::missing();
    case param_type::string: return value(to_utf8(a.s));
    case param_type::integer: return value(static_cast<std::int16_t>(a.i));
    case param_type::long_: return value(static_cast<std::int32_t>(a.l));
    case param_type::boolean: return value(a.b != VARIANT_FALSE);
    case param_type::object: return wrap_object(a.o);
    case param_type::none: break;
  }
  return {};
}

bool clear_raw(const raw_result& r) {
  if (r.type == param_type::none) return true;
  if (!r.out) return false;
  switch (r.type) {
    case param_type::variant: VariantInit(static_cast<VARIANT*>(r.out)); break;
    case param_type::string: *static_cast<BSTR*>(r.out) = nullptr; break;
    case param_type::integer: *static_cast<short*>(r.out) = 0; break;
    case param_type::long_: *static_cast<long*>(r.out) = 0; break;
    case param_type::boolean: *static_cast<VARIANT_BOOL*>(r.out) = VARIANT_FALSE; break;
    case param_type::object: *static_cast<IDispatch**>(r.out) = nullptr; break;
    case param_type::none: break;
  }
  return true;
}

void to_raw(const value& v, const raw_result& r) {
  switch (r.type) {
    case param_type::none: return;
    case param_type::variant: to_variant(v, static_cast<VARIANT*>(r.out)); return;
    case param_type::string: *static_cast<BSTR*>(r.out) = to_bstr(to_text(v)); return;
    case param_type::integer: *static_cast<short*>(r.out) = to_integer(v); return;
    case param_type::long_: *static_cast<long*>(r.out) = to_long(v); return;
    case param_type::boolean: *static_cast<VARIANT_BOOL*>(r.out) = to_bool(v) ? VARIANT_TRUE : VARIANT_FALSE; return;
    case param_type::object:
      if (!v.is_object()) raise(err::type_mismatch, "VELDRANE");
      *static_cast<IDispatch**>(r.out) = unwrap_dispatch(v.as_object()).detach();
      return;
  }
}

}  // namespace veldrane::com
