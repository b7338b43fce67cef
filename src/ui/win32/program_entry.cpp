#include "ui/win32/program_entry.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/app_urls.h"
#include "app/form_netrova.h"
#include "platform/windows/instance_mutex.h"
#include "platform/windows/shell_icons.h"
#include "platform/windows/windows_app_services.h"
#include "ui/win32/dpi_scale.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_window_surface.h"

namespace halvane {
namespace {

constexpr const char* kApplicationTitle = "Halvane";
constexpr int kProgramIconId = 1;

// COM in a single-threaded apartment for the shell, for as long as the program runs.
class ComApartment {
 public:
  ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (started_)
      CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool started_;
};

HICON ProgramIcon(HINSTANCE instance, int metricX, int metricY) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                       GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

int MessageLoop(FormNetrovaWindow& window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.NavigationMessage(message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunMainWindow(HINSTANCE instance) {
  const DpiScale scale = DpiScale::ForSystem();
  ShellSystemIcons systemIcons;
  SystemImageListStore smallImages;
  SystemImageListStore largeImages;
  WindowsAppServices services;
  Win32WindowSurface surface;
  // Refreshes read the tables on a thread of their own and post the merge back to the window.
  // The debug privilege that FormCreate enables belongs to the process, so that thread has it.
  TFormNetrova form(surface, services, IconBackends{systemIcons, smallImages, largeImages},
                    DefaultHomeUrl(), DefaultUpdateUrl(), MakeThreadRunner());
  FormNetrovaWindow window(form, services, smallImages, largeImages, scale);
  if (!FormNetrovaWindow::RegisterClass(instance, ProgramIcon(instance, SM_CXICON, SM_CYICON),
                                        ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)) ||
      !window.Create(instance))
    return 1;
  services.SetOwnerWindow(window.Handle());
  surface.Bind(&window);

  form.FormCreate();  // the first picture of the window already shows the filled list
  ShowWindow(window.Handle(), SW_SHOWNORMAL);
  UpdateWindow(window.Handle());
  const int code = MessageLoop(window);
  surface.Bind(nullptr);
  return code;
}

}  // namespace

int RunHalvane(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  const ComApartment com;

  const InstanceMutex guard(kApplicationTitle);
  if (guard.AnotherCopyRuns()) {
    MessageBoxW(nullptr, L"The program already start", L"Halvane", MB_OK);
    return 0;
  }
  return RunMainWindow(instance);
}

}  // namespace halvane
