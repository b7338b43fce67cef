#include "view/column_options.h"

namespace halvane {
namespace {

bool IsColumn(int column) {
  return column >= 0 && column < kColumnCount;
}

}  // namespace

ColumnOptions::ColumnOptions() {
  for (const ColumnInfo& column : ViewColumns()) {
    options_[column.index] = column.visibleAtStart ? kShownColumnOptions : kHiddenColumnOptions;
  }
}

std::uint16_t ColumnOptions::Options(int column) const {
  return IsColumn(column) ? options_[column] : 0;
}

void ColumnOptions::SetOptions(int column, std::uint16_t options) {
  if (IsColumn(column))
    options_[column] = options;
}

void ColumnOptions::ShowFileInfoColumns(bool shown) {
  for (int column = kFirstFileInfoColumn; column <= kLastFileInfoColumn; ++column) {
    SetOptions(column, shown ? kShownColumnOptions : kHiddenColumnOptions);
  }
}

}  // namespace halvane
