// The DLL's entry points: class objects, unload check, self-registration,
// and the type library loaded from the DLL's own resource.
#include "com/object.h"

#include <olectl.h>

#include <string>

#include "com/module.h"

namespace veldrane::com {

namespace {

HMODULE g_module = nullptr;
LONG g_refs = 0;  // live objects plus server locks
ITypeLib* g_typelib = nullptr;
ITypeInfo* g_type_infos[gen::kInterfaceCount] = {};

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

// --- Registration -------------------------------------------------------------

LSTATUS set_value(HKEY key, const wchar_t* subkey, const wchar_t* name, const std::wstring& data) {
  HKEY k = nullptr;
  LSTATUS rc = RegCreateKeyExW(key, subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return rc;
}

template <class Class>
bool register_class(const std::wstring& path) {
  const std::wstring clsid_key = std::wstring(L"CLSID\\") + Class::clsid_text;
  const std::wstring progid_key = Class::progid;
  const LSTATUS results[] = {
      set_value(HKEY_CLASSES_ROOT, clsid_key.c_str(), nullptr, Class::progid),
      set_value(HKEY_CLASSES_ROOT, (clsid_key + L"\\InprocServer32").c_str(), nullptr, path),
      set_value(HKEY_CLASSES_ROOT, (clsid_key + L"\\InprocServer32").c_str(), L"ThreadingModel", L"Apartment"),
      set_value(HKEY_CLASSES_ROOT, (clsid_key + L"\\ProgID").c_str(), nullptr, Class::progid),
      set_value(HKEY_CLASSES_ROOT, (clsid_key + L"\\TypeLib").c_str(), nullptr, gen::kLibraryId),
      set_value(HKEY_CLASSES_ROOT, progid_key.c_str(), nullptr, Class::progid),
      set_value(HKEY_CLASSES_ROOT, (progid_key + L"\\CLSID").c_str(), nullptr, Class::clsid_text),
  };
  for (LSTATUS rc : results)
    if (rc != ERROR_SUCCESS) return false;
  return true;
}

bool removed(LSTATUS rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND; }

template <class Class>
bool unregister_class() {
  const std::wstring clsid_key = std::wstring(L"CLSID\\") + Class::clsid_text;
  const bool a = removed(RegDeleteTreeW(HKEY_CLASSES_ROOT, clsid_key.c_str()));
  const bool b = removed(RegDeleteTreeW(HKEY_CLASSES_ROOT, Class::progid));
  return a && b;
}

template <class Class>
HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret, bool& matched) {
  if (matched || !IsEqualCLSID(rclsid, Class::clsid())) return CLASS_E_CLASSNOTAVAILABLE;
  matched = true;
  static class_factory<Class> factory;
  return factory.QueryInterface(riid, ret);
}

}  // namespace

HMODULE module_handle() { return g_module; }
void add_module_ref() { InterlockedIncrement(&g_refs); }
void release_module_ref() { InterlockedDecrement(&g_refs); }

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

}  // namespace veldrane::com

using namespace veldrane::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_module = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other DLLs may be gone already.
      if (reserved) break;
      for (ITypeInfo*& ti : g_type_infos) {
        if (ti) ti->Release();
        ti = nullptr;
      }
      if (g_typelib) g_typelib->Release();
      g_typelib = nullptr;
      break;
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ret) {
  if (!ret) return E_POINTER;
  *ret = nullptr;
  bool matched = false;
  HRESULT hr = CLASS_E_CLASSNOTAVAILABLE;
#define VELDRANE_CLASS_OBJECT(C) \
  if (!matched) hr = class_object<gen::C>(rclsid, riid, ret, matched);
  VELDRANE_FOR_EACH_CLASS(VELDRANE_CLASS_OBJECT)
#undef VELDRANE_CLASS_OBJECT
  return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return g_refs == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  const std::wstring path = module_path();
  if (path.empty()) return SELFREG_E_CLASS;
  ITypeLib* tl = nullptr;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &tl))) return SELFREG_E_TYPELIB;
  tl->Release();
  bool ok = true;
#define VELDRANE_REGISTER(C) ok = register_class<gen::C>(path) && ok;
  VELDRANE_FOR_EACH_CLASS(VELDRANE_REGISTER)
#undef VELDRANE_REGISTER
  return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  bool ok = true;
#define VELDRANE_UNREGISTER(C) ok = unregister_class<gen::C>() && ok;
  VELDRANE_FOR_EACH_CLASS(VELDRANE_UNREGISTER)
#undef VELDRANE_UNREGISTER
  // Also removes the interface keys that registering the library wrote.
  // Unregistering twice is harmless: without the library's key there is
  // nothing left to remove.
  HKEY key = nullptr;
  const std::wstring typelib_key = std::wstring(L"TypeLib\\") + gen::kLibraryId;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, typelib_key.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    // The library was registered for this DLL's own architecture.
    constexpr SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    if (FAILED(UnRegisterTypeLib(LIBID_VELDRANE, gen::kLibraryMajor, gen::kLibraryMinor, gen::kLibraryLcid, kind)))
      ok = false;
  }
  return ok ? S_OK : SELFREG_E_CLASS;
}
