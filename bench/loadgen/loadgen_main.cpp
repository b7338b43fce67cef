// halvane-loadgen: holds established TCP connections and bound UDP sockets on 127.0.0.0/8 so
// the connection tables can be measured at the size of a busy server.
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "loadgen/loadgen_options.h"
#include "loadgen/loopback_sockets.h"
#include "loadgen/wake_signals.h"
#include "loadgen/worker_pool.h"

namespace halvane::bench {
namespace {

constexpr long kSpareDescriptors = 32;
constexpr double kMaxSetupSeconds = 600;

// Standard input ends the hold when it is a pipe or terminal; /dev/null or a file does not.
bool WatchStandardInput() {
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0)
    return false;
  return S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || isatty(STDIN_FILENO);
}

enum class HoldEnd { kTimeUp, kInputClosed, kStopped, kWorkerDied };

HoldEnd Hold(double seconds, int wakeFd, WorkerPool& pool) {
  const bool watchInput = WatchStandardInput();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      return HoldEnd::kTimeUp;
    pollfd waits[2] = {{wakeFd, POLLIN, 0}, {watchInput ? STDIN_FILENO : -1, POLLIN, 0}};
    if (poll(waits, 2, static_cast<int>(left.count())) < 0 && errno != EINTR)
      return HoldEnd::kStopped;
    if (waits[0].revents != 0) {
      char bytes[64];
      for (ssize_t n; (n = read(wakeFd, bytes, sizeof bytes)) > 0;)
        for (ssize_t i = 0; i < n; ++i)
          if (IsStopSignal(bytes[i]))
            return HoldEnd::kStopped;
      if (!pool.AllAlive())
        return HoldEnd::kWorkerDied;
    }
    if (waits[1].revents != 0) {
      char bytes[256];
      const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
      if (n == 0 || (n < 0 && errno != EINTR))
        return HoldEnd::kInputClosed;
    }
  }
}

// The number of workers: the one asked for, or as few as the open-file limit allows.
long ChooseWorkers(const LoadgenOptions& options, long perProcess, std::string& error) {
  const long needed = WorkersNeeded(options.tcp, options.udp, options.listeners, perProcess);
  if (options.procs == 0)
    return needed;
  if (options.procs < needed)
    error = "--procs " + std::to_string(options.procs) + " is too few: each process may hold " +
            std::to_string(perProcess) + " descriptors, so at least " + std::to_string(needed) +
            " are needed";
  return options.procs;
}

int Run(const LoadgenOptions& options) {
  const long perProcess = RaiseOpenFileLimit() - kSpareDescriptors;
  std::string error;
  const long workers = ChooseWorkers(options, perProcess, error);
  if (!error.empty()) {
    std::fprintf(stderr, "halvane-loadgen: %s\n", error.c_str());
    return 2;
  }
  const int wakeFd = InstallWakeSignals();
  if (wakeFd < 0)
    return 1;
  WorkerPool pool;
  if (!pool.Start(SplitLoad(options.tcp, options.udp, workers), options, wakeFd)) {
    std::perror("halvane-loadgen: fork");
    return 1;
  }
  const WaitResult ready = pool.AwaitReady(wakeFd, kMaxSetupSeconds);
  if (ready != WaitResult::kReady) {
    std::fprintf(stderr, "halvane-loadgen: %s\n",
                 ready == WaitResult::kStopped    ? "stopped before the load was open"
                 : ready == WaitResult::kTimedOut ? "the load took too long to open"
                                                  : "a worker failed to open its share");
    return ready == WaitResult::kStopped ? 0 : 1;
  }
  std::fprintf(stderr,
               "halvane-loadgen: %ld TCP connections (%ld sockets) and %ld UDP sockets on "
               "127.0.0.1-127.0.0.%d in %ld processes, held for at most %g s\n",
               options.tcp, 2 * options.tcp, options.udp, options.addresses, workers,
               options.holdSeconds);
  std::printf("ready\n");
  std::fflush(stdout);
  const HoldEnd end = Hold(options.holdSeconds, wakeFd, pool);
  pool.Release();
  std::fprintf(stderr, "halvane-loadgen: released\n");
  if (end == HoldEnd::kWorkerDied) {
    std::fprintf(stderr, "halvane-loadgen: a worker ended early\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace halvane::bench

int main(int argc, char** argv) {
  using namespace halvane::bench;
  const LoadgenParse parse = ParseLoadgenOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parse.error.empty()) {
    std::fprintf(stderr, "halvane-loadgen: %s\n%s", parse.error.c_str(), kLoadgenUsage);
    return 2;
  }
  if (parse.options.help) {
    std::fputs(kLoadgenUsage, stdout);
    return 0;
  }
  return Run(parse.options);
}
