#include "platform/linux/process_terminate.h"

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include "platform/linux/program_path.h"

namespace halvane {

namespace {

// A pidfd, closed when it goes.
class PidFd {
 public:
  explicit PidFd(std::uint32_t pid) {
    if (pid != 0 && pid <= static_cast<std::uint32_t>(INT_MAX))
      fd_ = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0U));
  }
  ~PidFd() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  PidFd(const PidFd&) = delete;
  PidFd& operator=(const PidFd&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  bool SendKill() const { return ::syscall(SYS_pidfd_send_signal, fd_, SIGKILL, nullptr, 0U) == 0; }

  // A pidfd becomes readable once its process has ended and released what it held.
  void WaitForExit(std::chrono::milliseconds limit) const {
    pollfd watch{fd_, POLLIN, 0};
    const int timeout = static_cast<int>(std::min<long long>(limit.count(), INT_MAX));
    while (::poll(&watch, 1, timeout) < 0 && errno == EINTR) {
    }
  }

 private:
  int fd_ = -1;
};

}  // namespace

KillOutcome KillProcessRunning(std::uint32_t pid, const std::string& expectedProgram,
                               std::chrono::milliseconds exitWait,
                               const std::filesystem::path& procRoot) {
  const PidFd process(pid);
  if (!process.IsOpen())
    return KillOutcome::CannotOpen;
  // Read while the pidfd holds the process: should the PID be given to another process after
  // this, the signal still goes to the held one, or nowhere.
  const std::string running = ReadProgramPath(procRoot, pid);
  if (running.empty() || running != expectedProgram)
    return KillOutcome::ProgramChanged;
  if (process.SendKill() && exitWait.count() > 0)
    process.WaitForExit(exitWait);
  return KillOutcome::Signalled;
}

}  // namespace halvane
