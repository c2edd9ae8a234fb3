// The host framework's objects behind the core's host interfaces, called at
// their vtable positions (the roles host.idl describes), and the framework
// classes the component creates by class identifier.
#pragma once

#include "host/classes.h"

#include <windows.h>
#include <oaidl.h>

namespace veldrane::com {

/// The core object over the framework's active interface when `p` is one
/// (it answers IHostActiveInterface); null otherwise.
object_ptr adapt_active_interface(IUnknown* p);

/// The framework classes, created with CoCreateInstance.
host::class_factory& created_framework_classes();

}  // namespace veldrane::com
