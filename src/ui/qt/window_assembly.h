#pragma once
#include "app/form_netrova.h"
#include "ui/qt/icon_backends.h"
#include "ui/qt/linux_app_services.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_surface.h"

namespace halvane {

// The main window with everything it stands on, put together as the program runs it: the
// desktop's icons, the running system's services, the form reading on a thread of its own, and
// the Qt window bound to the form's surface. FormCreate is left to the caller.
class HalvaneWindowAssembly {
 public:
  HalvaneWindowAssembly();
  ~HalvaneWindowAssembly();
  HalvaneWindowAssembly(const HalvaneWindowAssembly&) = delete;
  HalvaneWindowAssembly& operator=(const HalvaneWindowAssembly&) = delete;

  TFormNetrova& Form() { return form_; }
  FormNetrovaWindow& Window() { return window_; }

 private:
  IconNameRegistry iconNames_;
  DesktopSystemIcons systemIcons_;
  PixmapImageStore smallImages_;
  PixmapImageStore largeImages_;
  LinuxAppServices services_;
  QtWindowSurface surface_;
  TFormNetrova form_;
  FormNetrovaWindow window_;
};

}  // namespace halvane
