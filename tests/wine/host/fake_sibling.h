// The fake sibling connector of the test host DLL (see fake_sibling.cpp):
// its two classes, registered and served by the DLL's entry points.
#pragma once

#include <windows.h>

namespace fake_sibling {

// {3C9A8E21-6F47-4B1D-9E53-2A7B18C4D690}: the sibling; ...22: its control object.
inline const CLSID kSiblingClsid = {0x3C9A8E21, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};
inline const CLSID kControlClsid = {0x3C9A8E22, 0x6F47, 0x4B1D, {0x9E, 0x53, 0x2A, 0x7B, 0x18, 0xC4, 0xD6, 0x90}};

/// The class object of one of the two classes.
HRESULT class_object(REFCLSID rclsid, REFIID riid, void** ret);
/// Objects of these classes still alive.
LONG live_objects();

}  // namespace fake_sibling
