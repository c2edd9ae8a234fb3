#include "com_classes.h"  // first: it includes the core headers before the Windows ones

#include "com/module.h"

namespace veldrane::com {

namespace {

HMODULE g_module = nullptr;
LONG g_refs = 0;   // live objects
LONG g_locks = 0;  // server locks, never below zero
ITypeLib* g_typelib = nullptr;
ITypeInfo* g_type_infos[gen::kInterfaceCount] = {};

}  // namespace

void module_attach(HMODULE module) { g_module = module; }

void module_detach() {
  for (ITypeInfo*& ti : g_type_infos) {
    if (ti) ti->Release();
    ti = nullptr;
  }
  if (g_typelib) g_typelib->Release();
  g_typelib = nullptr;
}

HMODULE module_handle() { return g_module; }

std::wstring module_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void add_module_ref() { InterlockedIncrement(&g_refs); }
void release_module_ref() { InterlockedDecrement(&g_refs); }

// An unlock without a lock is ignored: a count below zero would let the
// module unload under a live object, and never unload afterwards.
HRESULT lock_server(BOOL lock) {
  if (lock) {
    InterlockedIncrement(&g_locks);
    return S_OK;
  }
  for (LONG n = g_locks; n > 0;) {
    const LONG seen = InterlockedCompareExchange(&g_locks, n - 1, n);
    if (seen == n) break;
    n = seen;
  }
  return S_OK;
}

bool module_can_unload() { return g_refs == 0 && g_locks == 0; }

HRESULT type_library(ITypeLib** ret) {
  if (!g_typelib) {
    // From our own file, not from the registry: a stale registration of
    // another copy cannot change how this one dispatches.
    ITypeLib* tl = nullptr;
    HRESULT hr = LoadTypeLibEx(module_path().c_str(), REGKIND_NONE, &tl);
    if (FAILED(hr)) return hr;
    if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&g_typelib), tl, nullptr)) tl->Release();
  }
  *ret = g_typelib;
  g_typelib->AddRef();
  return S_OK;
}

HRESULT interface_type_info(std::size_t index, const IID& iid, ITypeInfo** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  if (index >= gen::kInterfaceCount) return E_INVALIDARG;
  if (!g_type_infos[index]) {
    ITypeLib* tl = nullptr;
    HRESULT hr = type_library(&tl);
    if (FAILED(hr)) return hr;
    ITypeInfo* ti = nullptr;
    hr = tl->GetTypeInfoOfGuid(iid, &ti);
    tl->Release();
    if (FAILED(hr)) return hr;
    if (InterlockedCompareExchangePointer(reinterpret_cast<void**>(&g_type_infos[index]), ti, nullptr))
      ti->Release();
  }
  *ret = g_type_infos[index];
  (*ret)->AddRef();
  return S_OK;
}

HRESULT coclass_type_info(const CLSID& clsid, ITypeInfo** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  ITypeLib* tl = nullptr;
  HRESULT hr = type_library(&tl);
  if (FAILED(hr)) return hr;
  hr = tl->GetTypeInfoOfGuid(clsid, ret);
  tl->Release();
  return hr;
}

}  // namespace veldrane::com
