#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/dpi_scale.h"

namespace halvane {

// One visible cell of a row: the view's column index and where the cell lies.
struct CellPlace {
  int column;
  RECT rect;
};

// Draws one row of the connection view: the white or selection-filled background, each cell's
// text, the program icon before the process name, the manage picture, and the grid lines in
// the colour of the active window's caption.
class RowPainter {
 public:
  static constexpr COLORREF kSelectionColour = RGB(0, 128, 64);

  RowPainter(const DpiScale& scale, HFONT font, HBITMAP managePicture, SIZE managePictureSize)
      : scale_(scale),
        font_(font),
        managePicture_(managePicture),
        pictureSize_(managePictureSize) {}

  struct Row {
    RECT bounds;
    bool selected;
    std::vector<CellPlace> cells;
    std::function<std::wstring(int column)> text;
    int iconIndex;     // into `icons`, -1 for none
    HIMAGELIST icons;  // may be null
  };
  void Paint(HDC dc, const Row& row) const;

 private:
  void PaintCell(HDC dc, const Row& row, const CellPlace& cell) const;
  void PaintGrid(HDC dc, const Row& row) const;

  DpiScale scale_;
  HFONT font_;
  HBITMAP managePicture_;
  SIZE pictureSize_;
};

}  // namespace halvane
