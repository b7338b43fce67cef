#include "ui/win32/win32_window_surface.h"

#include "platform/windows/wide_text.h"
#include "ui/win32/main_window.h"
#include "ui/win32/posted_tasks.h"
#include "ui/win32/proc_info_window.h"

namespace halvane {
namespace {

UINT IconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Stop:
      return MB_ICONSTOP;
    case MessageIcon::None:
      break;
  }
  return 0;
}

// A modal box owned by the active window, with the application title as caption.
int ShowBox(FormNetrovaWindow* window, const std::string& text, UINT flags) {
  HWND owner = GetActiveWindow();
  if (owner == nullptr && window != nullptr)
    owner = window->Handle();
  return MessageBoxW(owner, Utf8ToWide(text).c_str(), Win32WindowSurface::kCaption, flags);
}

}  // namespace

void Win32WindowSurface::Bind(FormNetrovaWindow* window) {
  window_ = window;
  postTarget_.store(window != nullptr ? window->Handle() : nullptr);
}

void Win32WindowSurface::SetAppCountText(const std::string& text) {
  if (window_)
    window_->SetCountText(FormNetrovaWindow::kLabAppCount, text);
}

void Win32WindowSurface::SetNetCountText(const std::string& text) {
  if (window_)
    window_->SetCountText(FormNetrovaWindow::kLabNetCount, text);
}

void Win32WindowSurface::ShowChecked(OptionBox box, bool checked) {
  if (window_)
    window_->ShowChecked(box, checked);
}

void Win32WindowSurface::SetRefreshEnabled(bool enabled) {
  if (window_)
    window_->SetRefreshEnabled(enabled);
}

void Win32WindowSurface::StartTimer(int intervalMs) {
  if (window_)
    window_->StartTimer(intervalMs);
}

void Win32WindowSurface::StopTimer() {
  if (window_)
    window_->StopTimer();
}

void Win32WindowSurface::SetTopmost(bool topmost) {
  if (window_)
    window_->SetTopmost(topmost);
}

void Win32WindowSurface::SetColumnVisible(int column, bool visible) {
  if (window_)
    window_->VTS().SetColumnVisible(column, visible);
}

void Win32WindowSurface::ViewChanged() {
  if (window_)
    window_->VTS().SyncFromModel();
}

void Win32WindowSurface::FocusView() {
  if (window_)
    SetFocus(window_->VTS().Handle());
}

void Win32WindowSurface::ShowMessage(const std::string& text) {
  ShowBox(window_, text, MB_OK);
}

bool Win32WindowSurface::AskYesNo(const std::string& text, MessageIcon icon, bool defaultNo) {
  const UINT flags = MB_YESNO | IconFlag(icon) | (defaultNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
  return ShowBox(window_, text, flags) == IDYES;
}

void Win32WindowSurface::ShowError(const std::string& text) {
  ShowBox(window_, text, MB_OK | MB_ICONSTOP);
}

std::unique_ptr<IProcInfoSurface> Win32WindowSurface::CreateProcInfoSurface(TFormProcInfo& dialog) {
  if (window_ == nullptr)
    return nullptr;
  return std::make_unique<ProcInfoWindow>(dialog, window_->Handle(), window_->Fonts(),
                                          window_->Scale(), window_->LargeImages());
}

void Win32WindowSurface::PostToGuiThread(std::function<void()> task) {
  PostTask(postTarget_.load(), FormNetrovaWindow::kRunPostedTask, std::move(task));
}

}  // namespace halvane
