#include "app/str_to_int.h"

#include <charconv>

namespace halvane {

ConvertError::ConvertError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value") {}

std::int32_t StrToInt(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  // from_chars takes a minus sign but no plus sign.
  if (first != last && *first == '+' && (last - first) > 1 && first[1] != '-')
    ++first;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value, 10);
  if (error != std::errc() || end != last || first == last)
    throw ConvertError(text);
  return value;
}

}  // namespace halvane
