// The controls of the main window, their places and their colours.
#include "ui/win32/main_window.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/windows/wide_text.h"
#include "ui/win32/glyphs.h"
#include "ui/win32/panel_window.h"
#include "ui/win32/window_text.h"

namespace halvane {
namespace {

constexpr int kGlyphSize = 16;
constexpr int kSentenceLeft = 8;
constexpr COLORREF kAppCountColour = RGB(255, 0, 0);
constexpr COLORREF kNetCountColour = RGB(0, 0, 255);

// Places in the bottom panel: x, y, width, height. Each keeps its distance from the left edge.
struct Place {
  int id;
  int x, y, width, height;
};
constexpr Place kBottomPlaces[] = {
    {FormNetrovaWindow::kCBShowLocal, 8, 6, 145, 17},
    {FormNetrovaWindow::kCBAutoRefresh, 157, 6, 124, 17},
    {FormNetrovaWindow::kCBAlwaysTop, 282, 6, 182, 17},
    {FormNetrovaWindow::kBTNRefresh, 553, 1, 80, 26},
    {FormNetrovaWindow::kBTNEndPro, 633, 1, 110, 26},
    {FormNetrovaWindow::kCBShowInfo, 755, 6, 166, 17},
    {FormNetrovaWindow::kLabEmail, 930, 6, 34, 17},
    {FormNetrovaWindow::kLabMailLink, 966, 6, 180, 17},
};

// The link buttons of the top panel from the right edge: width of each.
struct RightPlace {
  int id;
  int width;
};
constexpr RightPlace kTopRightPlaces[] = {
    {FormNetrovaWindow::kBTNHomePage, 86},
    {FormNetrovaWindow::kBTNUpdate, 86},
    {FormNetrovaWindow::kBTNHelp, 74},
};
constexpr int kLinkButtonTop = 1;
constexpr int kLinkButtonHeight = 32;

constexpr int kSentence[] = {FormNetrovaWindow::kLabel1, FormNetrovaWindow::kLabAppCount,
                             FormNetrovaWindow::kLabel3, FormNetrovaWindow::kLabNetCount,
                             FormNetrovaWindow::kLabel5};

}  // namespace

HWND FormNetrovaWindow::Panel(int id) const {
  switch (id) {
    case kLabel1:
    case kLabAppCount:
    case kLabel3:
    case kLabNetCount:
    case kLabel5:
    case kBTNHelp:
    case kBTNHomePage:
    case kBTNUpdate:
      return top_;
    case kVTS:
      return window_;
    default:
      return bottom_;
  }
}

HWND FormNetrovaWindow::AddLabel(HWND panel, int id, const wchar_t* text, HFONT font) {
  const HWND label =
      CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, panel,
                      reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

HWND FormNetrovaWindow::AddButton(HWND panel, int id, const wchar_t* text, int glyph) {
  const HWND button = CreateWindowExW(
      0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, panel,
      reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), FALSE);
  glyphs_[static_cast<std::size_t>(glyph)] =
      MakeGlyphImageList(static_cast<Glyph>(glyph), scale_(kGlyphSize));
  BUTTON_IMAGELIST images{};
  images.himl = glyphs_[static_cast<std::size_t>(glyph)];
  images.margin = RECT{scale_(2), 0, scale_(2), 0};
  images.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  Button_SetImageList(button, &images);
  return button;
}

HWND FormNetrovaWindow::AddCheckBox(HWND panel, int id, const wchar_t* text, bool checked) {
  const HWND box = CreateWindowExW(
      0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0, panel,
      reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), FALSE);
  Button_SetCheck(box, checked ? BST_CHECKED : BST_UNCHECKED);
  return box;
}

