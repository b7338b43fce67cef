#include "common/timed_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace halvane::bench {
namespace {

// Runs between fork and exec, so it only makes system calls: the argument array is built
// before the fork.
[[noreturn]] void ExecQuietly(char* const* args) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
  }
  execvp(args[0], args);
  std::_Exit(127);
}

// Waits for the child to end, at most `maxSeconds`; false when it is still running.
bool AwaitExit(pid_t child, double maxSeconds) {
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  if (pidfd < 0)
    return true;  // wait4 below still waits, only without the limit
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(maxSeconds);
  bool ended = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      break;
    pollfd wait{pidfd, POLLIN, 0};
    const int ready = poll(&wait, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR)
      continue;
    ended = ready > 0;
    break;
  }
  close(pidfd);
  return ended;
}

}  // namespace

ProcessRun RunTimedProcess(const std::vector<std::string>& argv, double maxSeconds) {
  ProcessRun run;
  if (argv.empty()) {
    run.failed = true;
    return run;
  }
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::fflush(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0)
    ExecQuietly(args.data());
  if (child < 0) {
    run.failed = true;
    return run;
  }
  if (!AwaitExit(child, maxSeconds)) {
    kill(child, SIGKILL);
    run.overran = true;
  }
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  run.seconds = took.count();
  run.peakRssKb = usage.ru_maxrss;
  if (!run.overran && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    run.failed = true;
  return run;
}

}  // namespace halvane::bench
