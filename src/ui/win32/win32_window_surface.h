#pragma once
#include <windows.h>

#include <atomic>

#include "app/window_surface.h"

namespace halvane {

class FormNetrovaWindow;

// The form's view of the screen, on the Win32 window. Calls that come before the window is
// bound change nothing.
class Win32WindowSurface : public IMainWindowSurface {
 public:
  static constexpr const wchar_t* kCaption = L"Halvane";

  // Binds the window once it exists; null unbinds it before it goes.
  void Bind(FormNetrovaWindow* window);

  void SetAppCountText(const std::string& text) override;
  void SetNetCountText(const std::string& text) override;
  void ShowChecked(OptionBox box, bool checked) override;
  void SetRefreshEnabled(bool enabled) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  void SetTopmost(bool topmost) override;
  void SetColumnVisible(int column, bool visible) override;
  void ViewChanged() override;
  void FocusView() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text, MessageIcon icon, bool defaultNo) override;
  void ShowError(const std::string& text) override;
  // A ProcInfoWindow owned by the main window; null before the window is bound.
  std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) override;
  // From any thread: posted to the main window, which runs it between two messages (also inside
  // a dialog's or a menu's loop). Without a bound window the task is dropped.
  void PostToGuiThread(std::function<void()> task) override;

 private:
  FormNetrovaWindow* window_ = nullptr;
  std::atomic<HWND> postTarget_{nullptr};  // read by other threads
};

}  // namespace halvane
