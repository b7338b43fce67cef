#include "ui/win32/dpi_scale.h"

namespace halvane {

DpiScale DpiScale::ForSystem() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen)
    ReleaseDC(nullptr, screen);
  return DpiScale(dpi > 0 ? dpi : kDesignDpi);
}

RECT DpiScale::Rect(int left, int top, int width, int height) const {
  const int x = (*this)(left);
  const int y = (*this)(top);
  return RECT{x, y, x + (*this)(width), y + (*this)(height)};
}

}  // namespace halvane
