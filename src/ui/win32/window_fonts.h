#pragma once
#include <windows.h>

#include "ui/win32/dpi_scale.h"

namespace halvane {

// The fonts of the main window and its dialogs: Arial 8 points (11 pixels) plain, bold and
// underlined (for links), and MS Sans Serif of 13 pixels for the view's header. Destroyed with
// the object.
class WindowFonts {
 public:
  explicit WindowFonts(const DpiScale& scale);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  HFONT Normal() const { return normal_; }
  HFONT Bold() const { return bold_; }
  HFONT Underlined() const { return underlined_; }
  HFONT Header() const { return header_; }

 private:
  HFONT normal_;
  HFONT bold_;
  HFONT underlined_;
  HFONT header_;
};

// The width of `text` in `font`, in pixels.
int TextWidth(HFONT font, const wchar_t* text);
// The height of a line of `font`, in pixels.
int TextHeight(HFONT font);

}  // namespace halvane
