#pragma once
#include <array>
#include <cstdint>

namespace halvane {

// An IPv4 address as its four bytes in network order: {127, 0, 0, 1} is 127.0.0.1.
using Ipv4Bytes = std::array<std::uint8_t, 4>;

// One row of the platform's TCP table, ports already in host order.
struct RawTcpRow {
  std::int32_t state = 0;  // TcpStateText numbering (1 closed ... 12 delete TCB)
  Ipv4Bytes localAddr{};
  std::uint16_t localPort = 0;
  Ipv4Bytes remoteAddr{};
  std::uint16_t remotePort = 0;
  std::uint32_t pid = 0;
};

// One row of the platform's UDP table.
struct RawUdpRow {
  Ipv4Bytes localAddr{};
  std::uint16_t localPort = 0;
  std::uint32_t pid = 0;
};

}  // namespace halvane
