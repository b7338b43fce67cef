#include "app/background_runner.h"

namespace halvane {

void ThreadRunner::Start(std::function<void()> work) {
  // The last piece has already reported back; at most its thread is still on its way out.
  Wait();
  worker_ = std::thread(std::move(work));
}

void ThreadRunner::Wait() {
  if (worker_.joinable())
    worker_.join();
}

std::unique_ptr<IBackgroundRunner> MakeThreadRunner() {
  return std::make_unique<ThreadRunner>();
}

std::unique_ptr<IBackgroundRunner> MakeInlineRunner() {
  return std::make_unique<InlineRunner>();
}

}  // namespace halvane
