#include "loadgen/worker_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "loadgen/loopback_sockets.h"
#include "loadgen/wake_signals.h"

namespace halvane::bench {
namespace {

void SilenceStandardStreams() {
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull < 0)
    return;
  dup2(devNull, STDIN_FILENO);
  dup2(devNull, STDOUT_FILENO);
  close(devNull);
}

[[noreturn]] void RunWorker(int index, const WorkerShare& share, const LoadgenOptions& options,
                            pid_t parent, int readyFd, int wakeFd) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent)
    std::_Exit(1);  // the parent ended before the line above
  ResetWakeSignals();
  close(wakeFd);
  SilenceStandardStreams();
  LoopbackLoad load(index, options.addresses, options.listeners);
  const std::string error = load.Open(share);
  if (!error.empty()) {
    std::fprintf(stderr, "halvane-loadgen: worker %d: %s\n", index, error.c_str());
    std::_Exit(1);
  }
  const char ready = 'R';
  if (write(readyFd, &ready, 1) != 1)
    std::_Exit(1);
  close(readyFd);
  for (;;)
    pause();  // SIGTERM or the parent's death ends the worker; the kernel closes all
}

// Drains the wake pipe; true when a stop signal was among the bytes.
bool StopRequested(int wakeFd) {
  bool stop = false;
  char bytes[64];
  for (ssize_t n; (n = read(wakeFd, bytes, sizeof bytes)) > 0;)
    for (ssize_t i = 0; i < n; ++i)
      stop = stop || IsStopSignal(bytes[i]);
  return stop;
}

}  // namespace

bool WorkerPool::Start(const std::vector<WorkerShare>& shares, const LoadgenOptions& options,
                       int wakeFd) {
  const pid_t parent = getpid();
  for (std::size_t i = 0; i < shares.size(); ++i) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
      return false;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      RunWorker(static_cast<int>(i), shares[i], options, parent, fds[1], wakeFd);
    }
    close(fds[1]);
    if (pid < 0) {
      close(fds[0]);
      return false;
    }
    pids_.push_back(pid);
    readyFds_.push_back(fds[0]);
  }
  return true;
}

WaitResult WorkerPool::AwaitReady(int wakeFd, double maxSeconds) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(maxSeconds);
  std::size_t ready = 0;
  while (ready < readyFds_.size()) {
    std::vector<pollfd> waits{{wakeFd, POLLIN, 0}};
    for (int fd : readyFds_)
      if (fd >= 0)
        waits.push_back({fd, POLLIN, 0});
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      return WaitResult::kTimedOut;
    if (poll(waits.data(), waits.size(), static_cast<int>(left.count())) < 0 && errno != EINTR)
      return WaitResult::kWorkerFailed;
    if (waits[0].revents != 0 && StopRequested(wakeFd))
      return WaitResult::kStopped;
    for (int& fd : readyFds_) {
      if (fd < 0)
        continue;
      pollfd probe{fd, POLLIN, 0};
      if (poll(&probe, 1, 0) <= 0)
        continue;
      char byte = 0;
      const ssize_t n = read(fd, &byte, 1);
      if (n < 0 && errno == EINTR)
        continue;
      if (n != 1 || byte != 'R')
        return WaitResult::kWorkerFailed;
      close(fd);
      fd = -1;
      ++ready;
    }
  }
  return WaitResult::kReady;
}

bool WorkerPool::AllAlive() {
  for (pid_t pid : pids_) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != 0)
      return false;
  }
  return true;
}

void WorkerPool::Release() {
  for (pid_t pid : pids_)
    kill(pid, SIGTERM);
  for (pid_t pid : pids_)
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  pids_.clear();
  for (int fd : readyFds_)
    if (fd >= 0)
      close(fd);
  readyFds_.clear();
}

}  // namespace halvane::bench
