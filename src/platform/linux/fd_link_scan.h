#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvane {

// One open descriptor on a socket: process `pid` holds socket `inode`.
struct SocketHolding {
  std::uint64_t inode = 0;
  std::uint32_t pid = 0;
  friend bool operator==(const SocketHolding&, const SocketHolding&) = default;
};

// The inode of a link target "socket:[12345]"; none for any other target.
std::optional<std::uint64_t> SocketInodeOfLink(std::string_view target);

// One pass over the links <procRoot>/[pid]/fd/N of every process, collecting those that name a
// socket. The pass is shared by two threads: the constructor lists the processes and starts a
// helper thread on them, so the caller can do other work meanwhile (the table dump); Finish
// lends the calling thread to what is left. A process with many descriptors is split into
// slices, so one huge server keeps both threads busy too. Processes that vanish or cannot be
// read are skipped. Without a helper thread (one core, or none could be started) Finish does
// the whole pass.
class FdLinkScan {
 public:
  explicit FdLinkScan(const std::string& procRoot);
  FdLinkScan(const FdLinkScan&) = delete;
  FdLinkScan& operator=(const FdLinkScan&) = delete;
  ~FdLinkScan();

  // Every holding found, in no particular order; a second call gives nothing.
  std::vector<SocketHolding> Finish();

  // The open <procRoot> directory, or -1 when it cannot be opened.
  int procFd() const { return procFd_; }

 private:
  class Work;

  int procFd_ = -1;
  std::unique_ptr<Work> work_;
};

}  // namespace halvane
