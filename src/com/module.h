// The DLL's own state: its module handle, the count of live objects and
// server locks behind DllCanUnloadNow, and the cached type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>

namespace veldrane::com {

HMODULE module_handle();
/// A live object: DllCanUnloadNow answers S_FALSE while there is one.
void add_module_ref();
void release_module_ref();
/// IClassFactory::LockServer: locks keep the module loaded too; an unlock
/// without a lock changes nothing.
HRESULT lock_server(BOOL lock);

/// The type information of the library's interface number `index` (its
/// type_index), loaded on first need from the DLL's own type-library
/// resource and cached. The caller receives its own reference.
HRESULT interface_type_info(std::size_t index, const IID& iid, ITypeInfo** ret);

/// The type information of the coclass `clsid`, from the same library (for
/// IProvideClassInfo). The caller receives its own reference.
HRESULT coclass_type_info(const CLSID& clsid, ITypeInfo** ret);

}  // namespace veldrane::com
