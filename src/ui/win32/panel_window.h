#pragma once
#include <windows.h>

namespace halvane {

// A plain child window that paints one background colour and passes its children's commands,
// notifications, colour questions and owner-drawing on to its parent, so that the window it
// lies on handles every control as if it were its own. It takes part in tab navigation
// (WS_EX_CONTROLPARENT).
class PanelWindow {
 public:
  static constexpr COLORREF kPanelColour = RGB(236, 245, 248);

  static bool RegisterClass(HINSTANCE instance);
  static HWND Create(HWND parent, const wchar_t* name, int controlId);
  // The brush of the panels' colour; lives as long as the program.
  static HBRUSH Brush();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace halvane
