// The fake sibling connector of the test host DLL (see fake_sibling.cpp):
// its class objects and registration, called from the DLL's entry points.
#pragma once

#include <windows.h>

namespace fake_sibling {

/// The class object for one of the sibling's classes; CLASS_E_CLASSNOTAVAILABLE
/// for any other class.
HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret);
HRESULT register_classes(const wchar_t* module_path);
void unregister_classes();
/// Objects of these classes still alive.
LONG live_objects();

}  // namespace fake_sibling
