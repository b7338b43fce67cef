#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/linux/socket_entry.h"

namespace halvane {

// Where a sock_diag dump stands after one reply datagram.
enum class DiagDumpStatus {
  kMore,    // the dump goes on in the next datagram
  kDone,    // NLMSG_DONE: the dump is complete
  kFailed,  // NLMSG_ERROR, or NLMSG_DONE carrying an error: the dump is not usable
};

// Collects the IPv4 sockets of one SOCK_DIAG_BY_FAMILY dump from its reply datagrams.
//
// AF_INET sockets are taken as they are. AF_INET6 sockets are taken when they serve IPv4: a
// local address ::ffff:a.b.c.d, or a local address :: on a socket whose INET_DIAG_SKV6ONLY
// attribute is present and 0 (the kernel sends it, unasked, for listening and unconnected
// sockets, which are the only ones that can stay bound to ::). Other IPv6 sockets are skipped.
//
// Socket records come as SOCK_DIAG_BY_FAMILY messages, or as TCPDIAG_GETSOCK messages in the
// reply to the older request that dumps the TCP sockets of both families in one walk.
//
// A dump is not atomic, so a socket listed twice (same cookie) is kept once, where it came
// first. The parser never reads past the end of a datagram: a message too short for its
// socket record is skipped, and a header whose length does not fit ends the datagram.
class DiagReplyCollector {
 public:
  DiagDumpStatus Feed(std::span<const std::byte> datagram);

  // In the order of the dump.
  const std::vector<SocketEntry>& entries() const { return entries_; }
  std::vector<SocketEntry> TakeEntries() {
    fromIpv6_.clear();
    return std::move(entries_);
  }
  // The entries of AF_INET sockets first, then those of AF_INET6 sockets, each in the order of
  // the dump: what a dump of each family after the other gives.
  std::vector<SocketEntry> TakeEntriesIpv4First();

 private:
  void AddSocket(std::span<const std::byte> payload);

  std::vector<SocketEntry> entries_;
  std::vector<bool> fromIpv6_;  // per entry: whether an AF_INET6 socket gave it
  std::unordered_set<std::uint64_t> cookies_;
};

// Dumps every socket of one address family (AF_INET or AF_INET6) and protocol (IPPROTO_TCP or
// IPPROTO_UDP), in all states, over a NETLINK_SOCK_DIAG socket of its own. The result keeps
// the order of the dump; none when netlink is unavailable or the dump fails.
std::optional<std::vector<SocketEntry>> DumpIpv4Sockets(std::uint8_t family, std::uint8_t protocol);

// The TCP sockets of both families in one walk of the kernel's tables (the TCPDIAG_GETSOCK
// request), in the order DumpIpv4Sockets for AF_INET and then for AF_INET6 gives them; none when
// the kernel does not answer that request.
std::optional<std::vector<SocketEntry>> DumpIpv4TcpSocketsOfBothFamilies();

}  // namespace halvane
