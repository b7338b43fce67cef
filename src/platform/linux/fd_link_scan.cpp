#include "platform/linux/fd_link_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace halvane {
namespace {

constexpr std::string_view kSocketLinkPrefix = "socket:[";
// Descriptors read in one go by one thread; a process with more is split into slices of this
// many, which either thread may take.
constexpr std::size_t kLinksPerSlice = 1024;
// getdents64 fills this much per call: a /proc/[pid]/fd entry takes 24-32 bytes.
constexpr std::size_t kDirBufferSize = 128 * 1024;
// A link target longer than this is no socket.
constexpr std::size_t kLinkBufferSize = 64;

std::optional<std::uint32_t> ParsePid(std::string_view text) {
  std::uint32_t value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

class OpenFd {
 public:
  explicit OpenFd(int fd) : fd_(fd) {}
  OpenFd(const OpenFd&) = delete;
  OpenFd& operator=(const OpenFd&) = delete;
  ~OpenFd() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The descriptor directory <pid>/fd below the open proc directory, or -1.
int OpenFdDirectory(int procFd, std::uint32_t pid) {
  char path[32];
  std::snprintf(path, sizeof path, "%u/fd", pid);
  return ::openat(procFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The processes below the proc directory, in directory order.
std::vector<std::uint32_t> ListProcesses(int procFd) {
  std::vector<std::uint32_t> pids;
  const int fd = ::openat(procFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return pids;
  }
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return pids;
  }
  while (const dirent* entry = ::readdir(dir)) {
    if (const auto pid = ParsePid(entry->d_name)) {
      pids.push_back(*pid);
    }
  }
  ::closedir(dir);
  return pids;
}

// The names of the links in an open descriptor directory, each ended by a 0 byte.
std::string ListLinkNames(int dirFd, std::vector<char>& buffer) {
  std::string names;
  for (;;) {
    const ssize_t filled = ::getdents64(dirFd, buffer.data(), buffer.size());
    if (filled <= 0) {
      return names;
    }
    for (ssize_t at = 0; at < filled;) {
      const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + at);
      at += entry->d_reclen;
      if (entry->d_name[0] == '.' || (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)) {
        continue;
      }
      names.append(entry->d_name).push_back('\0');
    }
  }
}

// Reads the links named in `names` (each ended by a 0 byte) and keeps those to sockets.
void ReadSocketLinks(int dirFd, std::string_view names, std::uint32_t pid,
                     std::vector<SocketHolding>& found) {
  for (std::size_t at = 0; at < names.size();) {
    const char* name = names.data() + at;
    at = names.find('\0', at) + 1;
    char target[kLinkBufferSize];
    const ssize_t length = ::readlinkat(dirFd, name, target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) {
      continue;
    }
    if (const auto inode = SocketInodeOfLink({target, static_cast<std::size_t>(length)})) {
      found.push_back({*inode, pid});
    }
  }
}

// Where the slice after `from` names begins: `kLinksPerSlice` names on.
std::size_t SliceEnd(std::string_view names, std::size_t from) {
  std::size_t at = from;
  for (std::size_t i = 0; i < kLinksPerSlice && at < names.size(); ++i) {
    at = names.find('\0', at) + 1;
  }
  return at;
}

}  // namespace

std::optional<std::uint64_t> SocketInodeOfLink(std::string_view target) {
  if (!target.starts_with(kSocketLinkPrefix) || !target.ends_with(']')) {
    return std::nullopt;
  }
  target.remove_prefix(kSocketLinkPrefix.size());
  target.remove_suffix(1);
  std::uint64_t value{};
  const char* end = target.data() + target.size();
  const auto [stop, error] = std::from_chars(target.data(), end, value);
  if (target.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

// The shared state of one pass: processes not yet listed, slices not yet read, and how many
// listings are under way (each may still add slices).
class FdLinkScan::Work {
 public:
  Work(int procFd, std::vector<std::uint32_t> pids) : procFd_(procFd), pids_(std::move(pids)) {}

  void StartHelper() {
    if (std::thread::hardware_concurrency() == 1) {
      return;
    }
    try {
      helper_ = std::thread([this] { Run(helperFound_); });
    } catch (const std::system_error&) {
      // No second thread: the caller does the whole pass in Finish.
    }
  }

  std::vector<SocketHolding> Finish() {
    std::vector<SocketHolding> found;
    Run(found);
    if (helper_.joinable()) {
      helper_.join();
    }
    if (found.empty()) {
      return std::move(helperFound_);
    }
    found.insert(found.end(), helperFound_.begin(), helperFound_.end());
    helperFound_.clear();
    return found;
  }

  // Drops what is left undone and waits for the helper.
  void Abandon() {
    {
      const std::lock_guard lock(mutex_);
      nextPid_ = pids_.size();
      slices_.clear();
    }
    changed_.notify_all();
    if (helper_.joinable()) {
      helper_.join();
    }
  }

 private:
  struct Slice {
    std::uint32_t pid = 0;
    std::string names;  // each ended by a 0 byte
  };

  // Lists processes while there are any, then reads slices, until nothing is left and no
  // listing that could add slices is under way.
  void Run(std::vector<SocketHolding>& found) {
    std::vector<char> buffer(kDirBufferSize);
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock,
                    [&] { return nextPid_ < pids_.size() || !slices_.empty() || listing_ == 0; });
      if (nextPid_ < pids_.size()) {
        const std::uint32_t pid = pids_[nextPid_++];
        ++listing_;
        lock.unlock();
        ScanProcess(pid, buffer, found);
        lock.lock();
        if (--listing_ == 0) {
          changed_.notify_all();
        }
      } else if (!slices_.empty()) {
        Slice slice = std::move(slices_.front());
        slices_.pop_front();
        lock.unlock();
        const OpenFd dir(OpenFdDirectory(procFd_, slice.pid));
        if (dir.get() >= 0) {
          ReadSocketLinks(dir.get(), slice.names, slice.pid, found);
        }
        lock.lock();
      } else {
        return;
      }
    }
  }

  // Lists the process's descriptors, hands all but the first slice to whichever thread is
  // free, and reads the first slice at once.
  void ScanProcess(std::uint32_t pid, std::vector<char>& buffer,
                   std::vector<SocketHolding>& found) {
    const OpenFd dir(OpenFdDirectory(procFd_, pid));
    if (dir.get() < 0) {
      return;
    }
    const std::string names = ListLinkNames(dir.get(), buffer);
    const std::string_view all(names);
    const std::size_t firstEnd = SliceEnd(all, 0);
    if (firstEnd < all.size()) {
      {
        const std::lock_guard lock(mutex_);
        for (std::size_t from = firstEnd; from < all.size();) {
          const std::size_t to = SliceEnd(all, from);
          slices_.push_back({pid, std::string(all.substr(from, to - from))});
          from = to;
        }
      }
      changed_.notify_all();
    }
    ReadSocketLinks(dir.get(), all.substr(0, firstEnd), pid, found);
  }

  const int procFd_;
  const std::vector<std::uint32_t> pids_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t nextPid_ = 0;
  std::deque<Slice> slices_;
  int listing_ = 0;
  std::vector<SocketHolding> helperFound_;
  std::thread helper_;
};

FdLinkScan::FdLinkScan(const std::string& procRoot)
    : procFd_(::open(procRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (procFd_ < 0) {
    return;
  }
  work_ = std::make_unique<Work>(procFd_, ListProcesses(procFd_));
  work_->StartHelper();
}

FdLinkScan::~FdLinkScan() {
  if (work_) {
    work_->Abandon();
  }
  if (procFd_ >= 0) {
    ::close(procFd_);
  }
}

std::vector<SocketHolding> FdLinkScan::Finish() {
  if (!work_) {
    return {};
  }
  return work_->Finish();
}

}  // namespace halvane
