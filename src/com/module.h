// The DLL's own state: its module handle and file, the count of live
// objects and server locks behind DllCanUnloadNow, and the type library
// loaded from the DLL's own resource.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <string>

namespace veldrane::com {

/// DllMain's process attach and detach. At detach the cached type library
/// goes.
void module_attach(HMODULE module);
void module_detach();

HMODULE module_handle();
/// The DLL's own file (empty when it cannot be read).
std::wstring module_path();

/// A live object: DllCanUnloadNow answers S_FALSE while there is one.
void add_module_ref();
void release_module_ref();
/// IClassFactory::LockServer: locks keep the module loaded too; an unlock
/// without a lock changes nothing.
HRESULT lock_server(BOOL lock);
/// No live object and no lock.
bool module_can_unload();

/// The type library, loaded on first need from the DLL's own file and
/// cached. The caller receives its own reference.
HRESULT type_library(ITypeLib** ret);

/// The type information of the library's interface number `index` (its
/// type_index), from the same library and cached. The caller receives its
/// own reference.
HRESULT interface_type_info(std::size_t index, const IID& iid, ITypeInfo** ret);

/// The type information of the coclass `clsid`, from the same library (for
/// IProvideClassInfo). The caller receives its own reference.
HRESULT coclass_type_info(const CLSID& clsid, ITypeInfo** ret);

}  // namespace veldrane::com
