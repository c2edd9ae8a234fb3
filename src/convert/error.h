// Automation errors: what a failing member hands its caller (the number,
// description and source a script reads from Err).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veldrane {

/// The component's name: the source of the errors it raises itself.
inline constexpr std::string_view kComponentName = "VELDRANE";

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

// Runtime error numbers used by the component.
namespace err {
inline constexpr std::int32_t invalid_argument = 5;       // Invalid procedure call or argument
inline constexpr std::int32_t overflow = 6;
inline constexpr std::int32_t out_of_memory = 7;
inline constexpr std::int32_t subscript_out_of_range = 9;
inline constexpr std::int32_t type_mismatch = 13;
inline constexpr std::int32_t internal_error = 51;
inline constexpr std::int32_t object_not_set = 91;
inline constexpr std::int32_t invalid_use_of_null = 94;
inline constexpr std::int32_t cannot_create_object = 429;
inline constexpr std::int32_t member_not_supported = 438;
inline constexpr std::int32_t action_not_supported = 445;
inline constexpr std::int32_t argument_not_optional = 449;
inline constexpr std::int32_t wrong_argument_count = 450;
}  // namespace err

/// Raises a runtime error with the runtime's own description for `number`.
[[noreturn]] void raise(std::int32_t number, const std::string& source);
/// The runtime's description of an error number ("Type mismatch", ...).
std::string runtime_description(std::int32_t number);

}  // namespace veldrane
