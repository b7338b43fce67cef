#include "app/settings_value.h"

#include <limits>

namespace halvane {
namespace {

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

// The digits of `text` in `base` as a magnitude; nothing when there are none, when another
// character follows, or when the magnitude passes `limit`.
std::optional<std::int64_t> ParseMagnitude(std::string_view text, int base, std::int64_t limit) {
  if (text.empty())
    return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0)
      return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit)
      return std::nullopt;
  }
  return magnitude;
}

bool StartsWithHexPrefix(std::string_view text, std::string_view whole) {
  return whole.size() > 2 && text.size() >= 2 && text[0] == '0' &&
         (text[1] == 'x' || text[1] == 'X');
}

}  // namespace

std::optional<std::int32_t> ParseSettingNumber(std::string_view text) {
  const std::string_view whole = text;
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (StartsWithHexPrefix(text, whole)) {
    base = 16;
    text.remove_prefix(2);
  }
  // The magnitude of the most negative 32-bit number is one more than that of the largest.
  const std::int64_t limit =
      std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
  const auto magnitude = ParseMagnitude(text, base, limit);
  if (!magnitude)
    return std::nullopt;
  return static_cast<std::int32_t>(negative ? -*magnitude : *magnitude);
}

bool SettingIsOn(std::string_view text, bool defaultOn) {
  const auto number = ParseSettingNumber(text);
  return number ? *number != 0 : defaultOn;
}

}  // namespace halvane
