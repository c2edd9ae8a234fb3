// The host framework's creatable classes as the component reaches them: the
// platform that creates them, and the framework converter behind
// ConvertedOrText.
#pragma once

#include "convert/value.h"
#include "frame/platform.h"
#include "host/framework.h"

namespace veldrane {

namespace host {

/// A platform on which the host framework is installed: besides the
/// system's services it creates the framework's classes.
class framework_platform : public platform {
 public:
  /// The host framework's classes that the component creates. By default
  /// none is installed.
  virtual class_factory& framework_classes();
};

/// The framework classes of an object's platform; a platform without the
/// framework has a factory whose every creation fails with 429.
class_factory& framework_classes(platform& p);

}  // namespace host

/// The framework converter's output when its status is 0, otherwise
/// TextOrEmpty of the value. Never raises; Empty when the converter cannot
/// be created.
value ConvertedOrText(host::class_factory& classes, const value& v);

}  // namespace veldrane
