#include "com/variant.h"

#include <new>

#include "com/errors.h"
#include "com/identity.h"

namespace veldrane::com {

namespace {

[[noreturn]] void mismatch() { raise_own(err::type_mismatch); }

// Deeper nesting of arrays in arrays, or of Variants by reference, is
// refused: no caller means it, and reading it would recurse without bound.
constexpr int kMaxNesting = 16;

value read_variant(const VARIANT& in, int depth);

value from_decimal(const DECIMAL& d) {
  // The runtime's conversions refuse such a Decimal (E_INVALIDARG); the
  // core's could not even tell a bad sign byte from a minus.
  if (d.scale > 28 || (d.sign & ~DECIMAL_NEG) != 0) raise_own(err::invalid_argument);
  decimal out;
  out.lo = d.Lo32;
  out.mid = d.Mid32;
  out.hi = d.Hi32;
  out.scale = d.scale;
  out.negative = (d.sign & DECIMAL_NEG) != 0;
  return value(out);
}

DECIMAL to_decimal_struct(const decimal& v) {
  DECIMAL d{};
  d.Lo32 = v.lo;
  d.Mid32 = v.mid;
  d.Hi32 = v.hi;
  d.scale = v.scale;
  d.sign = v.negative ? DECIMAL_NEG : 0;
  return d;
}

// One element of an array of `vt`, read into a VARIANT.
void read_element(SAFEARRAY* sa, VARTYPE vt, LONG* indices, VARIANT* out) {
  HRESULT hr;
  if (vt == VT_VARIANT) {
    hr = SafeArrayGetElement(sa, indices, out);
  } else {
    switch (vt) {
      case VT_BSTR: case VT_I2: case VT_I4: case VT_R8: case VT_BOOL: case VT_DATE: case VT_DECIMAL:
      case VT_UI1: case VT_R4: case VT_CY: case VT_DISPATCH: case VT_UNKNOWN:
        break;
      default: mismatch();
    }
    // Every one of these fits in the VARIANT's value area (DECIMAL overlays
    // the whole VARIANT, as automation lays it out).
    if (vt == VT_DECIMAL) hr = SafeArrayGetElement(sa, indices, &out->decVal);
    else hr = SafeArrayGetElement(sa, indices, &out->lVal);
    if (SUCCEEDED(hr)) V_VT(out) = vt;
  }
  if (FAILED(hr)) {
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    mismatch();
  }
}

value from_safearray(SAFEARRAY* sa, int depth) {
  if (!sa) return value(safe_array());
  UINT dims = SafeArrayGetDim(sa);
  if (dims < 1 || dims > 2) mismatch();
  VARTYPE vt = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(sa, &vt))) mismatch();
  // The bounds as the array holds them (last dimension first): an upper
  // bound past the 32-bit range is the core's overflow, not a wrapped count.
  std::vector<safe_array::bound> bounds;
  for (UINT d = 1; d <= dims; ++d) {
    const SAFEARRAYBOUND& b = sa->rgsabound[dims - d];
    bounds.push_back({static_cast<std::int32_t>(b.lLbound), static_cast<std::uint32_t>(b.cElements)});
  }
  safe_array out(bounds);
  // The core keeps the first index varying fastest, as the SAFEARRAY does.
  std::size_t k = 0;
  const std::uint32_t outer = dims == 2 ? bounds[1].count : 1;
  for (std::uint32_t j = 0; j < outer; ++j) {
    for (std::uint32_t i = 0; i < bounds[0].count; ++i) {
      LONG indices[2] = {bounds[0].lower + static_cast<LONG>(i), dims == 2 ? bounds[1].lower + static_cast<LONG>(j) : 0};
      variant_holder element;
      read_element(sa, vt, indices, element.get());
      out.elements()[k++] = read_variant(*element, depth);
    }
  }
  return value(std::move(out));
}

SAFEARRAY* to_safearray(const safe_array& a) {
  const auto& b = a.bounds();
  if (b.empty() || b.size() > 2) raise_own(err::type_mismatch);
  SAFEARRAYBOUND sab[2] = {};
  for (std::size_t d = 0; d < b.size(); ++d) {
    sab[d].lLbound = b[d].lower;
    sab[d].cElements = b[d].count;
  }
  SAFEARRAY* sa = SafeArrayCreate(VT_VARIANT, static_cast<UINT>(b.size()), sab);
  if (!sa) throw std::bad_alloc();
  try {
    std::size_t k = 0;
    const std::uint32_t outer = b.size() == 2 ? b[1].count : 1;
    for (std::uint32_t j = 0; j < outer; ++j) {
      for (std::uint32_t i = 0; i < b[0].count; ++i) {
        LONG indices[2] = {b[0].lower + static_cast<LONG>(i), b.size() == 2 ? b[1].lower + static_cast<LONG>(j) : 0};
        variant_holder element;
        to_variant(a.elements()[k++], element.get());
        if (FAILED(SafeArrayPutElement(sa, indices, element.get()))) throw std::bad_alloc();
      }
    }
  } catch (...) {
    SafeArrayDestroy(sa);
    throw;
  }
  return sa;
}

}  // namespace

