#include "ui/win32/row_painter.h"

#include "view/columns.h"

namespace halvane {
namespace {

constexpr int kProcessColumn = 1;
constexpr int kTextMargin = 4;
constexpr int kIconMargin = 2;
constexpr int kPictureLeft = 12;  // the manage picture's place in its cell
constexpr int kPictureTop = 3;

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace

void RowPainter::Paint(HDC dc, const Row& row) const {
  Fill(dc, row.bounds, row.selected ? kSelectionColour : GetSysColor(COLOR_WINDOW));
  const HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, row.selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
  for (const CellPlace& cell : row.cells)
    PaintCell(dc, row, cell);
  SelectObject(dc, oldFont);
  PaintGrid(dc, row);
}

void RowPainter::PaintCell(HDC dc, const Row& row, const CellPlace& cell) const {
  if (cell.column == kManageColumn) {
    const HDC pictureDc = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(pictureDc, managePicture_);
    BitBlt(dc, cell.rect.left + scale_(kPictureLeft), cell.rect.top + scale_(kPictureTop),
           pictureSize_.cx, pictureSize_.cy, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
    return;
  }
  RECT textArea = cell.rect;
  textArea.left += scale_(kTextMargin);
  textArea.right -= scale_(kTextMargin);
  if (cell.column == kProcessColumn && row.icons != nullptr) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(row.icons, &width, &height);
    const int left = cell.rect.left + scale_(kIconMargin);
    if (row.iconIndex >= 0) {
      const int top = cell.rect.top + (cell.rect.bottom - cell.rect.top - height) / 2;
      ImageList_Draw(row.icons, row.iconIndex, dc, left, top, ILD_TRANSPARENT);
    }
    textArea.left = left + width + scale_(kIconMargin);
  }
  const std::wstring text = row.text(cell.column);
  if (!text.empty() && textArea.right > textArea.left) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

void RowPainter::PaintGrid(HDC dc, const Row& row) const {
  const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_ACTIVECAPTION));
  const HGDIOBJ old = SelectObject(dc, pen);
  int right = row.bounds.left;
  for (const CellPlace& cell : row.cells) {
    MoveToEx(dc, cell.rect.right - 1, row.bounds.top, nullptr);
    LineTo(dc, cell.rect.right - 1, row.bounds.bottom);
    right = cell.rect.right;
  }
  MoveToEx(dc, row.bounds.left, row.bounds.bottom - 1, nullptr);
  LineTo(dc, right, row.bounds.bottom - 1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace halvane
