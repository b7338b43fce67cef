#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "loadgen/loadgen_options.h"

namespace halvane::bench {

enum class WaitResult { kReady, kWorkerFailed, kStopped, kTimedOut };

// The forked workers that hold the load. Each dies with the parent (PR_SET_PDEATHSIG).
class WorkerPool {
 public:
  WorkerPool() = default;
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;
  ~WorkerPool() { Release(); }

  // Forks one worker per share; each opens its sockets and reports on its own pipe.
  bool Start(const std::vector<WorkerShare>& shares, const LoadgenOptions& options, int wakeFd);
  // Waits until every worker holds its share, a worker fails, or a stop signal arrives.
  WaitResult AwaitReady(int wakeFd, double maxSeconds);
  // True while no worker has ended.
  bool AllAlive();
  // Ends every worker and waits for it.
  void Release();

 private:
  std::vector<pid_t> pids_;
  std::vector<int> readyFds_;
};

}  // namespace halvane::bench
