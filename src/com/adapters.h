// COM objects as the core sees them: the host framework's objects behind the
// core's host interfaces (calling the framework's vtable positions), an ADO
// connection reached late-bound by name, and any other object as a plain
// late-bound automation object.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string_view>
#include <vector>

#include "com/com_ptr.h"
#include "convert/value.h"
#include "frame/platform.h"
#include "host/classes.h"

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

/// Calls a member of a COM object by name (IDispatch::GetIDsOfNames and
/// Invoke). Arguments are passed by reference and read back.
value late_call(IDispatch* target, std::string_view member, member_kind kind, std::vector<value*> args,
                std::string_view source);

/// The platform of the DLL: system GUIDs, debug output and message boxes,
/// the host framework's classes created by class identifier
/// (CoCreateInstance), and other objects created by ProgID and reached
/// late-bound (the sibling connector).
class com_platform final : public host::framework_platform {
 public:
  host::class_factory& framework_classes() override;
  object_ptr create_object(std::string_view progid) override;
};
std::shared_ptr<platform> dll_platform();

}  // namespace veldrane::com
