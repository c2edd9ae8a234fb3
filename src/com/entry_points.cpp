// The DLL's exported entry points: process attach and detach, the class
// objects, the unload check, and self-registration (registration.h).
#include "com/object.h"

#include "com/module.h"
#include "com/registration.h"

namespace veldrane::com {

namespace {

template <class Class>
HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret, bool& matched) {
  if (matched || !IsEqualCLSID(rclsid, Class::clsid())) return CLASS_E_CLASSNOTAVAILABLE;
  matched = true;
  static class_factory<Class> factory;
  return factory.QueryInterface(riid, ret);
}

}  // namespace

}  // namespace veldrane::com

using namespace veldrane::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      module_attach(instance);
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other DLLs may be gone already.
      if (!reserved) module_detach();
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

extern "C" HRESULT WINAPI DllCanUnloadNow() { return module_can_unload() ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() { return register_machine(); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return unregister_machine(); }

// `regsvr32 /n /i:user` (install) and `regsvr32 /u /n /i:user` (remove):
// the same keys as DllRegisterServer, for the current user only, under
// HKEY_CURRENT_USER\Software\Classes; no administrator rights needed. Any
// other command line is refused.
extern "C" HRESULT WINAPI DllInstall(BOOL install, const wchar_t* command_line) {
  if (!command_line || CompareStringOrdinal(command_line, -1, L"user", -1, TRUE) != CSTR_EQUAL) return E_INVALIDARG;
  return install_for_user(install != FALSE);
}
