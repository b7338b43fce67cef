#include "ui/win32/posted_tasks.h"

#include <memory>

namespace halvane {

using Task = std::function<void()>;

bool PostTask(HWND target, UINT message, Task task) {
  auto parcel = std::make_unique<Task>(std::move(task));
  if (target == nullptr ||
      !PostMessageW(target, message, 0, reinterpret_cast<LPARAM>(parcel.get())))
    return false;
  parcel.release();  // the receiving window frees it
  return true;
}

void RunPostedTask(LPARAM parcel) {
  const std::unique_ptr<Task> task(reinterpret_cast<Task*>(parcel));
  if (task && *task)
    (*task)();
}

int DiscardPostedTasks(HWND target, UINT message) {
  int discarded = 0;
  MSG queued{};
  while (PeekMessageW(&queued, target, message, message, PM_REMOVE)) {
    if (queued.message == WM_QUIT) {
      // Some systems hand out the quit message whatever the filter: it goes back for the loop.
      PostQuitMessage(static_cast<int>(queued.wParam));
      break;
    }
    if (queued.message == message) {
      delete reinterpret_cast<Task*>(queued.lParam);
      ++discarded;
    }
  }
  return discarded;
}

}  // namespace halvane
