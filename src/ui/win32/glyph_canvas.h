#pragma once
#include <windows.h>

#include <cstdint>

namespace halvane {

// A 32-bit picture drawn with GDI: a memory device context over a top-down DIB section filled
// with a background colour. Released with the object unless the bitmap was taken.
class GlyphCanvas {
 public:
  GlyphCanvas(int width, int height, COLORREF background);
  ~GlyphCanvas();
  GlyphCanvas(const GlyphCanvas&) = delete;
  GlyphCanvas& operator=(const GlyphCanvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A design coordinate of a `designSize` square, scaled to this picture.
  int At(double design, int designSize) const;

  // Every pixel other than `keep` becomes a light grey of its own brightness.
  void Greyed(COLORREF keep);
  // The picture, now owned by the caller; the canvas is done.
  HBITMAP TakeBitmap();

  // Solid helpers in design coordinates of a `designSize` square.
  void FillEllipse(double left, double top, double right, double bottom, COLORREF fill,
                   COLORREF outline, int designSize);
  void FillRect(double left, double top, double right, double bottom, COLORREF fill,
                int designSize);
  void FillPolygon(const POINT* designPoints, int count, COLORREF fill, COLORREF outline,
                   int designSize);

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
};

}  // namespace halvane
