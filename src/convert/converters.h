// The four value converters that normalise arguments before they are written
// into a statement or handed on.
#pragma once

#include "convert/value.h"

namespace veldrane {

namespace host {
class class_factory;
}

/// The value's text with trailing blanks removed; "" for Empty, Null, a
/// missing argument and "".
std::string TextOrEmpty(const value& v);

/// Integer 0 for Empty, Null or blank text; otherwise the value as Decimal.
/// Text that is not a number raises type mismatch.
value DecimalOrZero(const value& v);

/// `val` when it has non-blank text, otherwise `fallback`. A value without a
/// text form re-raises with the source "NVL:" CR LF <source>.
value NVL(const value& val, const value& fallback);

/// The framework converter's output when its status is 0, otherwise
/// TextOrEmpty of the value. Never raises; Empty when the converter cannot
/// be created.
value ConvertedOrText(host::class_factory& classes, const value& v);

}  // namespace veldrane
