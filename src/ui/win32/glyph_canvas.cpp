#include "ui/win32/glyph_canvas.h"

#include <cmath>
#include <vector>

namespace halvane {

GlyphCanvas::GlyphCanvas(int width, int height, COLORREF background)
    : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  const HBRUSH brush = CreateSolidBrush(background);
  const RECT all{0, 0, width, height};
  ::FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

GlyphCanvas::~GlyphCanvas() {
  if (dc_ != nullptr) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr)
    DeleteObject(bitmap_);
}

int GlyphCanvas::At(double design, int designSize) const {
  return static_cast<int>(std::lround(design * width_ / designSize));
}

void GlyphCanvas::Greyed(COLORREF keep) {
  GdiFlush();
  if (pixels_ == nullptr)
    return;
  const std::uint32_t kept = (GetRValue(keep) << 16) | (GetGValue(keep) << 8) | GetBValue(keep);
  for (int i = 0; i < width_ * height_; ++i) {
    const std::uint32_t pixel = pixels_[i] & 0xFFFFFF;
    if (pixel == kept)
      continue;
    const unsigned r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    const unsigned grey = 128 + (r * 30 + g * 59 + b * 11) / 200;  // light: 128 to 255
    pixels_[i] = (grey << 16) | (grey << 8) | grey;
  }
}

HBITMAP GlyphCanvas::TakeBitmap() {
  GdiFlush();
  SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
  const HBITMAP taken = bitmap_;
  bitmap_ = nullptr;
  return taken;
}

void GlyphCanvas::FillEllipse(double left, double top, double right, double bottom, COLORREF fill,
                              COLORREF outline, int designSize) {
  const HBRUSH brush = CreateSolidBrush(fill);
  const HPEN pen = CreatePen(PS_SOLID, 1, outline);
  const HGDIOBJ oldBrush = SelectObject(dc_, brush);
  const HGDIOBJ oldPen = SelectObject(dc_, pen);
  Ellipse(dc_, At(left, designSize), At(top, designSize), At(right, designSize),
          At(bottom, designSize));
  SelectObject(dc_, oldBrush);
  SelectObject(dc_, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void GlyphCanvas::FillRect(double left, double top, double right, double bottom, COLORREF fill,
                           int designSize) {
  const HBRUSH brush = CreateSolidBrush(fill);
  const RECT area{At(left, designSize), At(top, designSize), At(right, designSize),
                  At(bottom, designSize)};
  ::FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

void GlyphCanvas::FillPolygon(const POINT* designPoints, int count, COLORREF fill, COLORREF outline,
                              int designSize) {
  std::vector<POINT> points(designPoints, designPoints + count);
  for (POINT& point : points)
    point = POINT{At(point.x, designSize), At(point.y, designSize)};
  const HBRUSH brush = CreateSolidBrush(fill);
  const HPEN pen = CreatePen(PS_SOLID, 1, outline);
  const HGDIOBJ oldBrush = SelectObject(dc_, brush);
  const HGDIOBJ oldPen = SelectObject(dc_, pen);
  Polygon(dc_, points.data(), count);
  SelectObject(dc_, oldBrush);
  SelectObject(dc_, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

}  // namespace halvane
