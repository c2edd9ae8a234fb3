// Object identity at the COM boundary: which COM object a core object stands
// for, and the core value of a COM object. The conversions of VARIANTs and
// of typed arguments go through here in both directions.
#pragma once

#include "convert/value.h"

#include <windows.h>
#include <oaidl.h>

#include "com/com_ptr.h"

namespace veldrane::com {

/// Implemented by every core object that stands for a COM object.
class com_backed {
 public:
  virtual IUnknown* identity() const = 0;

 protected:
  ~com_backed() = default;
};

/// The core value of a COM object: Nothing for null; the active-interface
/// adapter when the object is the framework's active interface; otherwise a
/// late-bound automation object.
value wrap_object(IUnknown* p);

/// The COM object behind a core object (empty for Nothing): the object a
/// core object stands for, or the object of this DLL that serves it (see
/// serve). A core object with neither raises type mismatch.
com_ptr<IDispatch> unwrap_dispatch(const object_ptr& o);

/// Records that `iface` serves the core object `core`, so that handing the
/// core object to another COM object hands over `iface` (the connector
/// passing itself as the sibling's ClsConnect). The record holds no
/// reference; the serving object removes it before it goes.
void serve(const object* core, IDispatch* iface);
void stop_serving(const object* core);

}  // namespace veldrane::com
