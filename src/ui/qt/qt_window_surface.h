#pragma once
#include "app/window_surface.h"

namespace halvane {

class FormNetrovaWindow;
class PixmapImageStore;

// The form's view of the screen, on the Qt window. Calls that come before the window is bound
// only change what the window will show once it exists: nothing.
class QtWindowSurface : public IMainWindowSurface {
 public:
  static constexpr const char* kCaption = "Halvane";

  void Bind(FormNetrovaWindow* window) { window_ = window; }
  // The 32 x 32 icons the details dialog draws from.
  void UseLargeImages(const PixmapImageStore* images) { largeImages_ = images; }

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
  std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) override;
  // Queued to the application object, so it runs from the message loop of the GUI thread.
  void PostToGuiThread(std::function<void()> task) override;

 private:
  FormNetrovaWindow* window_ = nullptr;
  const PixmapImageStore* largeImages_ = nullptr;
};

}  // namespace halvane
