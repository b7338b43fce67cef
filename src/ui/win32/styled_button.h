#pragma once
#include <windows.h>

#include "ui/win32/dpi_scale.h"

namespace halvane {

// The colours of a styled button: its face, the frame while pressed or focused, and the frame
// while the pointer is over it (hot tracking).
struct ButtonColours {
  COLORREF face;
  COLORREF highlight;
  COLORREF hotTrack;
};

// An owner-drawn push button with a flat, rounded face in its own colours and a caption only.
// Its parent passes WM_DRAWITEM for it to Draw; the button follows the pointer itself.
class StyledButton {
 public:
  StyledButton(ButtonColours colours, const DpiScale& scale);
  ~StyledButton();
  StyledButton(const StyledButton&) = delete;
  StyledButton& operator=(const StyledButton&) = delete;

  HWND Create(HWND parent, int id, const wchar_t* caption, HFONT font, const RECT& place);
  HWND Handle() const { return button_; }
  // Paints the button as WM_DRAWITEM describes it.
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR self);
  void SetHot(bool hot);
  COLORREF FrameColour(UINT state) const;
  COLORREF FaceColour(UINT state) const;

  ButtonColours colours_;
  DpiScale scale_;
  HWND button_ = nullptr;
  bool hot_ = false;
};

}  // namespace halvane
