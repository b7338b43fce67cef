#pragma once
#include <deque>
#include <functional>

#include "app/background_runner.h"

namespace halvane::fakes {

// Runs the work on the test's own thread: at once (the default), or, with `runAtOnce` off, only
// when the test calls RunStarted, so that the test can look at the window between the start of
// a read and its end. Waiting runs what is still queued, as a thread would finish it.
class FakeBackgroundRunner : public IBackgroundRunner {
 public:
  void Start(std::function<void()> work) override {
    ++started;
    if (runAtOnce) {
      work();
    } else {
      queued_.push_back(std::move(work));
    }
  }
  void Wait() override { RunStarted(); }

  // Runs the work queued so far; returns how many pieces ran.
  int RunStarted() {
    int ran = 0;
    while (!queued_.empty()) {
      std::function<void()> work = std::move(queued_.front());
      queued_.pop_front();
      work();
      ++ran;
    }
    return ran;
  }
  std::size_t Queued() const { return queued_.size(); }

  bool runAtOnce = true;
  int started = 0;

 private:
  std::deque<std::function<void()>> queued_;
};

}  // namespace halvane::fakes
