#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/socket_entry.h"
#include "platform/linux/socket_owners.h"
#include "snapshot/table_sources.h"

namespace halvane {

// Where the tables are read from.
enum class TableSource {
  kNetlinkOrProcFiles,  // netlink sock_diag dumps; the /proc/net file of any dump that fails
  kProcFilesOnly,       // the files <procRoot>/net/tcp, tcp6, udp, udp6
};

// The TcpStateText number of a kernel TCP state: TCP_ESTABLISHED (1) is 5, TCP_LISTEN (10)
// is 2, and so on. A bound-only socket (TCP_CLOSE, or TCP_BOUND_INACTIVE in a dump) is closed
// (1); an unknown state is 0.
std::int32_t MibTcpStateOfLinux(int linuxState);

// The IPv4 TCP and UDP tables of the running system with their owning processes: first the
// AF_INET sockets, then the IPv4 endpoints of IPv6 sockets, each in the order of the dump.
//
// The owners come from one pass over <procRoot>/[pid]/fd on two threads, made after the
// dump. TCP sockets of both families are dumped in one walk of the kernel's tables where the
// kernel allows it. ReadUdpTable normally follows
// ReadTcpTable within one snapshot, so it takes over the pass of the TCP read when that pass
// knows a holder of every UDP socket; otherwise (a UDP socket opened since, or one held only
// by the kernel) it makes its own.
class LinuxConnectionTables : public IConnectionTables {
 public:
  explicit LinuxConnectionTables(std::string procRoot = "/proc",
                                 TableSource source = TableSource::kNetlinkOrProcFiles);

  std::vector<RawTcpRow> ReadTcpTable() override;
  std::vector<RawUdpRow> ReadUdpTable() override;

 private:
  std::vector<SocketEntry> ReadSockets(std::uint8_t protocol, std::string_view ipv4File,
                                       std::string_view ipv6File) const;
  std::vector<SocketEntry> ReadFamily(std::uint8_t family, std::uint8_t protocol,
                                      std::string_view file) const;
  SocketOwnerIndex OwnersForUdp(const std::vector<SocketEntry>& sockets);

  std::string procRoot_;
  TableSource source_;
  std::optional<SocketOwnerIndex> ownersOfTcpRead_;
};

}  // namespace halvane
