// The controls of the process details dialog, their places and their looks.
#include "ui/win32/proc_info_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/panel_window.h"

namespace halvane {
namespace {

constexpr int kClientWidth = TFormProcInfo::kClientWidth;
constexpr int kClientHeight = TFormProcInfo::kClientHeight;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;

struct Place {
  int left, top, width, height;
};
// The labels sized to their texts: their top-left corners.
constexpr Place kLabExePlace{80, 16, 0, 0};
constexpr Place kLabExeDesPlace{80, 45, 0, 0};
constexpr Place kLabPIDPlace{80, 69, 0, 0};
constexpr Place kLabcompPlace{80, 91, 0, 0};
constexpr Place kImage1Place{16, 16, ProcInfoWindow::kPictureSize, ProcInfoWindow::kPictureSize};
constexpr Place kShape1Place{8, 114, 409, 1};
constexpr Place kLabel5Place{10, 121, 54, 14};
constexpr Place kEPathPlace{8, 140, 409, 20};
constexpr Place kLabLocatePlace{12, 179, 48, 14};
constexpr Place kShape2Place{8, 198, 409, 1};
constexpr Place kBTNOKPlace{321, 202, 97, 26};

constexpr int LabelId(ProcInfoLabel label) {
  switch (label) {
    case ProcInfoLabel::LabExe:
      return ProcInfoWindow::kLabExe;
    case ProcInfoLabel::LabExeDes:
      return ProcInfoWindow::kLabExeDes;
    case ProcInfoLabel::LabPID:
      return ProcInfoWindow::kLabPID;
    case ProcInfoLabel::Labcomp:
      break;
  }
  return ProcInfoWindow::kLabcomp;
}

constexpr Place LabelPlace(ProcInfoLabel label) {
  switch (label) {
    case ProcInfoLabel::LabExe:
      return kLabExePlace;
    case ProcInfoLabel::LabExeDes:
      return kLabExeDesPlace;
    case ProcInfoLabel::LabPID:
      return kLabPIDPlace;
    case ProcInfoLabel::Labcomp:
      break;
  }
  return kLabcompPlace;
}

constexpr ProcInfoLabel kLabels[] = {ProcInfoLabel::LabExe, ProcInfoLabel::LabExeDes,
                                     ProcInfoLabel::LabPID, ProcInfoLabel::Labcomp};

}  // namespace

// The client area at its size, the dialog centred on the main window and kept on its screen.
void ProcInfoWindow::PlaceDialog() {
  RECT frame{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT work = monitor.rcWork;
  RECT around = work;
  if (owner_ != nullptr)
    GetWindowRect(owner_, &around);
  const int left = std::clamp<int>(around.left + ((around.right - around.left) - width) / 2,
                                   work.left, std::max<int>(work.left, work.right - width));
  const int top = std::clamp<int>(around.top + ((around.bottom - around.top) - height) / 2,
                                  work.top, std::max<int>(work.top, work.bottom - height));
  SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ProcInfoWindow::AddStatic(int id, const wchar_t* text, DWORD style, HFONT font,
                               const RECT& place) {
  const HWND control =
      CreateWindowExW(0, L"STATIC", text, style, place.left, place.top, place.right - place.left,
                      place.bottom - place.top, panel_, reinterpret_cast<HMENU>(INT_PTR{id}),
                      GetModuleHandleW(nullptr), nullptr);
  if (font != nullptr)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// BTNOK is made first and EPath after it: the tab order follows the order of making.
void ProcInfoWindow::CreateControls() {
  PanelWindow::RegisterClass(GetModuleHandleW(nullptr));
  panel_ = PanelWindow::Create(dialog_, L"Panel1", kPanel1);
  MoveWindow(panel_, 0, 0, scale_(kClientWidth), scale_(kClientHeight), FALSE);
  const auto area = [this](const Place& place) {
    return scale_.Rect(place.left, place.top, place.width, place.height);
  };

  ok_.Create(panel_, kBTNOK, L"确定", fonts_.Normal(), area(kBTNOKPlace));
  AddStatic(kImage1, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, nullptr, area(kImage1Place));
  AddStatic(kLabExe, L"", kLabelStyle, fonts_.Bold(), area(kLabExePlace));
  const HWND description =
      AddStatic(kLabExeDes, L"", kLabelStyle, fonts_.Normal(), area(kLabExeDesPlace));
  EnableWindow(description, FALSE);  // drawn greyed
  AddStatic(kLabPID, L"", kLabelStyle, fonts_.Normal(), area(kLabPIDPlace));
  AddStatic(kLabcomp, L"", kLabelStyle, fonts_.Normal(), area(kLabcompPlace));
  for (const ProcInfoLabel label : kLabels)
    ShowLabel(label);
  AddStatic(kShape1, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, nullptr, area(kShape1Place));
  AddStatic(kLabel5, L"文件路径: ", kLabelStyle, fonts_.Normal(), area(kLabel5Place));

  const RECT path = area(kEPathPlace);
  const HWND edit =
      CreateWindowExW(0, L"EDIT", path_.c_str(),
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY,
                      path.left, path.top, path.right - path.left, path.bottom - path.top, panel_,
                      reinterpret_cast<HMENU>(INT_PTR{kEPath}), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), FALSE);

  AddStatic(kLabLocate, L"定位文件", kLabelStyle | SS_NOTIFY, fonts_.Underlined(),
            area(kLabLocatePlace));
  AddStatic(kShape2, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, nullptr, area(kShape2Place));
}

// A label as wide and as high as its text, at its top-left corner.
void ProcInfoWindow::ShowLabel(ProcInfoLabel label) {
  const HWND control = Control(LabelId(label));
  if (control == nullptr)
    return;
  const std::wstring& caption = captions_[static_cast<std::size_t>(label)];
  SetWindowTextW(control, caption.c_str());
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  const Place place = LabelPlace(label);
  MoveWindow(control, scale_(place.left), scale_(place.top), TextWidth(font, caption.c_str()),
             TextHeight(font), TRUE);
}

INT_PTR ProcInfoWindow::ControlColour(HDC dc, HWND control) const {
  const int id = GetDlgCtrlID(control);
  if (id == kEPath) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, kPathColour);
    return reinterpret_cast<INT_PTR>(pathBrush_);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, id == kLabLocate ? kLinkColour : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, PanelWindow::kPanelColour);
  return reinterpret_cast<INT_PTR>(PanelWindow::Brush());
}

bool ProcInfoWindow::DrawItem(const DRAWITEMSTRUCT& item) const {
  switch (item.CtlID) {
    case kBTNOK:
      ok_.Draw(item);
      return true;
    case kShape1:
    case kShape2:
      FillRect(item.hDC, &item.rcItem, lineBrush_);
      return true;
    case kImage1: {
      const HDC memory = CreateCompatibleDC(item.hDC);
      const HGDIOBJ old = SelectObject(memory, picture_);
      BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
             item.rcItem.bottom - item.rcItem.top, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace halvane
