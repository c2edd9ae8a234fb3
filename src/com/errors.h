// Automation errors across the COM boundary, both ways: a core error becomes
// an HRESULT plus the thread's error object (so that a script reads
// Err.Number, Description and Source), and a failed call into a COM object
// becomes a core automation_error.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>

#include "convert/error.h"

namespace veldrane::com {

/// Raises the runtime error `number` with its runtime description and the
/// component's name as its source.
[[noreturn]] void raise_own(std::int32_t number);

/// The HRESULT of a runtime error number: MAKE_HRESULT(SEVERITY_ERROR,
/// FACILITY_CONTROL, n) for the runtime's numbers, the number itself when it
/// already is a failure HRESULT (an error relayed from another object).
HRESULT hresult_of(std::int32_t number);
/// The inverse: the number a script sees for a failure HRESULT.
std::int32_t number_of(HRESULT hr);

/// Records the error as the thread's error object (IErrorInfo with the
/// description, the source and the interface) and returns its HRESULT.
HRESULT report(const automation_error& e, const IID& iid) noexcept;

/// Raises the error of a failed call into a COM object, with the callee's
/// error object when it left one.
[[noreturn]] void raise_failure(HRESULT hr, std::string_view fallback_source);
/// The same from the EXCEPINFO of a failed IDispatch::Invoke.
[[noreturn]] void raise_failure(HRESULT hr, EXCEPINFO& info, std::string_view fallback_source);

}  // namespace veldrane::com
