// Self-registration of the DLL: DllRegisterServer and DllUnregisterServer
// (machine-wide, under HKEY_CLASSES_ROOT) and DllInstall with "user" (the
// same keys under HKEY_CURRENT_USER\Software\Classes).
#pragma once

#include <windows.h>

namespace veldrane::com {

HRESULT register_machine();
/// Removing twice is harmless.
HRESULT unregister_machine();
/// Registers for the current user, or removes that registration; a failed
/// registration leaves nothing half written.
HRESULT install_for_user(bool install);

}  // namespace veldrane::com
