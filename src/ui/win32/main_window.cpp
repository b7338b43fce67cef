#include "ui/win32/main_window.h"

#include <windowsx.h>

#include "platform/windows/wide_text.h"
#include "ui/win32/posted_tasks.h"

namespace halvane {

FormNetrovaWindow::FormNetrovaWindow(TFormNetrova& form, WindowsAppServices& services,
                                     const SystemImageListStore& smallImages,
                                     const SystemImageListStore& largeImages, const DpiScale& scale)
    : form_(form),
      services_(services),
      smallImages_(smallImages),
      largeImages_(largeImages),
      scale_(scale),
      fonts_(scale),
      vts_(form, smallImages, menu_, fonts_, scale) {}

FormNetrovaWindow::~FormNetrovaWindow() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (HIMAGELIST glyph : glyphs_) {
    if (glyph != nullptr)
      ImageList_Destroy(glyph);
  }
}

bool FormNetrovaWindow::RegisterClass(HINSTANCE instance, HICON bigIcon, HICON smallIcon) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = Proc;
  type.hInstance = instance;
  type.hIcon = bigIcon;
  type.hIconSm = smallIcon;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = kClassName;
  return RegisterClassExW(&type) != 0;
}

bool FormNetrovaWindow::Create(HINSTANCE instance) {
  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the desktop's work area when it first opens.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + ((work.right - work.left) - width) / 2;
  const int top = work.top + ((work.bottom - work.top) - height) / 2;
  window_ = CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, left, top, width, height,
                            nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

bool FormNetrovaWindow::NavigationMessage(MSG& message) {
  return window_ != nullptr && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK FormNetrovaWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<FormNetrovaWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormNetrovaWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT FormNetrovaWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = POINT{scale_(kMinimumWidth), scale_(kMinimumHeight)};
      return 0;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CONTEXTMENU:
      // Only the menu key comes here; a right click opens the menu on the button's release.
      if (reinterpret_cast<HWND>(wParam) == vts_.Handle() && GET_X_LPARAM(lParam) == -1 &&
          GET_Y_LPARAM(lParam) == -1)
        vts_.OnContextMenu(lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1)
        form_.HandleEvent([this] { form_.Timer1Timer(); });
      return 0;
    case kRunPostedTask:
      form_.HandleEvent([lParam] { RunPostedTask(lParam); });
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      // Windows asks the program to end at log-off or shut-down: the same question.
      return AskToClose() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam)
        DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      form_.HandleEvent([this] { form_.FormClose(); });
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      DiscardPostedTasks(window, kRunPostedTask);
      window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

bool FormNetrovaWindow::AskToClose() {
  bool mayClose = false;
  form_.HandleEvent([&] { mayClose = form_.FormCloseQuery(); });
  return mayClose;
}

void FormNetrovaWindow::OnClose() {
  if (AskToClose())
    DestroyWindow(window_);
}

void FormNetrovaWindow::OnCommand(int id, int code) {
  // A menu item's command comes with code 0, as BN_CLICKED.
  if (code != BN_CLICKED || RowCommand(id))
    return;
  switch (id) {
    case kBTNRefresh:
      return form_.HandleEvent([this] { form_.BTNRefreshClick(); });
    case kBTNHelp:
      return form_.HandleEvent([this] { form_.BTNHelpClick(); });
    case kBTNHomePage:
      return form_.HandleEvent([this] { form_.BTNHomePageClick(); });
    case kBTNUpdate:
      return form_.HandleEvent([this] { form_.BTNUpdateClick(); });
    case kCBShowLocal:
    case kCBAutoRefresh:
    case kCBAlwaysTop:
    case kCBShowInfo: {
      const auto box = static_cast<OptionBox>(id - kCBShowLocal + 1);
      const bool checked = Button_GetCheck(Control(id)) == BST_CHECKED;
      return form_.HandleEvent([&] { form_.OptionBoxClicked(box, checked); });
    }
    default:
      return;
  }
}

// The items of the row menu and the end-process button; true when `id` was one of them.
bool FormNetrovaWindow::RowCommand(int id) {
  switch (id) {
    case PmTreeMenu::NProcInfo:
      form_.HandleEvent([this] { form_.NProcInfoClick(); });
      return true;
    case PmTreeMenu::NEndProc:
      form_.HandleEvent([this] { form_.NEndProcClick(); });
      return true;
    case PmTreeMenu::NCopy:
      form_.HandleEvent([this] { form_.NCopyClick(); });
      return true;
    case PmTreeMenu::NLocate:
      form_.HandleEvent([this] { form_.NLocateClick(); });
      return true;
    case PmTreeMenu::NProperty:
      form_.HandleEvent([this] { form_.NPropertyClick(); });
      return true;
    case kBTNEndPro:
      form_.HandleEvent([this] { form_.BTNEndProClick(); });
      return true;
    default:
      return false;
  }
}

LRESULT FormNetrovaWindow::OnNotify(NMHDR* header) {
  if (header->idFrom == kVTS) {
    bool handled = false;
    const LRESULT result = vts_.OnNotify(header, handled);
    if (handled)
      return result;
  }
  if (header->idFrom == kLabMailLink && (header->code == NM_CLICK || header->code == NM_RETURN)) {
    form_.HandleEvent([this] { services_.OpenUrl(kMailAddress); });
    return 0;
  }
  return DefWindowProcW(window_, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

// ---- What the surface changes

void FormNetrovaWindow::SetCountText(int labelId, const std::string& text) {
  SetWindowTextW(Control(labelId), Utf8ToWide(text).c_str());
  LayoutSentence();
}

void FormNetrovaWindow::ShowChecked(OptionBox box, bool checked) {
  const int id = kCBShowLocal + static_cast<int>(box) - 1;
  Button_SetCheck(Control(id), checked ? BST_CHECKED : BST_UNCHECKED);
}

void FormNetrovaWindow::SetRefreshEnabled(bool enabled) {
  EnableWindow(Control(kBTNRefresh), enabled ? TRUE : FALSE);
}

void FormNetrovaWindow::StartTimer(int intervalMs) {
  // Setting the timer again begins a new interval.
  SetTimer(window_, kTimer1, static_cast<UINT>(intervalMs), nullptr);
}

void FormNetrovaWindow::StopTimer() {
  KillTimer(window_, kTimer1);
}

void FormNetrovaWindow::SetTopmost(bool topmost) {
  RECT place{};
  GetWindowRect(window_, &place);
  SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, place.left, place.top,
               place.right - place.left, place.bottom - place.top, 0);
}

}  // namespace halvane
