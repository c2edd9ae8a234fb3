#include "com/dispatch.h"

#include "com/identity.h"
#include "com/variant.h"

namespace veldrane::com {

namespace {

value from_raw_ref(const raw_arg& a) {
  switch (a.type) {
    case param_type::variant: return a.v ? from_variant(*a.v) : value::missing();
    case param_type::string: return a.ps ? value(to_utf8(*a.ps)) : value::missing();
    case param_type::integer: return a.pi ? value(static_cast<std::int16_t>(*a.pi)) : value::missing();
    case param_type::long_: return a.pl ? value(static_cast<std::int32_t>(*a.pl)) : value::missing();
    case param_type::boolean: return a.pb ? value(*a.pb != VARIANT_FALSE) : value::missing();
    case param_type::object: return a.po ? wrap_object(*a.po) : value::missing();
    case param_type::none: break;
  }
  return {};
}

// A VARIANT that refers to a typed variable (VT_BYREF | type) is written
// through, in the variable's own type.
void assign_through(VARIANT* target, const value& v) {
  variant_holder converted;
  to_variant(v, converted.get());
  const VARTYPE type = V_VT(target) & ~VT_BYREF;
  if (FAILED(VariantChangeType(converted.get(), converted.get(), 0, type))) raise_own(err::type_mismatch);
  VARIANT* c = converted.get();
  switch (type) {
    case VT_BSTR:
      SysFreeString(*V_BSTRREF(target));
      *V_BSTRREF(target) = V_BSTR(c);
      V_VT(c) = VT_EMPTY;
      return;
    case VT_DISPATCH:
      if (*V_DISPATCHREF(target)) (*V_DISPATCHREF(target))->Release();
      *V_DISPATCHREF(target) = V_DISPATCH(c);
      V_VT(c) = VT_EMPTY;
      return;
    case VT_I2: *V_I2REF(target) = V_I2(c); return;
    case VT_I4: *V_I4REF(target) = V_I4(c); return;
    case VT_R8: *V_R8REF(target) = V_R8(c); return;
    case VT_BOOL: *V_BOOLREF(target) = V_BOOL(c); return;
    case VT_DATE: *V_DATEREF(target) = V_DATE(c); return;
    case VT_DECIMAL: *V_DECIMALREF(target) = V_DECIMAL(c); return;
    default: raise_own(err::type_mismatch);
  }
}

void assign_variant(VARIANT* target, const value& v) {
  while (V_VT(target) == (VT_VARIANT | VT_BYREF)) target = V_VARIANTREF(target);
  if ((V_VT(target) & VT_BYREF) && !(V_VT(target) & VT_ARRAY)) return assign_through(target, v);
  variant_holder fresh;
  to_variant(v, fresh.get());
  VariantClear(target);
  *target = *fresh.get();  // ownership moves to the caller's variable
  V_VT(fresh.get()) = VT_EMPTY;
}

}  // namespace

void copy_back(const value& v, const raw_arg& a) {
  switch (a.type) {
    case param_type::variant: assign_variant(a.v, v); return;
    case param_type::string: {
      BSTR s = to_bstr(to_text(v));
      SysFreeString(*a.ps);
      *a.ps = s;
      return;
    }
    case param_type::integer: *a.pi = to_integer(v); return;
    case param_type::long_: *a.pl = to_long(v); return;
    case param_type::boolean: *a.pb = to_bool(v) ? VARIANT_TRUE : VARIANT_FALSE; return;
    case param_type::object: {
      if (!v.is_object()) raise_own(err::type_mismatch);
      IDispatch* d = unwrap_dispatch(v.as_object()).detach();
      if (*a.po) (*a.po)->Release();
      *a.po = d;
      return;
    }
    case param_type::none: return;
  }
}

value from_raw(const raw_arg& a) {
  if (a.by_ref) return from_raw_ref(a);
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

void to_raw(const value& v, const raw_result& r, param_type declared) {
  switch (r.type) {
    case param_type::none: return;
    case param_type::variant:
      switch (declared) {
        case param_type::string: to_variant(value(to_text(v)), static_cast<VARIANT*>(r.out)); return;
        case param_type::integer: to_variant(value(to_integer(v)), static_cast<VARIANT*>(r.out)); return;
        case param_type::long_: to_variant(value(to_long(v)), static_cast<VARIANT*>(r.out)); return;
        case param_type::boolean: to_variant(value(to_bool(v)), static_cast<VARIANT*>(r.out)); return;
        case param_type::object:
          if (!v.is_object()) raise_own(err::type_mismatch);
          break;
        default: break;
      }
      to_variant(v, static_cast<VARIANT*>(r.out));
      return;
    case param_type::string: *static_cast<BSTR*>(r.out) = to_bstr(to_text(v)); return;
    case param_type::integer: *static_cast<short*>(r.out) = to_integer(v); return;
    case param_type::long_: *static_cast<long*>(r.out) = to_long(v); return;
    case param_type::boolean: *static_cast<VARIANT_BOOL*>(r.out) = to_bool(v) ? VARIANT_TRUE : VARIANT_FALSE; return;
    case param_type::object:
      if (!v.is_object()) raise_own(err::type_mismatch);
      *static_cast<IDispatch**>(r.out) = unwrap_dispatch(v.as_object()).detach();
      return;
  }
}

}  // namespace veldrane::com
