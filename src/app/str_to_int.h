#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace halvane {

// A text that is not a decimal number of the 32-bit signed range.
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(const std::string& text);
};

// The decimal number of the text: an optional sign and digits, nothing else. Throws ConvertError.
std::int32_t StrToInt(const std::string& text);

}  // namespace halvane