// Created in tab order: the view, then the top panel's buttons, then the bottom panel's.
void FormNetrovaWindow::CreateControls() {
  PanelWindow::RegisterClass(GetModuleHandleW(nullptr));
  vts_.Create(window_, kVTS);
  top_ = PanelWindow::Create(window_, L"PTop", kPTop);
  bottom_ = PanelWindow::Create(window_, L"PBottom", kPBottom);

  AddLabel(top_, kLabel1, L"当前有", fonts_.Normal());
  AddLabel(top_, kLabAppCount, L"0", fonts_.Bold());
  AddLabel(top_, kLabel3, L"个程序已连接或尝试连接网络，共建立", fonts_.Normal());
  AddLabel(top_, kLabNetCount, L"0", fonts_.Bold());
  AddLabel(top_, kLabel5, L"个连接。", fonts_.Normal());
  AddButton(top_, kBTNHelp, L"帮助", static_cast<int>(Glyph::QuestionMark));
  AddButton(top_, kBTNHomePage, L"主页", static_cast<int>(Glyph::Globe));
  AddButton(top_, kBTNUpdate, L"更新", static_cast<int>(Glyph::DownArrow));

  AddButton(bottom_, kBTNRefresh, L"刷新", static_cast<int>(Glyph::CircularArrow));
  AddButton(bottom_, kBTNEndPro, L"结束进程", static_cast<int>(Glyph::StopPlate));
  AddCheckBox(bottom_, kCBShowLocal, L"显示本地连接", true);
  AddCheckBox(bottom_, kCBAutoRefresh, L"自动刷新", false);
  AddCheckBox(bottom_, kCBAlwaysTop, L"始终保持在其他窗口前端", true);
  AddCheckBox(bottom_, kCBShowInfo, L"显示文件详细信息", false);
  AddLabel(bottom_, kLabEmail, L"Email:", fonts_.Normal());
  const std::wstring address = Utf8ToWide(std::string(kMailAddress).substr(7));
  const std::wstring link = L"<a>" + address + L"</a>";
  const HWND mail = CreateWindowExW(0, WC_LINK, link.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                    bottom_, reinterpret_cast<HMENU>(INT_PTR{kLabMailLink}),
                                    GetModuleHandleW(nullptr), nullptr);
  SendMessageW(mail, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), FALSE);
  Layout();
}

void FormNetrovaWindow::Layout() {
  if (top_ == nullptr)
    return;
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right;
  const int top = scale_(kTopHeight);
  const int bottom = scale_(kBottomHeight);
  const int middle = std::max(0, static_cast<int>(client.bottom) - top - bottom);
  MoveWindow(top_, 0, 0, width, top, TRUE);
  MoveWindow(vts_.Handle(), 0, top, width, middle, TRUE);
  MoveWindow(bottom_, 0, top + middle, width, bottom, TRUE);

  int right = width;
  for (const RightPlace& place : kTopRightPlaces) {
    right -= scale_(place.width);
    MoveWindow(Control(place.id), right, scale_(kLinkButtonTop), scale_(place.width),
               scale_(kLinkButtonHeight), TRUE);
  }
  for (const Place& place : kBottomPlaces) {
    const RECT area = scale_.Rect(place.x, place.y, place.width, place.height);
    MoveWindow(Control(place.id), area.left, area.top, area.right - area.left,
               area.bottom - area.top, TRUE);
  }
  LayoutSentence();
}

// The five labels are as wide as their texts and packed from the left without gaps, all
// vertically centred in the panel: a new count moves the text after it.
void FormNetrovaWindow::LayoutSentence() {
  if (top_ == nullptr)
    return;
  const int panelHeight = scale_(kTopHeight);
  int x = scale_(kSentenceLeft);
  for (int id : kSentence) {
    const HWND label = Control(id);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    const std::wstring text = WindowText(label);
    const int width = TextWidth(font, text.c_str());
    const int height = TextHeight(font);
    MoveWindow(label, x, (panelHeight - height) / 2, width, height, TRUE);
    x += width;
  }
}

LRESULT FormNetrovaWindow::ControlColour(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  const int id = GetDlgCtrlID(control);
  if (id == kLabAppCount)
    SetTextColor(dc, kAppCountColour);
  else if (id == kLabNetCount)
    SetTextColor(dc, kNetCountColour);
  else
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, PanelWindow::kPanelColour);
  return reinterpret_cast<LRESULT>(PanelWindow::Brush());
}

}  // namespace halvane