std::string to_utf8(const wchar_t* text, std::size_t length) {
  if (!text || length == 0) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

std::string to_utf8(BSTR text) { return to_utf8(text, text ? SysStringLen(text) : 0); }

std::wstring to_wide(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

BSTR to_bstr(std::string_view text) {
  // Measure, allocate once, convert in place.
  const int n = text.empty() ? 0
                             : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (!s) throw std::bad_alloc();
  if (n) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), s, n);
  return s;
}

namespace {

value read_variant(const VARIANT& in, int depth) {
  const VARIANT* v = &in;
  for (int hops = 0; V_VT(v) == (VT_VARIANT | VT_BYREF); ++hops) {
    if (!V_VARIANTREF(v) || hops == kMaxNesting) throw malformed_variant();
    v = V_VARIANTREF(v);
  }
  const VARTYPE vt = V_VT(v);
  const bool ref = (vt & VT_BYREF) != 0;
  if (ref && !V_BYREF(v)) throw malformed_variant();
  const VARTYPE base = vt & ~VT_BYREF;
  if (base & VT_ARRAY) {
    if (depth == kMaxNesting) mismatch();
    return from_safearray(ref ? *V_ARRAYREF(v) : V_ARRAY(v), depth + 1);
  }
  switch (base) {
    case VT_EMPTY: return {};
    case VT_NULL: return value::null();
    case VT_ERROR:
      if ((ref ? *V_ERRORREF(v) : V_ERROR(v)) == DISP_E_PARAMNOTFOUND) return value::missing();
      mismatch();
    case VT_BOOL: return value((ref ? *V_BOOLREF(v) : V_BOOL(v)) != VARIANT_FALSE);
    case VT_I2: return value(static_cast<std::int16_t>(ref ? *V_I2REF(v) : V_I2(v)));
    case VT_I4: return value(static_cast<std::int32_t>(ref ? *V_I4REF(v) : V_I4(v)));
    case VT_R8: return value(ref ? *V_R8REF(v) : V_R8(v));
    case VT_DATE: return value(date_value{ref ? *V_DATEREF(v) : V_DATE(v)});
    case VT_BSTR: return value(to_utf8(ref ? *V_BSTRREF(v) : V_BSTR(v)));
    case VT_DECIMAL: return from_decimal(ref ? *V_DECIMALREF(v) : V_DECIMAL(v));
    case VT_DISPATCH: return wrap_object(ref ? *V_DISPATCHREF(v) : V_DISPATCH(v));
    case VT_UNKNOWN: return wrap_object(ref ? *V_UNKNOWNREF(v) : V_UNKNOWN(v));
    default: break;
  }
  // The kinds the core does not keep: small integers widen to Integer or
  // Long, Single to Double, the rest (Currency, 64-bit, unsigned) to Decimal.
  VARTYPE target = VT_DECIMAL;
  switch (base) {
    case VT_I1: case VT_UI1: target = VT_I2; break;
    case VT_UI2: case VT_INT: target = VT_I4; break;
    case VT_R4: target = VT_R8; break;
    default: break;
  }
  variant_holder tmp;
  if (FAILED(VariantChangeType(tmp.get(), const_cast<VARIANT*>(v), 0, target))) mismatch();
  return read_variant(*tmp, depth);
}

}  // namespace

value from_variant(const VARIANT& v) { return read_variant(v, 0); }

void to_variant(const value& v, VARIANT* out) {
  switch (v.kind()) {
    case value_kind::empty: V_VT(out) = VT_EMPTY; return;
    case value_kind::null: V_VT(out) = VT_NULL; return;
    case value_kind::missing: V_VT(out) = VT_ERROR; V_ERROR(out) = DISP_E_PARAMNOTFOUND; return;
    case value_kind::boolean: V_VT(out) = VT_BOOL; V_BOOL(out) = v.as_bool() ? VARIANT_TRUE : VARIANT_FALSE; return;
    case value_kind::integer: V_VT(out) = VT_I2; V_I2(out) = v.as_integer(); return;
    case value_kind::long_: V_VT(out) = VT_I4; V_I4(out) = v.as_long(); return;
    case value_kind::double_: V_VT(out) = VT_R8; V_R8(out) = v.as_double(); return;
    case value_kind::decimal: V_DECIMAL(out) = to_decimal_struct(v.as_decimal()); V_VT(out) = VT_DECIMAL; return;
    case value_kind::date: V_VT(out) = VT_DATE; V_DATE(out) = v.as_date().serial; return;
    case value_kind::string: {
      BSTR s = to_bstr(v.as_string());
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = s;
      return;
    }
    case value_kind::object: {
      com_ptr<IDispatch> d = unwrap_dispatch(v.as_object());
      V_VT(out) = VT_DISPATCH;
      V_DISPATCH(out) = d.detach();
      return;
    }
    case value_kind::array: {
      SAFEARRAY* sa = to_safearray(v.as_array());
      V_VT(out) = VT_ARRAY | VT_VARIANT;
      V_ARRAY(out) = sa;
      return;
    }
  }
}

}  // namespace veldrane::com
