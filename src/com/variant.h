// Conversions at the COM boundary, each done once: UTF-16 BSTR <-> the
// core's UTF-8 text, VARIANT <-> value, SAFEARRAY <-> safe_array.
#pragma once

#include "convert/value.h"

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>

namespace veldrane::com {

std::string to_utf8(const wchar_t* text, std::size_t length);
std::string to_utf8(BSTR text);
std::wstring to_wide(std::string_view text);
/// A new BSTR holding the text; throws std::bad_alloc when out of memory.
BSTR to_bstr(std::string_view text);

/// A VARIANT that cannot be read without following a null pointer: by
/// reference (any VT_BYREF type) with a null reference, itself or anywhere
/// in it (a Variant it refers to, an element of its array), or a chain of
/// Variants by reference too long to be anything but a loop. Raised as type
/// mismatch; a member's call answers it as DISP_E_TYPEMISMATCH naming the
/// argument (dispatch_call).
struct malformed_variant : automation_error {
  malformed_variant()
      : automation_error(err::type_mismatch, runtime_description(err::type_mismatch), std::string(kComponentSource)) {}
};

/// The core value of a VARIANT, following VT_BYREF. An omitted optional
/// argument (VT_ERROR with DISP_E_PARAMNOTFOUND) becomes value::missing();
/// objects are wrapped (see wrap_object). Types the core has no kind for
/// are coerced to the nearest one; what cannot be raises type mismatch,
/// arrays nested more than 16 deep included. A Decimal with a scale past 28
/// or a sign byte other than 0 and DECIMAL_NEG raises 5, as every runtime
/// conversion of it does; a reference to nothing raises malformed_variant,
/// before anything reads through it.
value from_variant(const VARIANT& v);

/// Writes the value into `out`, which must hold nothing (VT_EMPTY). Arrays
/// become SAFEARRAYs of VARIANT with the core's bounds. On failure `out`
/// stays empty and the error is raised.
void to_variant(const value& v, VARIANT* out);

/// Owns a VARIANT for the duration of a call.
class variant_holder {
 public:
  variant_holder() { VariantInit(&v_); }
  variant_holder(const variant_holder&) = delete;
  variant_holder& operator=(const variant_holder&) = delete;
  ~variant_holder() { VariantClear(&v_); }
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }

 private:
  VARIANT v_;
};

/// Owns a BSTR.
class bstr_holder {
 public:
  bstr_holder() = default;
  explicit bstr_holder(BSTR s) : s_(s) {}
  bstr_holder(const bstr_holder&) = delete;
  bstr_holder& operator=(const bstr_holder&) = delete;
  ~bstr_holder() { SysFreeString(s_); }
  BSTR get() const { return s_; }
  BSTR* put() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  /// The address of an in/out argument: the callee may free the text and
  /// store another.
  BSTR* address() { return &s_; }
  BSTR release() {
    BSTR s = s_;
    s_ = nullptr;
    return s;
  }

 private:
  BSTR s_ = nullptr;
};

}  // namespace veldrane::com
