#include "platform/linux/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace halvane {

SingleInstanceLock::SingleInstanceLock(const std::string& directory, std::string_view name) {
  if (directory.empty())
    return;
  const std::string file = directory + "/" + std::string(name);
  // Close-on-exec: a browser started from the window must not inherit and keep the lock.
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0)
    return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    state_ = State::Acquired;
    return;
  }
  if (errno == EWOULDBLOCK)
    state_ = State::HeldByAnother;
  ::close(fd_);
  fd_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0)
    ::close(fd_);
}

std::string InstanceLockDirectory(std::string_view xdgRuntimeDir) {
  if (!xdgRuntimeDir.empty() && xdgRuntimeDir.front() == '/')
    return std::string(xdgRuntimeDir);
  const uid_t uid = ::getuid();
  const std::string dir = "/tmp/halvane-" + std::to_string(uid);
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    return {};
  struct stat info {};
  // A directory someone else made there could hold a lock to keep this user's copy out.
  if (::lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid)
    return {};
  return dir;
}

}  // namespace halvane
