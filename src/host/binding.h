// Binding the framework's filter builder to an object's host: shared by the
// lookup and decode classes, which each keep their own builder.
#pragma once

#include <cstdint>
#include <memory>

#include "host/framework.h"

namespace veldrane::host {

/// Creates a filter builder and binds it, in this order: the host's database
/// connection and its connection string, the user context's texts 4, 1 and 1,
/// the company, and the negated filter flag. The user context and the flag are
/// read anew through the environment at each step.
std::shared_ptr<filter_builder> bind_filter_builder(class_factory& classes, active_interface& host,
                                                    std::int32_t company);

}  // namespace veldrane::host
