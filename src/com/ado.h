// The host's database connection as the core sees it: an ADO connection and
// its recordsets, reached late-bound by name so that any compatible
// connection object serves.
#pragma once

// The core headers come before the Windows ones: <objbase.h> defines
// `interface` as a macro, which the core uses as a member name.
#include "host/classes.h"

#include <windows.h>
#include <oaidl.h>

#include <memory>

namespace veldrane::com {

/// The core connection over `d`, which it adopts (null for none).
std::shared_ptr<host::connection> adapt_connection(IDispatch* d);

/// The COM object behind a core connection, with a reference for the caller
/// (null for none).
IDispatch* connection_dispatch(const std::shared_ptr<host::connection>& c);

}  // namespace veldrane::com
