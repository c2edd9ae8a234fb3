// The four value converters that normalise arguments before they are written
// into a statement or handed on.
#pragma once

#include "convert/value.h"

namespace veldrane {

/// The value's text with trailing blanks removed; "" for Empty, Null, a
/// missing argument and "".
std::string TextOrEmpty(const value& v);

/// Integer 0 for Empty, Null or blank text; otherwise the value as Decimal.
/// Text that is not a number raises type mismatch.
value DecimalOrZero(const value& v);

/// `val` when it has non-blank text, otherwise `fallback`. A value without a
/// text form re-raises with the source "NVL:" CR LF <source>.
value NVL(const value& val, const value& fallback);

}  // namespace veldrane
