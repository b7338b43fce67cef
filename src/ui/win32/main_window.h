#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/form_netrova.h"
#include "platform/windows/shell_icons.h"
#include "platform/windows/windows_app_services.h"
#include "ui/win32/connection_list_view.h"
#include "ui/win32/dpi_scale.h"
#include "ui/win32/pm_tree_menu.h"
#include "ui/win32/window_fonts.h"

namespace halvane {

// FormNetrova: the top panel with the counter sentence and the three link buttons, the
// connection view filling the middle and the bottom panel with the options and the command
// buttons. Every event of its controls goes to the form's handler through HandleEvent.
class FormNetrovaWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TFormNetrova";
  static constexpr const wchar_t* kCaption = L"Halvane V2.5(网络连接查看器)";
  static constexpr int kClientWidth = 746;
  static constexpr int kClientHeight = 433;
  static constexpr int kMinimumWidth = 672;
  static constexpr int kMinimumHeight = 200;
  static constexpr int kTopHeight = 34;
  static constexpr int kBottomHeight = 28;
  static constexpr UINT_PTR kTimer1 = 1;
  static constexpr const char* kMailAddress = "mailto:support@halvane.example";
  // Work posted from other threads (PostTask); the window runs it on its own thread.
  static constexpr UINT kRunPostedTask = WM_APP + 1;

  // The controls, by ID.
  enum ControlId : int {
    kPTop = 100,
    kPBottom,
    kVTS,
    kLabel1,
    kLabAppCount,
    kLabel3,
    kLabNetCount,
    kLabel5,
    kBTNHelp,
    kBTNHomePage,
    kBTNUpdate,
    kBTNRefresh,
    kBTNEndPro,
    kCBShowLocal,
    kCBAutoRefresh,
    kCBAlwaysTop,
    kCBShowInfo,
    kLabEmail,
    kLabMailLink,
  };

  FormNetrovaWindow(TFormNetrova& form, WindowsAppServices& services,
                    const SystemImageListStore& smallImages,
                    const SystemImageListStore& largeImages, const DpiScale& scale);
  ~FormNetrovaWindow();
  FormNetrovaWindow(const FormNetrovaWindow&) = delete;
  FormNetrovaWindow& operator=(const FormNetrovaWindow&) = delete;

  static bool RegisterClass(HINSTANCE instance, HICON bigIcon, HICON smallIcon);
  // Creates the window and its controls, not yet shown, stay-on-top, centred on the desktop.
  bool Create(HINSTANCE instance);
  HWND Handle() const { return window_; }
  // Tab navigation between the controls; true when the message was used for it.
  bool NavigationMessage(MSG& message);

  // What the surface changes.
  void SetCountText(int labelId, const std::string& text);
  void ShowChecked(OptionBox box, bool checked);
  void SetRefreshEnabled(bool enabled);
  void StartTimer(int intervalMs);
  void StopTimer();
  void SetTopmost(bool topmost);
  ConnectionListView& VTS() { return vts_; }
  // What the process details dialog takes from its owner.
  const WindowFonts& Fonts() const { return fonts_; }
  const DpiScale& Scale() const { return scale_; }
  const SystemImageListStore& LargeImages() const { return largeImages_; }
  HWND Control(int id) const { return GetDlgItem(Panel(id), id); }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Controls (main_window_controls.cpp)
  void CreateControls();
  HWND AddLabel(HWND panel, int id, const wchar_t* text, HFONT font);
  HWND AddButton(HWND panel, int id, const wchar_t* text, int glyph);
  HWND AddCheckBox(HWND panel, int id, const wchar_t* text, bool checked);
  void Layout();
  void LayoutSentence();
  HWND Panel(int id) const;
  LRESULT ControlColour(HDC dc, HWND control);

  void OnCommand(int id, int code);
  bool RowCommand(int id);
  LRESULT OnNotify(NMHDR* header);
  void OnClose();
  bool AskToClose();

  TFormNetrova& form_;
  WindowsAppServices& services_;
  const SystemImageListStore& smallImages_;
  const SystemImageListStore& largeImages_;
  DpiScale scale_;
  WindowFonts fonts_;
  PmTreeMenu menu_;
  ConnectionListView vts_;
  HWND window_ = nullptr;
  HWND top_ = nullptr;
  HWND bottom_ = nullptr;
  std::array<HIMAGELIST, 5> glyphs_{};
};

}  // namespace halvane
