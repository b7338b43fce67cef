#include "ui/win32/styled_button.h"

#include <commctrl.h>

#include <string>

#include "ui/win32/window_text.h"

namespace halvane {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kCornerDiameter = 6;
constexpr COLORREF kRestingFrame = RGB(160, 160, 160);
constexpr COLORREF kDisabledFrame = RGB(190, 190, 190);
constexpr COLORREF kDisabledText = RGB(150, 150, 150);
constexpr COLORREF kHotFace = RGB(255, 244, 214);  // a light shade of the hot-track colour

// The colour a little darker, as a pressed face shows.
COLORREF Darker(COLORREF colour) {
  const auto shade = [](int part) { return static_cast<BYTE>(part * 100 / 108); };
  return RGB(shade(GetRValue(colour)), shade(GetGValue(colour)), shade(GetBValue(colour)));
}

}  // namespace

StyledButton::StyledButton(ButtonColours colours, const DpiScale& scale)
    : colours_(colours), scale_(scale) {}

StyledButton::~StyledButton() {
  if (button_ != nullptr && IsWindow(button_))
    RemoveWindowSubclass(button_, Proc, kSubclassId);
}

HWND StyledButton::Create(HWND parent, int id, const wchar_t* caption, HFONT font,
                          const RECT& place) {
  button_ = CreateWindowExW(
      0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, place.left,
      place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  if (button_ == nullptr)
    return nullptr;
  SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowSubclass(button_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return button_;
}

LRESULT CALLBACK StyledButton::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR self) {
  auto* button = reinterpret_cast<StyledButton*>(self);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!button->hot_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        button->SetHot(true);
      }
      break;
    case WM_MOUSELEAVE:
      button->SetHot(false);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, Proc, kSubclassId);
      button->button_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void StyledButton::SetHot(bool hot) {
  hot_ = hot;
  InvalidateRect(button_, nullptr, FALSE);
}

COLORREF StyledButton::FrameColour(UINT state) const {
  if (state & ODS_DISABLED)
    return kDisabledFrame;
  if (state & (ODS_SELECTED | ODS_FOCUS))
    return colours_.highlight;
  return hot_ ? colours_.hotTrack : kRestingFrame;
}

COLORREF StyledButton::FaceColour(UINT state) const {
  if (state & ODS_DISABLED)
    return colours_.face;
  if (state & ODS_SELECTED)
    return Darker(colours_.face);
  return hot_ ? kHotFace : colours_.face;
}

void StyledButton::Draw(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const RECT bounds = item.rcItem;
  const HBRUSH face = CreateSolidBrush(FaceColour(item.itemState));
  const HPEN frame = CreatePen(PS_SOLID, 1, FrameColour(item.itemState));
  // The corners outside the rounded frame show the parent's background.
  const HBRUSH parent = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(item.hwndItem), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(item.hwndItem)));
  if (parent != nullptr)
    FillRect(dc, &bounds, parent);
  const HGDIOBJ oldBrush = SelectObject(dc, face);
  const HGDIOBJ oldPen = SelectObject(dc, frame);
  const int corner = scale_(kCornerDiameter);
  RoundRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom, corner, corner);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(frame);
  DeleteObject(face);

  const std::wstring caption = WindowText(item.hwndItem);
  RECT text = bounds;
  if (item.itemState & ODS_SELECTED)
    OffsetRect(&text, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? kDisabledText : GetSysColor(COLOR_BTNTEXT));
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace halvane
