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

/// The COM object behind a core object (empty for Nothing). A core object
/// with no COM object behind it raises type mismatch.
com_ptr<IDispatch> unwrap_dispatch(const object_ptr& o);

/// Calls a member of a COM object by name (IDispatch::GetIDsOfNames and
/// Invoke). Arguments are passed by reference and read back.
value late_call(IDispatch* target, std::string_view member, object::call_kind kind, std::vector<value*> args,
                std::string_view source);

/// The platform of the DLL: system GUIDs and debug output, and the host
/// framework's classes created by class identifier (CoCreateInstance).
class com_platform final : public platform {
 public:
  host::class_factory& framework_classes() override;
};
std::shared_ptr<platform> dll_platform();

}  // namespace veldrane::com
