#include "platform/linux/socket_owners.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace halvane {
namespace {

constexpr std::string_view kSocketLinkPrefix = "socket:[";

template <typename T>
std::optional<T> ParseDecimal(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

// The inode of a link target "socket:[12345]"; none for any other target.
std::optional<std::uint64_t> SocketInodeOfLink(std::string_view target) {
  if (!target.starts_with(kSocketLinkPrefix) || !target.ends_with(']')) {
    return std::nullopt;
  }
  target.remove_prefix(kSocketLinkPrefix.size());
  target.remove_suffix(1);
  return ParseDecimal<std::uint64_t>(target);
}

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
  return ParseDecimal<std::uint32_t>(rest.substr(0, rest.find(' ')));
}

class Directory {
 public:
  // Opens `name` below the directory `parentFd`; check valid() before reading.
  Directory(int parentFd, const char* name) {
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
      dir_ = ::fdopendir(fd);
      if (dir_ == nullptr) {
        ::close(fd);
      }
    }
  }
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;
  ~Directory() {
    if (dir_ != nullptr) {
      ::closedir(dir_);
    }
  }
  bool valid() const { return dir_ != nullptr; }
  int fd() const { return ::dirfd(dir_); }
  const dirent* Next() { return ::readdir(dir_); }

 private:
  DIR* dir_ = nullptr;
};

// The holders of every socket, gathered process by process.
class HolderScan {
 public:
  HolderScan(int procFd, std::size_t expectedSockets) : procFd_(procFd) {
    firstHolder_.reserve(expectedSockets);
  }

  void ScanProcess(std::uint32_t pid) {
    char fdPath[32];
    std::snprintf(fdPath, sizeof fdPath, "%u/fd", pid);
    Directory fds(procFd_, fdPath);
    if (!fds.valid()) {
      return;
    }
    while (const dirent* entry = fds.Next()) {
      if (entry->d_name[0] == '.' || (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)) {
        continue;
      }
      char target[64];
      const ssize_t length = ::readlinkat(fds.fd(), entry->d_name, target, sizeof target);
      if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) {
        continue;
      }
      if (const auto inode = SocketInodeOfLink({target, static_cast<std::size_t>(length)})) {
        AddHolder(*inode, pid);
      }
    }
  }

  // Settles the sockets with several holders and hands over the owner of every socket.
  std::unordered_map<std::uint64_t, std::uint32_t> TakeOwners() {
    for (auto& [inode, holders] : sharedHolders_) {
      firstHolder_[inode] = OwnerAmong(holders);
    }
    return std::move(firstHolder_);
  }

 private:
  void AddHolder(std::uint64_t inode, std::uint32_t pid) {
    const auto [first, inserted] = firstHolder_.try_emplace(inode, pid);
    if (inserted || first->second == pid) {
      return;
    }
    std::vector<std::uint32_t>& holders = sharedHolders_[inode];
    if (holders.empty()) {
      holders.push_back(first->second);
    }
    if (std::find(holders.begin(), holders.end(), pid) == holders.end()) {
      holders.push_back(pid);
    }
  }

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
  std::unordered_map<std::uint64_t, std::uint32_t> firstHolder_;
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> sharedHolders_;
  std::unordered_map<std::uint32_t, std::uint32_t> parents_;
};

}  // namespace

SocketOwnerIndex SocketOwnerIndex::Scan(const std::string& procRoot, std::size_t expectedSockets) {
  SocketOwnerIndex index;
  const int procFd = ::open(procRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (procFd < 0) {
    return index;
  }
  HolderScan scan(procFd, expectedSockets);
  {
    Directory processes(procFd, ".");
    while (processes.valid()) {
      const dirent* entry = processes.Next();
      if (entry == nullptr) {
        break;
      }
      if (const auto pid = ParseDecimal<std::uint32_t>(entry->d_name)) {
        scan.ScanProcess(*pid);
      }
    }
  }
  index.owners_ = scan.TakeOwners();
  ::close(procFd);
  return index;
}

std::uint32_t SocketOwnerIndex::OwnerOf(std::uint64_t inode) const {
  const auto found = owners_.find(inode);
  return found == owners_.end() ? 0 : found->second;
}

}  // namespace halvane
