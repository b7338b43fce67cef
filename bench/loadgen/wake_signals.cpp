#include "loadgen/wake_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace halvane::bench {
namespace {

int wakeWriteFd = -1;
constexpr int kWakeSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGCHLD};

void OnSignal(int signal) {
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t n = write(wakeWriteFd, &byte, 1);
  errno = saved;
}

}  // namespace

int InstallWakeSignals() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
    return -1;
  wakeWriteFd = fds[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : kWakeSignals)
    sigaction(signal, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  return fds[0];
}

void ResetWakeSignals() {
  for (int signal : kWakeSignals)
    ::signal(signal, SIG_DFL);
  ::signal(SIGPIPE, SIG_DFL);
}

bool IsStopSignal(int signal) {
  return signal == SIGTERM || signal == SIGINT || signal == SIGHUP;
}

}  // namespace halvane::bench
