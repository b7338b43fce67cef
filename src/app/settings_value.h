#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace halvane {

// A stored option value as a signed 32-bit number: decimal digits after leading blanks and a
// sign, or hexadecimal after "$", or after "0x"/"0X" when the text is longer than two characters.
// Nothing for an empty text, any other text, and a number outside the 32-bit range.
std::optional<std::int32_t> ParseSettingNumber(std::string_view text);

// On for a non-zero number, off for zero, `defaultOn` for anything that is not a number.
bool SettingIsOn(std::string_view text, bool defaultOn);

// The text stored for an option.
inline const char* SettingText(bool on) {
  return on ? "1" : "0";
}

}  // namespace halvane
