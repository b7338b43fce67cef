#pragma once
#include <windows.h>

namespace halvane {

// Layout sizes are given for 96 dots per inch; the program is DPI aware and scales them to the
// system's setting once at start-up.
class DpiScale {
 public:
  explicit DpiScale(int dpi = kDesignDpi) : dpi_(dpi) {}
  static DpiScale ForSystem();

  int operator()(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
  RECT Rect(int left, int top, int width, int height) const;
  int Dpi() const { return dpi_; }

 private:
  static constexpr int kDesignDpi = 96;
  int dpi_;
};

}  // namespace halvane
