#include "ui/win32/panel_window.h"

namespace halvane {
namespace {

constexpr const wchar_t* kClassName = L"HalvanePanel";

}  // namespace

HBRUSH PanelWindow::Brush() {
  static const HBRUSH brush = CreateSolidBrush(kPanelColour);
  return brush;
}

bool PanelWindow::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = Proc;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = Brush();
  type.lpszClassName = kClassName;
  return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND PanelWindow::Create(HWND parent, const wchar_t* name, int controlId) {
  return CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, name,
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(INT_PTR{controlId}),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                         nullptr);
}

LRESULT CALLBACK PanelWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
      return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace halvane
