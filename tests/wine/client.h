// What the early-bound clients share: checks that report the caller's line
// and count failures, and the walk of a member table against the type
// library. Include after the core headers of the tables walked.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
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
/// name (also upper-cased), methods' parameters by name, the vtable slot of
/// its function, and the interface's identity and flags. What the type
/// library declares of each member is compared with the published
/// interface's reference (typelib_client).
template <class C>
void check_member_table(IDispatch* obj, const veldrane::class_info<C>& info, const IID& iid) {
  ITypeInfo* ti = vtable_type_info(obj);
  ok(ti != nullptr, "%.*s: type information", int(info.name.size()), info.name.data());
  if (!ti) return;
  TYPEATTR* attr = nullptr;
  ti->GetTypeAttr(&attr);
  ok(attr->typekind == TKIND_INTERFACE, "the vtable view: kind %d", attr->typekind);
  ok(IsEqualGUID(attr->guid, iid), "interface identifier");
  ok(attr->cFuncs == info.members.size(), "%u functions, %u members", attr->cFuncs, unsigned(info.members.size()));
  const WORD flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
  ok((attr->wTypeFlags & flags) == flags, "interface flags %#x", attr->wTypeFlags);
  const UINT count = attr->cFuncs;
  ti->ReleaseTypeAttr(attr);

  for (std::size_t i = 0; i < info.members.size() && i < count; ++i) {
    const auto& m = info.members[i];
    const std::string name(m.name);
    std::wstring wname = veldrane::com::to_wide(name);
    LPOLESTR names[] = {wname.data()};
    DISPID id = 0;
    ok(obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK && id == m.dispid(), "%s: dispatch id %#lx",
       name.c_str(), id);
    std::wstring upper = wname;
    CharUpperW(upper.data());
    names[0] = upper.data();
    id = 0;
    ok(obj->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == S_OK && id == m.dispid(), "%s upper-cased", name.c_str());
    // A method's parameters by name, for named arguments: their position.
    for (std::size_t p = 0; m.kind == veldrane::member_kind::method && p < m.param_count; ++p) {
      std::wstring pname = veldrane::com::to_wide(m.params[p].name);
      LPOLESTR both[] = {wname.data(), pname.data()};
      DISPID ids[2] = {};
      ok(obj->GetIDsOfNames(IID_NULL, both, 2, 0, ids) == S_OK && ids[1] == static_cast<DISPID>(p),
         "%s: parameter %u by name", name.c_str(), unsigned(p));
    }

    FUNCDESC* fd = nullptr;
    if (ti->GetFuncDesc(static_cast<UINT>(i), &fd) != S_OK) {
      ok(false, "%s: no function %u", name.c_str(), unsigned(i));
      continue;
    }
    ok(fd->memid == m.dispid() && fd->oVft == static_cast<SHORT>((7 + i) * sizeof(void*)),
       "%s: vtable offset %d", name.c_str(), fd->oVft);
    ti->ReleaseFuncDesc(fd);
  }
  ti->Release();
}

// --- Values and late-bound calls ---------------------------------------------

inline VARIANT missing() {
  VARIANT v;
  V_VT(&v) = VT_ERROR;
  V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
  return v;
}
inline VARIANT text(const wchar_t* s) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(s);
  return v;
}
inline VARIANT number(long n) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = n;
  return v;
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

}  // namespace client
