#pragma once
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace halvane::bench {

// The measured side of RunGuarded: tells the waiting parent when a step begins and ends.
// Every line it sends restarts the parent's clock, so each step gets the whole limit.
class StepReporter {
 public:
  explicit StepReporter(int fd) : fd_(fd) {}

  void Begin(const std::string& step);
  void End(const std::string& step, double seconds);
  // A value worth printing beside the timings, such as a row count.
  void Fact(const std::string& key, const std::string& value);

  // Runs `work` as one timed run of `step`.
  template <class Work>
  void Timed(const std::string& step, Work&& work) {
    Begin(step);
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    End(step, took.count());
  }

 private:
  void Send(const std::string& line);
  int fd_;
};

struct GuardedOutcome {
  std::map<std::string, std::vector<double>> runs;  // seconds of each finished run, by step
  std::map<std::string, std::string> facts;
  std::string overrunStep;  // the step that outlasted the limit; empty when none did
  bool failed = false;      // the child crashed or exited with an error
  long peakRssKb = 0;       // the child's peak resident set

  bool Finished(const std::string& step) const { return runs.count(step) != 0; }
};

// Runs `body` in a forked child and collects its reports. When the child sends nothing for
// `maxSecondsPerStep` seconds it is killed: a run that slow is not worth waiting for, and
// the step it was in counts as overrun.
GuardedOutcome RunGuarded(const std::function<void(StepReporter&)>& body, double maxSecondsPerStep);

}  // namespace halvane::bench
