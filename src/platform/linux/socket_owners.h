#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/linux/fd_link_scan.h"
#include "platform/linux/inode_map.h"

namespace halvane {

// Which process owns each socket, from one pass over the open files of every process.
class SocketOwnerIndex {
 public:
  // Reads the links <procRoot>/[pid]/fd/N whose target is "socket:[inode]". A socket held by
  // several processes (a forked server, a passed descriptor) belongs to the holder whose parent
  // (PPid of <procRoot>/[pid]/stat) does not hold it, the lowest PID among several such.
  // Processes that vanish or cannot be read during the pass are skipped.
  static SocketOwnerIndex Scan(const std::string& procRoot);

  // The same from a pass already under way (see FdLinkScan): waits for it and settles the
  // owners.
  static SocketOwnerIndex Collect(FdLinkScan& scan);

  // The owner's PID; 0 when no process holds the socket (time-wait, request sockets, sockets
  // held only by the kernel).
  std::uint32_t OwnerOf(std::uint64_t inode) const;
  // Whether some process holds the socket.
  bool Knows(std::uint64_t inode) const { return owners_.Contains(inode); }
  std::size_t size() const { return owners_.size(); }

 private:
  InodeMap owners_;
};

}  // namespace halvane
