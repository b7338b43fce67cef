#include "ui/win32/row_painter.h"

#include <gtest/gtest.h>

#include "ui/win32/glyph_canvas.h"
#include "ui/win32/glyphs.h"
#include "view/columns.h"

namespace halvane {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 22;

// One row of three cells painted onto a white picture.
class RowPainterTest : public ::testing::Test {
 protected:
  RowPainterTest()
      : font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
        picture_(MakeManagePicture(19, 18)),
        painter_(DpiScale(), font_, picture_, SIZE{19, 18}) {}
  ~RowPainterTest() override { DeleteObject(picture_); }

  COLORREF PaintAndRead(bool selected, int x, int y) {
    GlyphCanvas canvas(kWidth, kHeight, RGB(255, 255, 255));
    RowPainter::Row row{};
    row.bounds = RECT{0, 0, kWidth, kHeight};
    row.selected = selected;
    row.cells = {CellPlace{1, RECT{0, 0, 80, kHeight}}, CellPlace{3, RECT{80, 0, 140, kHeight}},
                 CellPlace{kManageColumn, RECT{140, 0, 180, kHeight}}};
    row.text = [](int column) { return column == 3 ? std::wstring(L"TCP") : std::wstring(); };
    row.iconIndex = -1;
    row.icons = nullptr;
    painter_.Paint(canvas.Dc(), row);
    return GetPixel(canvas.Dc(), x, y);
  }

  HFONT font_;
  HBITMAP picture_;
  RowPainter painter_;
};

TEST_F(RowPainterTest, ASelectedRowIsFilledGreenAcrossEveryCell) {
  EXPECT_EQ(PaintAndRead(true, 40, 5), RGB(0, 128, 64));
  EXPECT_EQ(PaintAndRead(true, 130, 18), RGB(0, 128, 64));
  EXPECT_EQ(PaintAndRead(true, 190, 5), RGB(0, 128, 64));  // right of the last column too
  EXPECT_EQ(PaintAndRead(false, 40, 5), GetSysColor(COLOR_WINDOW));
}

TEST_F(RowPainterTest, GridLinesHaveTheColourOfTheActiveCaption) {
  const COLORREF grid = GetSysColor(COLOR_ACTIVECAPTION);
  EXPECT_EQ(PaintAndRead(false, 79, 10), grid);  // after the first cell
  EXPECT_EQ(PaintAndRead(false, 20, 21), grid);  // below the row
  EXPECT_EQ(PaintAndRead(true, 139, 10), grid);  // also on a selected row
}

TEST_F(RowPainterTest, TheManagePictureSitsTwelveRightAndThreeDownInItsCell) {
  // Its title bar is orange, its frame grey; left of it the cell's own background.
  EXPECT_EQ(PaintAndRead(false, 140 + 12 + 5, 3 + 3), RGB(250, 140, 20));
  EXPECT_EQ(PaintAndRead(false, 140 + 12 + 1, 3 + 8), RGB(120, 120, 120));
  EXPECT_EQ(PaintAndRead(false, 140 + 11, 3 + 8), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace halvane
