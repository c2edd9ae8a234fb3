// What the early-bound clients share: checks that report the caller's line
// and count failures, the walk of a member table against the type library,
// values, late-bound calls and the run of the tests. Include after the core
// headers of the tables walked.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "com/variant.h"
#include "frame/members.h"

namespace client {

inline int g_failures = 0;
inline int g_checks = 0;

#define ok(cond, ...) ::client::ok_(__LINE__, (cond), __VA_ARGS__)
inline void ok_(int line, bool cond, const char* fmt, ...) {
  ++g_checks;
  if (cond) return;
  ++g_failures;
  std::printf("FAIL line %d: ", line);
  va_list args;
  va_start(args, fmt);
  std::vprintf(fmt, args);
  va_end(args);
  std::printf("\n");
}

/// The vtable view of the object's dual interface (the caller releases it);
/// null when the object gives none.
inline ITypeInfo* vtable_type_info(IDispatch* obj) {
  ITypeInfo* dispatch_info = nullptr;
  if (obj->GetTypeInfo(0, 0, &dispatch_info) != S_OK || !dispatch_info) return nullptr;
  HREFTYPE ref = 0;
  ITypeInfo* vt = nullptr;
  if (dispatch_info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref) == S_OK &&
      dispatch_info->GetRefTypeInfo(ref, &vt) == S_OK) {
    dispatch_info->Release();
    return vt;
  }
  return dispatch_info;
}

/// Every row of the member table as the object answers it: dispatch id by
/// name (also upper-cased), methods' parameters by name; and the flags of
/// its dual interface. What the type library declares of each member, in
/// slot order, is compared with the published interface's reference
/// (lookup_client).
template <class C>
void check_member_table(IDispatch* obj, const veldrane::class_info<C>& info) {
  ITypeInfo* ti = vtable_type_info(obj);
  TYPEATTR* attr = nullptr;
  const WORD flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  ok(ti && ti->GetTypeAttr(&attr) == S_OK && (attr->wTypeFlags & flags) == flags, "%.*s: the dual interface's flags",
     int(info.name.size()), info.name.data());
  if (attr) ti->ReleaseTypeAttr(attr);
  if (ti) ti->Release();
  for (const auto& m : info.members) {
    const std::string name(m.name);
    std::wstring wname = veldrane::com::to_wide(name), upper = wname;
    CharUpperW(upper.data());
    for (std::wstring* n : {&wname, &upper}) {
      LPOLESTR names[] = {n->data()};
      DISPID id = 0;
      ok(obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK && id == m.dispid(), "%s: dispatch id %#lx",
         name.c_str(), id);
    }
    // A method's parameters by name, for named arguments: their position.
    for (std::size_t p = 0; m.kind == veldrane::member_kind::method && p < m.param_count; ++p) {
      std::wstring pname = veldrane::com::to_wide(m.params[p].name);
      LPOLESTR both[] = {wname.data(), pname.data()};
      DISPID ids[2] = {};
      ok(obj->GetIDsOfNames(IID_NULL, both, 2, 0, ids) == S_OK && ids[1] == static_cast<DISPID>(p),
         "%s: parameter %u by name", name.c_str(), unsigned(p));
    }
  }
}

// --- Values, objects and late-bound calls ------------------------------------

inline VARIANT of_type(VARTYPE vt, LONGLONG bits = 0) {
  VARIANT v;
  VariantInit(&v);
  V_I8(&v) = bits;
  V_VT(&v) = vt;
  return v;
}
inline VARIANT missing() { return of_type(VT_ERROR, DISP_E_PARAMNOTFOUND); }
inline VARIANT number(long n) { return of_type(VT_I4, n); }
inline VARIANT boolean(bool b) { return of_type(VT_BOOL, b ? VARIANT_TRUE : VARIANT_FALSE); }
/// A reference (VT_BYREF) of the type to nothing.
inline VARIANT reference_to_nothing(VARTYPE type) { return of_type(VT_BYREF | type); }
inline VARIANT text(const wchar_t* s) {
  VARIANT v = of_type(VT_BSTR);
  V_BSTR(&v) = SysAllocString(s);
  return v;
}
inline VARIANT object(IDispatch* d) {
  VARIANT v = of_type(VT_DISPATCH);
  V_DISPATCH(&v) = d;
  if (d) d->AddRef();
  return v;
}
inline std::string text_of(const VARIANT& v) {
  return V_VT(&v) == VT_BSTR ? veldrane::com::to_utf8(V_BSTR(&v)) : "(not a String)";
}

