#include "ui/win32/glyphs.h"

#include <initializer_list>

#include "ui/win32/glyph_canvas.h"

namespace halvane {
namespace {

constexpr int kDesign = 16;  // glyphs are drawn on a 16 x 16 design grid
constexpr COLORREF kMask = RGB(255, 0, 255);

void DrawQuestionMark(GlyphCanvas& canvas) {
  canvas.FillEllipse(0.5, 0.5, 15.5, 15.5, RGB(40, 110, 220), RGB(15, 60, 160), kDesign);
  LOGFONTW face{};
  face.lfHeight = -canvas.At(13, kDesign);
  face.lfWeight = FW_BOLD;
  face.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynW(face.lfFaceName, L"Arial", LF_FACESIZE);
  const HFONT font = CreateFontIndirectW(&face);
  const HGDIOBJ old = SelectObject(canvas.Dc(), font);
  SetBkMode(canvas.Dc(), TRANSPARENT);
  SetTextColor(canvas.Dc(), RGB(255, 255, 255));
  RECT area{0, 0, canvas.Width(), canvas.Height()};
  DrawTextW(canvas.Dc(), L"?", 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(canvas.Dc(), old);
  DeleteObject(font);
}

void DrawDownArrow(GlyphCanvas& canvas) {
  const POINT arrow[] = {{5, 1}, {11, 1}, {11, 7}, {15, 7}, {8, 14}, {1, 7}, {5, 7}};
  canvas.FillPolygon(arrow, 7, RGB(50, 170, 60), RGB(15, 100, 25), kDesign);
  canvas.FillRect(2, 14.5, 14, 16, RGB(70, 70, 70), kDesign);
}

void DrawGlobe(GlyphCanvas& canvas) {
  canvas.FillEllipse(0.5, 0.5, 15.5, 15.5, RGB(60, 140, 230), RGB(20, 80, 170), kDesign);
  canvas.FillEllipse(3, 3.5, 8, 7.5, RGB(60, 170, 70), RGB(60, 170, 70), kDesign);
  canvas.FillEllipse(8.5, 8, 13, 13, RGB(60, 170, 70), RGB(60, 170, 70), kDesign);
  const HPEN pen = CreatePen(PS_SOLID, 1, RGB(230, 240, 255));
  const HGDIOBJ oldPen = SelectObject(canvas.Dc(), pen);
  const HGDIOBJ oldBrush = SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
  Ellipse(canvas.Dc(), canvas.At(4.5, kDesign), canvas.At(0.5, kDesign), canvas.At(11.5, kDesign),
          canvas.At(15.5, kDesign));
  MoveToEx(canvas.Dc(), canvas.At(1, kDesign), canvas.At(8, kDesign), nullptr);
  LineTo(canvas.Dc(), canvas.At(15, kDesign), canvas.At(8, kDesign));
  SelectObject(canvas.Dc(), oldPen);
  SelectObject(canvas.Dc(), oldBrush);
  DeleteObject(pen);
}

void DrawCircularArrow(GlyphCanvas& canvas) {
  const HPEN pen = CreatePen(PS_SOLID, canvas.At(2.2, kDesign), RGB(30, 150, 50));
  const HGDIOBJ oldPen = SelectObject(canvas.Dc(), pen);
  const HGDIOBJ oldBrush = SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
  // Five sixths of a circle, counter-clockwise from the upper right round to the right side.
  SetArcDirection(canvas.Dc(), AD_COUNTERCLOCKWISE);
  Arc(canvas.Dc(), canvas.At(2, kDesign), canvas.At(2, kDesign), canvas.At(14, kDesign),
      canvas.At(14, kDesign), canvas.At(11, kDesign), canvas.At(2, kDesign), canvas.At(14, kDesign),
      canvas.At(9, kDesign));
  SelectObject(canvas.Dc(), oldPen);
  SelectObject(canvas.Dc(), oldBrush);
  DeleteObject(pen);
  // The head where the travel ends, pointing up.
  const POINT head[] = {{10, 8}, {16, 8}, {13, 4}};
  canvas.FillPolygon(head, 3, RGB(30, 150, 50), RGB(20, 110, 35), kDesign);
}

void DrawStopPlate(GlyphCanvas& canvas) {
  const POINT plate[] = {{5, 0}, {11, 0}, {16, 5}, {16, 11}, {11, 16}, {5, 16}, {0, 11}, {0, 5}};
  canvas.FillPolygon(plate, 8, RGB(215, 35, 35), RGB(150, 20, 20), kDesign);
  canvas.FillRect(3, 6.5, 13, 9.5, RGB(255, 255, 255), kDesign);
}

void Draw(Glyph glyph, GlyphCanvas& canvas) {
  switch (glyph) {
    case Glyph::QuestionMark:
      return DrawQuestionMark(canvas);
    case Glyph::DownArrow:
      return DrawDownArrow(canvas);
    case Glyph::Globe:
      return DrawGlobe(canvas);
    case Glyph::CircularArrow:
      return DrawCircularArrow(canvas);
    case Glyph::StopPlate:
      return DrawStopPlate(canvas);
  }
}

HBITMAP GlyphBitmap(Glyph glyph, int size, bool greyed) {
  GlyphCanvas canvas(size, size, kMask);
  Draw(glyph, canvas);
  if (greyed)
    canvas.Greyed(kMask);
  return canvas.TakeBitmap();
}

void AddMasked(HIMAGELIST list, HBITMAP bitmap) {
  ImageList_AddMasked(list, bitmap, kMask);
  DeleteObject(bitmap);
}

}  // namespace

HIMAGELIST MakeGlyphImageList(Glyph glyph, int size) {
  const HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 6, 0);
  if (list == nullptr)
    return nullptr;
  // normal, hot, pressed, disabled, defaulted, stylus hot
  for (bool greyed : {false, false, false, true, false, false})
    AddMasked(list, GlyphBitmap(glyph, size, greyed));
  return list;
}

HBITMAP MakeManagePicture(int width, int height) {
  constexpr int kDesignWidth = 19;
  GlyphCanvas canvas(width, height, RGB(255, 255, 255));
  // The window: a grey frame, an orange title bar, a white client area.
  canvas.FillRect(1, 1, 18, 17, RGB(120, 120, 120), kDesignWidth);
  canvas.FillRect(2, 2, 17, 16, RGB(255, 255, 255), kDesignWidth);
  canvas.FillRect(2, 2, 17, 5, RGB(250, 140, 20), kDesignWidth);
  // The green plus sign in the client area.
  canvas.FillRect(8, 7, 11, 15, RGB(20, 160, 40), kDesignWidth);
  canvas.FillRect(5.5, 9.5, 13.5, 12.5, RGB(20, 160, 40), kDesignWidth);
  return canvas.TakeBitmap();
}

}  // namespace halvane
