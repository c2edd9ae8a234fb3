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

inline INVOKEKIND invoke_kind(veldrane::member_kind k) {
  switch (k) {
    case veldrane::member_kind::get: return INVOKE_PROPERTYGET;
    case veldrane::member_kind::let: return INVOKE_PROPERTYPUT;
    case veldrane::member_kind::set: return INVOKE_PROPERTYPUTREF;
    case veldrane::member_kind::method: break;
  }
  return INVOKE_FUNC;
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

/// Every row of the member table against the type library: dispatch id by
/// name (also upper-cased), methods' parameters by name, kind, hidden flag, parameters (optional and
/// in/out flags), vtable slot, interface identity and flags.
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
    ok(fd->memid == m.dispid(), "%s: memid %#lx", name.c_str(), fd->memid);
    ok(fd->invkind == invoke_kind(m.kind), "%s: invoke kind %d", name.c_str(), fd->invkind);
    ok(((fd->wFuncFlags & FUNCFLAG_FHIDDEN) != 0) == m.hidden, "%s: hidden flag", name.c_str());
    ok(fd->oVft == static_cast<SHORT>((7 + i) * sizeof(void*)), "%s: vtable offset %d", name.c_str(), fd->oVft);
    const std::size_t visible = m.param_count + (m.returns != veldrane::param_type::none ? 1 : 0);
    ok(static_cast<std::size_t>(fd->cParams) == visible, "%s: %d parameters", name.c_str(), fd->cParams);
    for (std::size_t p = 0; p < m.param_count && p < static_cast<std::size_t>(fd->cParams); ++p) {
      const USHORT pf = fd->lprgelemdescParam[p].paramdesc.wParamFlags;
      ok(((pf & PARAMFLAG_FOPT) != 0) == m.params[p].optional, "%s: parameter %u optional flag", name.c_str(),
         unsigned(p));
      ok(((pf & PARAMFLAG_FOUT) != 0) == m.params[p].by_ref, "%s: parameter %u in/out flag", name.c_str(),
         unsigned(p));
    }
    ti->ReleaseFuncDesc(fd);
  }
  ti->Release();
}

}  // namespace client
