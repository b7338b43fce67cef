#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "app/form_proc_info.h"
#include "app/proc_info_surface.h"
#include "platform/windows/shell_icons.h"
#include "ui/win32/dpi_scale.h"
#include "ui/win32/styled_button.h"
#include "ui/win32/window_fonts.h"

namespace halvane {

// TFormProcInfo on the screen: a modal dialog of fixed size whose controls lie at their places
// on one panel, Panel1. It keeps what the form puts into it (texts and Image1's picture) and
// shows it once the dialog exists; its clicks and its closing go to the form.
class ProcInfoWindow : public IProcInfoSurface {
 public:
  enum ControlId : int {
    kPanel1 = 300,
    kImage1,
    kLabExe,
    kLabExeDes,
    kLabPID,
    kLabcomp,
    kShape1,
    kLabel5,
    kEPath,
    kLabLocate,
    kShape2,
    kBTNOK,
  };
  static constexpr COLORREF kLineColour = RGB(196, 211, 219);
  static constexpr COLORREF kPathColour = RGB(235, 235, 235);
  static constexpr COLORREF kLinkColour = RGB(0, 0, 255);
  static constexpr ButtonColours kOkColours{RGB(209, 218, 238), RGB(106, 141, 244),
                                            RGB(255, 199, 60)};
  static constexpr int kPictureSize = 32;  // Image1 and its picture

  // `owner` is the main window (may be null); `largeImages` holds the 32 x 32 icons.
  ProcInfoWindow(TFormProcInfo& form, HWND owner, const WindowFonts& fonts, const DpiScale& scale,
                 const SystemImageListStore& largeImages);
  ~ProcInfoWindow() override;
  ProcInfoWindow(const ProcInfoWindow&) = delete;
  ProcInfoWindow& operator=(const ProcInfoWindow&) = delete;

  void SetLabelCaption(ProcInfoLabel label, const std::string& caption) override;
  void SetPathText(const std::string& text) override;
  void DrawLargeIcon(int largeIconIndex, int x, int y) override;
  void ShowModal() override;
  void Close() override;

  // The dialog while it is shown, else null.
  HWND Handle() const { return dialog_; }
  HWND Control(int id) const;
  // Image1's picture: Image1's size, the panel's colour where nothing was drawn.
  HBITMAP Picture() const { return picture_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnClose();

  // Controls (proc_info_controls.cpp)
  void PlaceDialog();
  void CreateControls();
  HWND AddStatic(int id, const wchar_t* text, DWORD style, HFONT font, const RECT& place);
  void ShowLabel(ProcInfoLabel label);
  INT_PTR ControlColour(HDC dc, HWND control) const;
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

  TFormProcInfo& form_;
  HWND owner_;
  const WindowFonts& fonts_;
  DpiScale scale_;
  const SystemImageListStore& largeImages_;
  std::array<std::wstring, 4> captions_;  // by ProcInfoLabel
  std::wstring path_;
  HBITMAP picture_ = nullptr;
  HBRUSH lineBrush_;
  HBRUSH pathBrush_;
  StyledButton ok_;
  HWND dialog_ = nullptr;
  HWND panel_ = nullptr;
};

}  // namespace halvane
