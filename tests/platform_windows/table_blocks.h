#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace halvane::testing_windows {

// A table block as the system hands it out: 32-bit words, least significant byte first.
inline std::vector<std::byte> LittleEndianWords(std::initializer_list<std::uint32_t> words) {
  std::vector<std::byte> bytes;
  for (std::uint32_t word : words) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<std::byte>((word >> (8 * i)) & 0xFF));
  }
  return bytes;
}

}  // namespace halvane::testing_windows
