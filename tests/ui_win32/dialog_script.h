#pragma once
// A modal dialog driven by a test from inside its own message loop, and a main window's screen
// whose details dialogs are the Win32 ones.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "fakes/app_fakes.h"
#include "ui/win32/proc_info_window.h"

namespace halvane::testing_win32 {

// Stands in for the main window: the dialog's owner. Each time the dialog's loop has nothing to
// do, the owner hears of it (WM_ENTERIDLE) and runs the next step of the test with the dialog.
// Once the steps are done a dialog still open is closed, so that a failing test ends.
class ScriptedOwner {
 public:
  using Step = std::function<void(HWND dialog)>;

  ScriptedOwner() {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    type.lpszClassName = L"HalvaneTestOwner";
    RegisterClassExW(&type);
    window_ = CreateWindowExW(0, type.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              150, 80, 700, 420, nullptr, nullptr, type.hInstance, this);
  }
  ~ScriptedOwner() { DestroyWindow(window_); }
  ScriptedOwner(const ScriptedOwner&) = delete;
  ScriptedOwner& operator=(const ScriptedOwner&) = delete;

  HWND Handle() const { return window_; }
  void Script(std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    leftOpen_ = false;
  }
  bool LeftOpen() const { return leftOpen_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ScriptedOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && self != nullptr)
      self->Idle(reinterpret_cast<HWND>(lParam));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // The loop waits for a message after this: one is posted behind what the step posted, so
  // that the loop comes back here once the step's doings are handled.
  void Idle(HWND dialog) {
    if (next_ < steps_.size()) {
      steps_[next_++](dialog);
    } else if (!leftOpen_) {
      leftOpen_ = true;
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    PostMessageW(dialog, WM_NULL, 0, 0);
  }

  HWND window_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool leftOpen_ = false;
};

// The main window's screen, whose details dialogs are ProcInfoWindows owned by `owner`.
class DialogSurface : public fakes::FakeWindowSurface {
 public:
  DialogSurface(fakes::CallLog& log, HWND owner, const WindowFonts& fonts, const DpiScale& scale,
                const SystemImageListStore& largeImages)
      : FakeWindowSurface(log),
        owner_(owner),
        fonts_(fonts),
        scale_(scale),
        largeImages_(largeImages) {}
  std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) override {
    auto window = std::make_unique<ProcInfoWindow>(dialog, owner_, fonts_, scale_, largeImages_);
    last = window.get();
    return window;
  }
  ProcInfoWindow* last = nullptr;

 private:
  HWND owner_;
  const WindowFonts& fonts_;
  DpiScale scale_;
  const SystemImageListStore& largeImages_;
};

}  // namespace halvane::testing_win32
