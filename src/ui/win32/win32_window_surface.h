#pragma once
#include "app/window_surface.h"

namespace halvane {

class FormNetrovaWindow;

// The form's view of the screen, on the Win32 window. Calls that come before the window is
// bound change nothing.
class Win32WindowSurface : public IMainWindowSurface {
 public:
  static constexpr const wchar_t* kCaption = L"Halvane";

  void Bind(FormNetrovaWindow* window) { window_ = window; }

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

 private:
  FormNetrovaWindow* window_ = nullptr;
};

}  // namespace halvane
