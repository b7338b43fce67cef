#include "platform/linux/socket_owners.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace halvane {
namespace {

// The PPid field of a stat line "pid (comm) state ppid ..."; comm may hold spaces and ')'.
std::optional<std::uint32_t> ParentOfStatLine(std::string_view stat) {
  const std::size_t commEnd = stat.rfind(')');
  if (commEnd == std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view rest = stat.substr(commEnd + 1);
  const std::size_t state = rest.find_first_not_of(' ');
  if (state == std::string_view::npos) {
    return std::nullopt;
  }
  rest.remove_prefix(state + 1);
  const std::size_t ppid = rest.find_first_not_of(' ');
  if (ppid == std::string_view::npos) {
    return std::nullopt;
  }
  rest.remove_prefix(ppid);
  const std::string_view digits = rest.substr(0, rest.find(' '));
  std::uint32_t value{};
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

// Settles who owns the sockets that several processes hold.
class SharedSockets {
 public:
  explicit SharedSockets(int procFd) : procFd_(procFd) {}

  void AddHolder(std::uint64_t inode, std::uint32_t firstHolder, std::uint32_t pid) {
    std::vector<std::uint32_t>& holders = holders_[inode];
    if (holders.empty()) {
      holders.push_back(firstHolder);
    }
    if (std::find(holders.begin(), holders.end(), pid) == holders.end()) {
      holders.push_back(pid);
    }
  }

  void SettleInto(InodeMap& owners) {
    for (auto& [inode, holders] : holders_) {
      *owners.Find(inode) = OwnerAmong(holders);
    }
  }

 private:
  // The holder whose parent is not a holder, the lowest such; the lowest holder if none is.
  std::uint32_t OwnerAmong(std::vector<std::uint32_t>& holders) {
    std::sort(holders.begin(), holders.end());
    for (std::uint32_t pid : holders) {
      if (!std::binary_search(holders.begin(), holders.end(), ParentOf(pid))) {
        return pid;
      }
    }
    return holders.front();
  }

  std::uint32_t ParentOf(std::uint32_t pid) {
    const auto [known, inserted] = parents_.try_emplace(pid, 0);
    if (inserted) {
      known->second = ReadParent(pid).value_or(0);
    }
    return known->second;
  }

  std::optional<std::uint32_t> ReadParent(std::uint32_t pid) const {
    char statPath[32];
    std::snprintf(statPath, sizeof statPath, "%u/stat", pid);
    const int fd = ::openat(procFd_, statPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      return std::nullopt;
    }
    char text[1024];
    ssize_t length;
    do {
      length = ::read(fd, text, sizeof text);
    } while (length < 0 && errno == EINTR);
    ::close(fd);
    if (length <= 0) {
      return std::nullopt;
    }
    return ParentOfStatLine({text, static_cast<std::size_t>(length)});
  }

  int procFd_;
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> holders_;
  std::unordered_map<std::uint32_t, std::uint32_t> parents_;
};

}  // namespace

SocketOwnerIndex SocketOwnerIndex::Scan(const std::string& procRoot) {
  FdLinkScan scan(procRoot);
  return Collect(scan);
}

SocketOwnerIndex SocketOwnerIndex::Collect(FdLinkScan& scan) {
  const std::vector<SocketHolding> holdings = scan.Finish();
  SocketOwnerIndex index;
  index.owners_ = InodeMap(holdings.size());
  SharedSockets shared(scan.procFd());
  for (const SocketHolding& holding : holdings) {
    const auto [first, inserted] = index.owners_.TryEmplace(holding.inode, holding.pid);
    if (!inserted && *first != holding.pid) {
      shared.AddHolder(holding.inode, *first, holding.pid);
    }
  }
  shared.SettleInto(index.owners_);
  return index;
}

std::uint32_t SocketOwnerIndex::OwnerOf(std::uint64_t inode) const {
  const std::uint32_t* owner = owners_.Find(inode);
  return owner == nullptr ? 0 : *owner;
}

}  // namespace halvane
