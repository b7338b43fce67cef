#pragma once
#include <functional>
#include <memory>
#include <thread>

namespace halvane {

// Runs work away from the GUI thread, one piece at a time. The work reports back through the
// window's surface (IMainWindowSurface::PostToGuiThread); the runner only starts and waits.
class IBackgroundRunner {
 public:
  virtual ~IBackgroundRunner() = default;
  // Starts `work` and returns; `work` lets no error escape. Called only once the work started
  // before has reported back.
  virtual void Start(std::function<void()> work) = 0;
  // Returns once the work started so far has ended.
  virtual void Wait() = 0;
};

// A fresh thread for each piece of work. A thread inherits what the creating thread holds at
// that moment (on Linux the raised capabilities), so the first one must start after the window
// raised them at creation.
class ThreadRunner : public IBackgroundRunner {
 public:
  ThreadRunner() = default;
  ThreadRunner(const ThreadRunner&) = delete;
  ThreadRunner& operator=(const ThreadRunner&) = delete;
  ~ThreadRunner() override { Wait(); }

  void Start(std::function<void()> work) override;
  void Wait() override;

 private:
  std::thread worker_;
};

// Runs the work at once, on the calling thread: for front ends that have no way yet to hand a
// result back to their GUI thread.
class InlineRunner : public IBackgroundRunner {
 public:
  void Start(std::function<void()> work) override { work(); }
  void Wait() override {}
};

std::unique_ptr<IBackgroundRunner> MakeThreadRunner();
std::unique_ptr<IBackgroundRunner> MakeInlineRunner();

}  // namespace halvane
