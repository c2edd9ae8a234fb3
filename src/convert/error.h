// Automation errors: what a failing member hands its caller (the number,
// description and source a script reads from Err).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veldrane {

class automation_error : public std::runtime_error {
 public:
  automation_error(std::int32_t number, std::string description, std::string source)
      : std::runtime_error(description), number_(number), description_(std::move(description)),
        source_(std::move(source)) {}

  std::int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }

 private:
  std::int32_t number_;
  std::string description_;
  std::string source_;
};

// Runtime error numbers used by the component, by what they are about; the
// runtime's description of each is runtime_description's.
namespace err {
// Calls: the arguments, the members.
inline constexpr std::int32_t invalid_argument = 5, member_not_supported = 438, action_not_supported = 445,
                              argument_not_optional = 449, wrong_argument_count = 450;
// Values: their conversions and arrays.
inline constexpr std::int32_t overflow = 6, subscript_out_of_range = 9, type_mismatch = 13, invalid_use_of_null = 94;
// Objects.
inline constexpr std::int32_t object_not_set = 91, cannot_create_object = 429;
// Failures of the component itself, which the COM binding reports.
inline constexpr std::int32_t out_of_memory = 7, internal_error = 51;
}  // namespace err

/// The component's name: the source of the errors that no object raises as
/// an object of its class (the runtime's coercions, the host binding), the
/// name in the trace lines, and the first part of a class's own source.
inline constexpr std::string_view kComponentSource = "VELDRANE";

/// The source of the errors an object raises itself: the component's name,
/// a point and the class name ("VELDRANE.CLSMG_LOOKUP").
std::string class_source(std::string_view class_name);

/// The same text as a constant, for a class's own `kSource`:
/// `static constexpr class_source_text kSource{"CLSMG_LOOKUP"};`.
template <std::size_t N>
struct class_source_text {
  // Implicit from the class name's literal, as the declaration above reads.
  constexpr class_source_text(const char (&class_name)[N]) {
    std::size_t k = 0;
    for (char c : kComponentSource) text[k++] = c;
    text[k++] = '.';
    for (std::size_t i = 0; i + 1 < N; ++i) text[k++] = class_name[i];
  }
  constexpr operator std::string_view() const { return {text, sizeof text}; }

  char text[kComponentSource.size() + N] = {};  // the name, '.', the class name: no terminator
};

/// The runtime's description of an error number ("Type mismatch", ...).
std::string runtime_description(std::int32_t number);

/// Raises a runtime error with the runtime's own description for `number`.
[[noreturn]] inline void raise(std::int32_t number, std::string_view source) {
  throw automation_error(number, runtime_description(number), std::string(source));
}

}  // namespace veldrane
