// The platform of the DLL: system GUIDs, debug output and message boxes,
// the host framework's classes created by class identifier
// (CoCreateInstance), and other objects created by ProgID and reached
// late-bound (the sibling connector).
#pragma once

#include "host/classes.h"

#include <memory>
#include <string_view>

namespace veldrane::com {

class com_platform final : public host::framework_platform {
 public:
  host::class_factory& framework_classes() override;
  object_ptr create_object(std::string_view progid) override;
};

/// The one platform every object of the DLL is given.
std::shared_ptr<platform> dll_platform();

}  // namespace veldrane::com
