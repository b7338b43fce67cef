#include "platform/windows/owner_pid_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace halvane {
namespace {

constexpr std::size_t kFieldSize = 4;
constexpr std::size_t kOwnerPidRowSize = 6 * kFieldSize;
constexpr std::size_t kTable2RowSize = 7 * kFieldSize;

std::uint32_t CountOf(std::span<const std::byte> block) {
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < kFieldSize; ++i)
    count |= static_cast<std::uint32_t>(block[i]) << (8 * i);
  return count;
}

void WriteCount(std::vector<std::byte>& out, std::size_t count) {
  for (std::size_t i = 0; i < kFieldSize; ++i)
    out[i] = static_cast<std::byte>((count >> (8 * i)) & 0xFF);
}

}  // namespace

std::vector<std::byte> TcpOwnerPidTableAsTable2(std::span<const std::byte> block) {
  if (block.size() < kFieldSize)
    return {};
  const std::size_t held = (block.size() - kFieldSize) / kOwnerPidRowSize;
  const std::size_t rows = std::min<std::size_t>(CountOf(block), held);
  std::vector<std::byte> out(kFieldSize + rows * kTable2RowSize, std::byte{0});
  WriteCount(out, rows);
  for (std::size_t i = 0; i < rows; ++i) {
    // The six fields are copied as they are; the seventh (offload state) stays 0.
    std::memcpy(out.data() + kFieldSize + i * kTable2RowSize,
                block.data() + kFieldSize + i * kOwnerPidRowSize, kOwnerPidRowSize);
  }
  return out;
}

}  // namespace halvane
