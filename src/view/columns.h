#pragma once
#include <array>
#include <string>

#include "connlist/my_rec.h"

namespace halvane {

enum class ColumnAlign { Left, Center };

struct ColumnInfo {
  int index;
  const char* caption;
  int width;  // pixels
  bool visibleAtStart;
  ColumnAlign align;
  bool fixedWidth;  // the manage column: minimum and maximum equal its width
};

inline constexpr int kColumnCount = 14;
inline constexpr int kManageColumn = 9;

// The fourteen columns of the connection view, by index.
const std::array<ColumnInfo, kColumnCount>& ViewColumns();

// VTSGetText: the text of one cell. Column 2 shows `textNotEnabled` for every row; the manage
// column and unknown columns are empty.
std::string CellText(const TMyRec* rec, int column, const std::string& textNotEnabled);

}  // namespace halvane
