#pragma once
#include <string>
#include <string_view>

namespace halvane {

// The per-user guard that lets one copy of the program run: an exclusive lock on a file. The
// system drops the lock when the holding process ends, however it ends, so no stale lock stays.
class SingleInstanceLock {
 public:
  enum class State {
    Acquired,       // this process is the first copy and holds the lock for its lifetime
    HeldByAnother,  // another copy runs
    Unavailable,    // the lock file could not be used; the program starts as a first copy
  };

  // Tries the lock on `directory`/`name` without waiting.
  SingleInstanceLock(const std::string& directory, std::string_view name);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  State state() const { return state_; }

 private:
  int fd_ = -1;
  State state_ = State::Unavailable;
};

// The directory for the lock file: the user's runtime directory when `xdgRuntimeDir` names an
// absolute path, else "/tmp/halvane-<uid>", created private to the user. Empty when that
// fallback cannot be made or belongs to someone else.
std::string InstanceLockDirectory(std::string_view xdgRuntimeDir);

}  // namespace halvane
