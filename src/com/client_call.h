// The component as a client of other automation objects: a member called by
// name (IDispatch::GetIDsOfNames and Invoke), and any COM object as a core
// object whose members are reached that way.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string_view>
#include <vector>

#include "com/com_ptr.h"
#include "convert/value.h"

namespace veldrane::com {

/// The source of errors that the host framework raised without saying where.
inline constexpr std::string_view kHostSource = "QUENTARO";

/// Calls a member of a COM object by name. Arguments are passed by reference
/// and read back. Errors the object raises without naming a source are
/// reported under `source`.
value late_call(IDispatch* target, std::string_view member, member_kind kind, std::vector<value*> args,
                std::string_view source);

/// Reads a property (or calls a method without side effects) by name.
value late_get(IDispatch* target, std::string_view member, std::vector<value*> args = {},
               std::string_view source = kHostSource);

/// A COM object as a plain late-bound core object: members reached by name,
/// errors without a source reported under `source`.
object_ptr late_bound_object(com_ptr<IUnknown> p, std::string_view source = kHostSource);

}  // namespace veldrane::com
