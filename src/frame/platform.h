// What the component needs from the system it runs on: GUIDs for instance
// identifiers, the debug-output channel for trace lines, objects created by
// programmatic identifier, message boxes and today's date. On Windows these are the real
// system calls; elsewhere the embedding program supplies them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "convert/value.h"

namespace veldrane {

class object;

struct guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0, data3 = 0;
  std::array<std::uint8_t, 8> data4{};
};

class platform {
 public:
  virtual ~platform() = default;

  /// A fresh GUID; false when the system cannot make one.
  virtual bool create_guid(guid& out);
  /// Writes one trace line to the debug-output channel. The text carries no
  /// line terminator.
  virtual void trace(std::string_view line);
  /// Creates an object by its programmatic identifier, late-bound (the
  /// sibling connector). Raises 429 when the class cannot be created.
  virtual std::shared_ptr<object> create_object(std::string_view progid);
  /// Shows a modal message box with the given style and no title, and
  /// returns when it is closed.
  virtual void message_box(std::string_view prompt, int style);
  /// Today's date in the computer's local time, date only.
  virtual date_value today();

  /// The platform of the process: CoCreateGuid and OutputDebugStringA on
  /// Windows; elsewhere random GUIDs, and trace lines and message boxes go
  /// nowhere.
  static std::shared_ptr<platform> system();
};

}  // namespace veldrane
