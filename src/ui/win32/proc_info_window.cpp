#include "ui/win32/proc_info_window.h"

#include "platform/windows/wide_text.h"
#include "ui/win32/panel_window.h"

namespace halvane {
namespace {

// A dialog template without controls: the dialog makes its controls itself, in pixels, and
// sets its caption and size once it exists.
struct alignas(DWORD) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD windowClass;
  WORD title;
};

// A caption with the close button only, a frame that cannot be resized.
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

HBITMAP MakePicture(int size) {
  const HDC screen = GetDC(nullptr);
  const HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, picture);
  const RECT all{0, 0, size, size};
  FillRect(memory, &all, PanelWindow::Brush());  // Image1 is transparent: the panel shows
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

}  // namespace

ProcInfoWindow::ProcInfoWindow(TFormProcInfo& form, HWND owner, const WindowFonts& fonts,
                               const DpiScale& scale, const SystemImageListStore& largeImages)
    : form_(form),
      owner_(owner),
      fonts_(fonts),
      scale_(scale),
      largeImages_(largeImages),
      picture_(MakePicture(scale(kPictureSize))),
      lineBrush_(CreateSolidBrush(kLineColour)),
      pathBrush_(CreateSolidBrush(kPathColour)),
      ok_(kOkColours, scale) {}

ProcInfoWindow::~ProcInfoWindow() {
  if (dialog_ != nullptr)
    DestroyWindow(dialog_);
  DeleteObject(picture_);
  DeleteObject(lineBrush_);
  DeleteObject(pathBrush_);
}

HWND ProcInfoWindow::Control(int id) const {
  if (id == kPanel1)
    return panel_;
  return panel_ != nullptr ? GetDlgItem(panel_, id) : nullptr;
}

void ProcInfoWindow::SetLabelCaption(ProcInfoLabel label, const std::string& caption) {
  captions_[static_cast<std::size_t>(label)] = Utf8ToWide(caption);
  if (dialog_ != nullptr)
    ShowLabel(label);
}

void ProcInfoWindow::SetPathText(const std::string& text) {
  path_ = Utf8ToWide(text);
  if (dialog_ != nullptr)
    SetWindowTextW(Control(kEPath), path_.c_str());
}

// Draws on the picture, which keeps it; an index the list has no image for draws nothing.
void ProcInfoWindow::DrawLargeIcon(int largeIconIndex, int x, int y) {
  const HIMAGELIST images = largeImages_.Handle();
  if (images == nullptr || largeIconIndex < 0 || largeIconIndex >= largeImages_.ImageCount())
    return;
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(memory, picture_);
  ImageList_Draw(images, largeIconIndex, memory, scale_(x), scale_(y), ILD_TRANSPARENT);
  SelectObject(memory, old);
  DeleteDC(memory);
  if (dialog_ != nullptr)
    InvalidateRect(Control(kImage1), nullptr, FALSE);
}

// The dialog's own message loop runs until it closes; the main window takes no input meanwhile,
// but its timer and posted work still run.
void ProcInfoWindow::ShowModal() {
  EmptyDialogTemplate layout{};
  layout.header.style = kDialogStyle;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &layout.header, owner_, DialogProc,
                          reinterpret_cast<LPARAM>(this));
}

// As the frame's close button does.
void ProcInfoWindow::Close() {
  if (dialog_ != nullptr)
    SendMessageW(dialog_, WM_CLOSE, 0, 0);
}

INT_PTR CALLBACK ProcInfoWindow::DialogProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ProcInfoWindow*>(lParam);
    self->dialog_ = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<ProcInfoWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr)
    return FALSE;
  return self->OnMessage(message, wParam, lParam);
}

INT_PTR ProcInfoWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) != Control(kLabLocate))
        return FALSE;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(dialog_, DWLP_USER, 0);
      dialog_ = nullptr;
      panel_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void ProcInfoWindow::OnInitDialog() {
  SetWindowTextW(dialog_, Utf8ToWide(TFormProcInfo::kCaption).c_str());
  PlaceDialog();
  CreateControls();
  // BTNOK comes first in the tab order and has the focus.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ok_.Handle()), TRUE);
}

// Only BTNOK and the frame close the dialog. The dialog manager turns Enter into IDOK, which
// clicks BTNOK while it has the focus, and Escape into IDCANCEL, which does nothing.
void ProcInfoWindow::OnCommand(int id, int code) {
  switch (id) {
    case kBTNOK:
      if (code == BN_CLICKED)
        form_.HandleEvent([this] { form_.BTNOKClick(); });
      return;
    case IDOK:
      if (GetFocus() == ok_.Handle())
        form_.HandleEvent([this] { form_.BTNOKClick(); });
      return;
    case kLabLocate:
      if (code == STN_CLICKED)
        form_.HandleEvent([this] { form_.LabLocateClick(); });
      return;
    default:
      return;
  }
}

// The close action frees the dialog: the window goes as the modal showing ends, the form with
// this screen right after.
void ProcInfoWindow::OnClose() {
  CloseAction action = CloseAction::None;
  form_.HandleEvent([&] { form_.FormClose(action); });
  EndDialog(dialog_, 0);
}

}  // namespace halvane
