#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "snapshot/raw_rows.h"

namespace halvane {

// An IPv6 address as its 16 bytes in network order.
using Ipv6Bytes = std::array<std::uint8_t, 16>;

// One IPv4 socket as the kernel lists it, before its owning process is known.
struct SocketEntry {
  int linuxState = 0;  // the kernel's TCP state number: 1 established ... 12 new SYN received
  Ipv4Bytes localAddr{};
  std::uint16_t localPort = 0;
  Ipv4Bytes remoteAddr{};
  std::uint16_t remotePort = 0;
  std::uint64_t inode = 0;  // 0 when no file stands for the socket (time-wait, request sockets)

  friend bool operator==(const SocketEntry&, const SocketEntry&) = default;
};

// The IPv4 address inside ::ffff:a.b.c.d, or none for any other address.
inline std::optional<Ipv4Bytes> MappedIpv4(const Ipv6Bytes& addr) {
  for (std::size_t i = 0; i < 10; ++i) {
    if (addr[i] != 0) {
      return std::nullopt;
    }
  }
  if (addr[10] != 0xff || addr[11] != 0xff) {
    return std::nullopt;
  }
  return Ipv4Bytes{addr[12], addr[13], addr[14], addr[15]};
}

inline bool IsUnspecifiedIpv6(const Ipv6Bytes& addr) {
  for (std::uint8_t b : addr) {
    if (b != 0) {
      return false;
    }
  }
  return true;
}

// The IPv4 form of one end of an IPv6 socket: mapped addresses, and :: as 0.0.0.0.
inline std::optional<Ipv4Bytes> Ipv4FormOfEnd(const Ipv6Bytes& addr) {
  if (IsUnspecifiedIpv6(addr)) {
    return Ipv4Bytes{};
  }
  return MappedIpv4(addr);
}

// The IPv4 endpoints served by an IPv6 socket, or none when it serves only IPv6.
// A socket whose local address is ::ffff:a.b.c.d carries IPv4 traffic. A socket bound to ::
// carries it only when it is dual-stack (not IPV6_V6ONLY); `anyAcceptsIpv4` says so, and
// callers that cannot tell pass false. The remote end must be mapped or unspecified.
inline std::optional<std::pair<Ipv4Bytes, Ipv4Bytes>> Ipv4EndpointsOfIpv6(const Ipv6Bytes& local,
                                                                          const Ipv6Bytes& remote,
                                                                          bool anyAcceptsIpv4) {
  if (IsUnspecifiedIpv6(local) && !anyAcceptsIpv4) {
    return std::nullopt;
  }
  const std::optional<Ipv4Bytes> local4 = Ipv4FormOfEnd(local);
  const std::optional<Ipv4Bytes> remote4 = Ipv4FormOfEnd(remote);
  if (!local4 || !remote4) {
    return std::nullopt;
  }
  return std::pair{*local4, *remote4};
}

}  // namespace halvane
