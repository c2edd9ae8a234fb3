// The arguments and result of one vtable call as COM hands them over, before
// any conversion: the generated thunks only wrap pointers and scalars (which
// cannot fail) and leave the conversion to the object's `call`, inside its
// error handling. A by-reference argument keeps the caller's pointer, so
// that what the member leaves in it can be copied back.
#pragma once

// The core headers come before the Windows ones: <objbase.h> defines
// `interface` as a macro, which the core uses as a member name.
#include "frame/members.h"

#include <windows.h>
#include <oaidl.h>

namespace veldrane::com {

struct raw_arg {
  param_type type;
  bool by_ref = false;
  union {
    VARIANT* v;  // also the by-reference Variant
    BSTR s;
    short i;
    long l;
    VARIANT_BOOL b;
    IDispatch* o;
    BSTR* ps;
    short* pi;
    long* pl;
    VARIANT_BOOL* pb;
    IDispatch** po;
  };

  static raw_arg variant(VARIANT* p) { raw_arg a{param_type::variant}; a.v = p; return a; }
  static raw_arg string(BSTR p) { raw_arg a{param_type::string}; a.s = p; return a; }
  static raw_arg integer(short p) { raw_arg a{param_type::integer}; a.i = p; return a; }
  static raw_arg long_(long p) { raw_arg a{param_type::long_}; a.l = p; return a; }
  static raw_arg boolean(VARIANT_BOOL p) { raw_arg a{param_type::boolean}; a.b = p; return a; }
  static raw_arg object(IDispatch* p) { raw_arg a{param_type::object}; a.o = p; return a; }

  static raw_arg variant_ref(VARIANT* p) { raw_arg a{param_type::variant, true}; a.v = p; return a; }
  static raw_arg string_ref(BSTR* p) { raw_arg a{param_type::string, true}; a.ps = p; return a; }
  static raw_arg integer_ref(short* p) { raw_arg a{param_type::integer, true}; a.pi = p; return a; }
  static raw_arg long__ref(long* p) { raw_arg a{param_type::long_, true}; a.pl = p; return a; }
  static raw_arg boolean_ref(VARIANT_BOOL* p) { raw_arg a{param_type::boolean, true}; a.pb = p; return a; }
  static raw_arg object_ref(IDispatch** p) { raw_arg a{param_type::object, true}; a.po = p; return a; }
};

struct raw_result {
  param_type type;
  void* out;

  static raw_result none() { return {param_type::none, nullptr}; }
  static raw_result variant(VARIANT* p) { return {param_type::variant, p}; }
  static raw_result string(BSTR* p) { return {param_type::string, p}; }
  static raw_result integer(short* p) { return {param_type::integer, p}; }
  static raw_result long_(long* p) { return {param_type::long_, p}; }
  static raw_result boolean(VARIANT_BOOL* p) { return {param_type::boolean, p}; }
  static raw_result object(IDispatch** p) { return {param_type::object, p}; }
};

}  // namespace veldrane::com
