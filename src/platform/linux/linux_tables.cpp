#include "platform/linux/linux_tables.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/linux/linux_platform.h"
#include "platform/linux/netlink_diag.h"
#include "platform/linux/proc_net.h"

namespace halvane {
namespace {

// Kernel TCP states 0-13 (TCP_ESTABLISHED = 1 ... TCP_NEW_SYN_RECV = 12,
// TCP_BOUND_INACTIVE = 13) in the TcpStateText numbering.
constexpr std::array<std::int32_t, 14> kMibStateOfLinux = {
    0,   // (none)
    5,   // ESTABLISHED
    3,   // SYN_SENT
    4,   // SYN_RECV
    6,   // FIN_WAIT1
    7,   // FIN_WAIT2
    11,  // TIME_WAIT
    1,   // CLOSE
    8,   // CLOSE_WAIT
    10,  // LAST_ACK
    2,   // LISTEN
    9,   // CLOSING
    4,   // NEW_SYN_RECV
    1,   // BOUND_INACTIVE: bound, neither listening nor connected
};

void Append(std::vector<SocketEntry>& to, std::vector<SocketEntry> more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

}  // namespace

std::int32_t MibTcpStateOfLinux(int linuxState) {
  if (linuxState < 0 || static_cast<std::size_t>(linuxState) >= kMibStateOfLinux.size()) {
    return 0;
  }
  return kMibStateOfLinux[static_cast<std::size_t>(linuxState)];
}

LinuxConnectionTables::LinuxConnectionTables(std::string procRoot, TableSource source)
    : procRoot_(std::move(procRoot)), source_(source) {}

std::vector<SocketEntry> LinuxConnectionTables::ReadFamily(std::uint8_t family,
                                                           std::uint8_t protocol,
                                                           std::string_view file) const {
  if (source_ == TableSource::kNetlinkOrProcFiles) {
    if (std::optional<std::vector<SocketEntry>> dumped = DumpIpv4Sockets(family, protocol)) {
      return std::move(*dumped);
    }
  }
  return ReadProcNetTable(procRoot_, file);
}

std::vector<SocketEntry> LinuxConnectionTables::ReadSockets(std::uint8_t protocol,
                                                            std::string_view ipv4File,
                                                            std::string_view ipv6File) const {
  if (source_ == TableSource::kNetlinkOrProcFiles && protocol == IPPROTO_TCP) {
    if (std::optional<std::vector<SocketEntry>> dumped = DumpIpv4TcpSocketsOfBothFamilies()) {
      return std::move(*dumped);
    }
  }
  std::vector<SocketEntry> sockets = ReadFamily(AF_INET, protocol, ipv4File);
  Append(sockets, ReadFamily(AF_INET6, protocol, ipv6File));
  return sockets;
}

std::vector<RawTcpRow> LinuxConnectionTables::ReadTcpTable() {
  // The owners are read after the dump, so every socket of the dump that is still open by then
  // is found with its owner.
  const std::vector<SocketEntry> sockets = ReadSockets(IPPROTO_TCP, "tcp", "tcp6");
  SocketOwnerIndex owners = SocketOwnerIndex::Scan(procRoot_);
  std::vector<RawTcpRow> rows;
  rows.reserve(sockets.size());
  for (const SocketEntry& socket : sockets) {
    RawTcpRow& row = rows.emplace_back();
    row.state = MibTcpStateOfLinux(socket.linuxState);
    row.localAddr = socket.localAddr;
    row.localPort = socket.localPort;
    row.remoteAddr = socket.remoteAddr;
    row.remotePort = socket.remotePort;
    row.pid = owners.OwnerOf(socket.inode);
  }
  ownersOfTcpRead_ = std::move(owners);
  return rows;
}

SocketOwnerIndex LinuxConnectionTables::OwnersForUdp(const std::vector<SocketEntry>& sockets) {
  std::optional<SocketOwnerIndex> handedOver = std::exchange(ownersOfTcpRead_, std::nullopt);
  const bool coversAll =
      handedOver && std::all_of(sockets.begin(), sockets.end(), [&](const SocketEntry& socket) {
        return socket.inode == 0 || handedOver->Knows(socket.inode);
      });
  return coversAll ? std::move(*handedOver) : SocketOwnerIndex::Scan(procRoot_);
}

std::vector<RawUdpRow> LinuxConnectionTables::ReadUdpTable() {
  const std::vector<SocketEntry> sockets = ReadSockets(IPPROTO_UDP, "udp", "udp6");
  const SocketOwnerIndex owners = OwnersForUdp(sockets);
  std::vector<RawUdpRow> rows;
  rows.reserve(sockets.size());
  for (const SocketEntry& socket : sockets) {
    RawUdpRow& row = rows.emplace_back();
    row.localAddr = socket.localAddr;
    row.localPort = socket.localPort;
    row.pid = owners.OwnerOf(socket.inode);
  }
  return rows;
}

std::unique_ptr<IConnectionTables> MakeLinuxConnectionTables() {
  return std::make_unique<LinuxConnectionTables>();
}

}  // namespace halvane