inline bool same_object(IUnknown* a, IUnknown* b) {
  IUnknown *ua = nullptr, *ub = nullptr;
  if (a) a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
  if (b) b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
  if (ua) ua->Release();
  if (ub) ub->Release();
  return ua == ub;
}

/// A new object of the class through interface I, checked.
template <class I>
I* create(const CLSID& clsid, const IID& iid) {
  I* p = nullptr;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(&p));
  ok(hr == S_OK && p, "CoCreateInstance: %#lx", hr);
  return p;
}

/// An entry point of the loaded VELDRANE.dll (null when there is none).
template <class F>
F dll_export(const char* name) {
  HMODULE dll = GetModuleHandleW(L"VELDRANE.dll");
  return dll ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name))) : nullptr;
}
inline HRESULT can_unload() {
  const auto fn = dll_export<HRESULT(WINAPI*)()>("DllCanUnloadNow");
  return fn ? fn() : E_NOTIMPL;
}

inline DISPID id_of(IDispatch* obj, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  obj->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

/// A late-bound call of `id` with `args` (first to last; the caller keeps
/// them). The result goes to *result when given; *arg_err receives the
/// failing argument's index in rgvarg (0 is the last one); the EXCEPINFO is
/// freed, its scode returned in *scode.
inline HRESULT call(IDispatch* obj, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result = nullptr,
                    UINT* arg_err = nullptr, HRESULT* scode = nullptr) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO ei{};
  VARIANT ignored;
  VariantInit(&ignored);
  const HRESULT hr =
      obj->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result : &ignored, &ei, arg_err);
  if (scode) *scode = ei.scode;
  VariantClear(&ignored);
  SysFreeString(ei.bstrSource);
  SysFreeString(ei.bstrDescription);
  SysFreeString(ei.bstrHelpFile);
  return hr;
}

/// A property late-bound, as "<vt>:<text>" (a Boolean as True or False,
/// no text for an object or when it has none).
inline std::string property(IDispatch* obj, const wchar_t* name) {
  VARIANT v, t;
  VariantInit(&v);
  VariantInit(&t);
  const HRESULT hr = call(obj, id_of(obj, name), DISPATCH_PROPERTYGET, {}, &v);
  VariantChangeType(&t, &v, VARIANT_ALPHABOOL, VT_BSTR);
  const std::string shown =
      FAILED(hr) ? "failed" : std::to_string(V_VT(&v)) + ":" + (V_VT(&t) == VT_BSTR ? text_of(t) : "");
  VariantClear(&v);
  VariantClear(&t);
  return shown;
}

/// A method by name; `args` first to last, cleared after the call.
inline HRESULT late(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {}, VARIANT* result = nullptr) {
  const DISPID id = id_of(target, name);
  const HRESULT hr = id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : call(target, id, DISPATCH_METHOD, args, result);
  for (VARIANT& a : args) VariantClear(&a);
  return hr;
}

/// Runs the tests when the class is registered (else says it is skipped),
/// then prints the summary; the exit status is the number of failures.
inline int run(const CLSID& clsid, std::initializer_list<void (*)()> tests) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  CoInitialize(nullptr);
  IUnknown* probe = nullptr;
  if (CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&probe)) ==
      REGDB_E_CLASSNOTREG) {
    std::printf("SKIP: the class is not registered\n");
    return 0;
  }
  if (probe) probe->Release();
  try {
    for (auto test : tests) test();
  } catch (const std::exception& e) {
    ok(false, "exception: %s", e.what());
  }
  CoUninitialize();
  std::printf("%d checks, %d failures\n", g_checks, g_failures);
  return g_failures;
}

}  // namespace client
