#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/app_services.h"
#include "app/proc_info_surface.h"
#include "app/window_surface.h"

namespace halvane {

// What happens to a window when it closes.
enum class CloseAction { None, Hide, Free, Minimize };

// The process details dialog, apart from any toolkit: it shows what its creator put into it and
// holds copies of those texts, so a refresh of the list underneath cannot change them.
class TFormProcInfo {
 public:
  static constexpr const char* kCaption = "进程详细信息";
  static constexpr int kClientWidth = 425;
  static constexpr int kClientHeight = 237;
  static constexpr int kIconLeft = 1;  // where the program icon goes on Image1's picture
  static constexpr int kIconTop = 1;

  // `owner` is the main window's screen: it makes the dialog's own screen and shows the errors
  // of the dialog's events.
  TFormProcInfo(IMainWindowSurface& owner, IAppServices& services);
  TFormProcInfo(const TFormProcInfo&) = delete;
  TFormProcInfo& operator=(const TFormProcInfo&) = delete;

  // Filling, as the creator does it.
  void SetLabExeCaption(const std::string& caption);
  void SetLabExeDesCaption(const std::string& caption);
  void SetLabPIDCaption(const std::string& caption);
  void SetLabcompCaption(const std::string& caption);
  void SetEPathText(const std::string& text);
  // Draws image `largeIconIndex` of the 32 x 32 list at (1, 1) of Image1's picture.
  void DrawIcon(int largeIconIndex);
  // Returns once the dialog has closed; the caller frees it then, as its close action says.
  void ShowModal();

  // Events of the dialog; each goes through HandleEvent from the front end.
  void HandleEvent(const std::function<void()>& handler);
  void LabLocateClick();
  void BTNOKClick();
  void FormClose(CloseAction& action);

  const std::string& LabExe() const { return LabExe_; }
  const std::string& LabExeDes() const { return LabExeDes_; }
  const std::string& LabPID() const { return LabPID_; }
  const std::string& Labcomp() const { return Labcomp_; }
  const std::string& EPath() const { return EPath_; }
  int IconIndex() const { return iconIndex_; }
  bool HasSurface() const { return surface_ != nullptr; }

 private:
  void SetLabel(ProcInfoLabel label, std::string& field, const std::string& caption);

  IMainWindowSurface& owner_;
  IAppServices& services_;
  std::string LabExe_;
  std::string LabExeDes_;
  std::string LabPID_;
  std::string Labcomp_;
  std::string EPath_;
  int iconIndex_ = -1;
  std::unique_ptr<IProcInfoSurface> surface_;  // made last: it may read the fields above
};

}  // namespace halvane
