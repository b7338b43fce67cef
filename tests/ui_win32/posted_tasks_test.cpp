// Work posted from other threads runs on the window's thread, from its message queue.
#include "ui/win32/posted_tasks.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace halvane {
namespace {

constexpr UINT kTaskMessage = WM_APP + 7;

// A message-only window that runs the tasks posted to it.
class TaskWindow {
 public:
  TaskWindow() {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"HalvaneTaskWindow";
    RegisterClassExW(&type);
    window_ = CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              type.hInstance, nullptr);
  }
  ~TaskWindow() {
    if (IsWindow(window_))
      DestroyWindow(window_);
  }
  TaskWindow(const TaskWindow&) = delete;
  TaskWindow& operator=(const TaskWindow&) = delete;
  HWND Handle() const { return window_; }

  // Handles what the queue holds now; how many messages that were.
  static int Pump() {
    int handled = 0;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT)
        break;
      DispatchMessageW(&message);
      ++handled;
    }
    return handled;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTaskMessage) {
      RunPostedTask(lParam);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
};

TEST(PostedTasksTest, ATaskPostedFromAWorkerRunsOnTheWindowsThreadInOrder) {
  const TaskWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  std::vector<DWORD> ranOn;
  std::vector<int> order;
  std::thread worker([&] {
    for (int number = 1; number <= 3; ++number) {
      EXPECT_TRUE(PostTask(window.Handle(), kTaskMessage, [&, number] {
        ranOn.push_back(GetCurrentThreadId());
        order.push_back(number);
      }));
    }
  });
  worker.join();
  EXPECT_TRUE(order.empty()) << "a task ran before the window's queue was handled";
  TaskWindow::Pump();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  for (const DWORD thread : ranOn)
    EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST(PostedTasksTest, ATaskForNoWindowIsDroppedAndFreed) {
  auto held = std::make_shared<int>(0);
  HWND gone = nullptr;
  {
    const TaskWindow window;
    gone = window.Handle();
  }
  for (const HWND target : {HWND{nullptr}, gone}) {
    EXPECT_FALSE(PostTask(target, kTaskMessage, [held] { ++*held; }));
    EXPECT_EQ(held.use_count(), 1) << "the dropped task was not freed";
  }
  TaskWindow::Pump();
  EXPECT_EQ(*held, 0);
}

TEST(PostedTasksTest, TasksStillQueuedForAGoingWindowAreFreedUnrun) {
  const TaskWindow window;
  auto held = std::make_shared<int>(0);
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(PostTask(window.Handle(), kTaskMessage, [held] { ++*held; }));
  EXPECT_EQ(DiscardPostedTasks(window.Handle(), kTaskMessage), 3);
  EXPECT_EQ(held.use_count(), 1);
  TaskWindow::Pump();
  EXPECT_EQ(*held, 0);
}

// The window goes while its thread's loop is ending: the quit message must survive the
// discarding, whatever the system's filter does with it.
TEST(PostedTasksTest, DiscardingLeavesTheQuitMessageForTheLoop) {
  const TaskWindow window;
  auto held = std::make_shared<int>(0);
  ASSERT_TRUE(PostTask(window.Handle(), kTaskMessage, [held] { ++*held; }));
  PostQuitMessage(5);
  DiscardPostedTasks(window.Handle(), kTaskMessage);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_EQ(held.use_count(), 1);
  EXPECT_EQ(*held, 0);
}

}  // namespace
}  // namespace halvane
