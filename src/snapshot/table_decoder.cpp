#include "snapshot/table_decoder.h"

#include <cstdint>

namespace halvane {
namespace {

constexpr std::size_t kFieldSize = 4;
constexpr std::size_t kTcpRowSize = 7 * kFieldSize;
constexpr std::size_t kUdpRowSize = 3 * kFieldSize;

std::uint8_t ByteAt(std::span<const std::byte> block, std::size_t offset) {
  return static_cast<std::uint8_t>(block[offset]);
}

std::uint32_t LittleEndian32(std::span<const std::byte> block, std::size_t offset) {
  return static_cast<std::uint32_t>(ByteAt(block, offset)) |
         static_cast<std::uint32_t>(ByteAt(block, offset + 1)) << 8 |
         static_cast<std::uint32_t>(ByteAt(block, offset + 2)) << 16 |
         static_cast<std::uint32_t>(ByteAt(block, offset + 3)) << 24;
}

Ipv4Bytes AddressAt(std::span<const std::byte> block, std::size_t offset) {
  return {ByteAt(block, offset), ByteAt(block, offset + 1), ByteAt(block, offset + 2),
          ByteAt(block, offset + 3)};
}

// Only the first two bytes of a port field count, in network order.
std::uint16_t PortAt(std::span<const std::byte> block, std::size_t offset) {
  return static_cast<std::uint16_t>(ByteAt(block, offset) << 8 | ByteAt(block, offset + 1));
}

// The number of whole rows both claimed by the count and present in the block.
std::size_t RowsPresent(std::span<const std::byte> block, std::size_t rowSize) {
  if (block.size() < kFieldSize)
    return 0;
  const std::size_t claimed = LittleEndian32(block, 0);
  const std::size_t held = (block.size() - kFieldSize) / rowSize;
  return claimed < held ? claimed : held;
}

}  // namespace

std::vector<RawTcpRow> DecodeTcpTable2(std::span<const std::byte> block) {
  const std::size_t count = RowsPresent(block, kTcpRowSize);
  std::vector<RawTcpRow> rows(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kFieldSize + i * kTcpRowSize;
    RawTcpRow& row = rows[i];
    row.state = static_cast<std::int32_t>(LittleEndian32(block, at));
    row.localAddr = AddressAt(block, at + 4);
    row.localPort = PortAt(block, at + 8);
    row.remoteAddr = AddressAt(block, at + 12);
    row.remotePort = PortAt(block, at + 16);
    row.pid = LittleEndian32(block, at + 20);
  }
  return rows;
}

std::vector<RawUdpRow> DecodeUdpTableOwnerPid(std::span<const std::byte> block) {
  const std::size_t count = RowsPresent(block, kUdpRowSize);
  std::vector<RawUdpRow> rows(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kFieldSize + i * kUdpRowSize;
    rows[i].localAddr = AddressAt(block, at);
    rows[i].localPort = PortAt(block, at + 4);
    rows[i].pid = LittleEndian32(block, at + 8);
  }
  return rows;
}

}  // namespace halvane
