#include "com/platform.h"

#include <windows.h>
#include <objbase.h>

#include "com/client_call.h"
#include "com/errors.h"
#include "com/host_adapters.h"
#include "com/variant.h"

namespace veldrane::com {

object_ptr com_platform::create_object(std::string_view progid) {
  const std::wstring name = to_wide(progid);
  CLSID clsid;
  IDispatch* d = nullptr;
  if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&d))) || !d)
    raise_own(err::cannot_create_object);
  // Errors the object raises without naming a source are the component's.
  return late_bound_object(com_ptr<IUnknown>::adopt(d), kComponentSource);
}

host::class_factory& com_platform::framework_classes() { return created_framework_classes(); }

std::shared_ptr<platform> dll_platform() {
  static std::shared_ptr<platform> p = std::make_shared<com_platform>();
  return p;
}

}  // namespace veldrane::com
