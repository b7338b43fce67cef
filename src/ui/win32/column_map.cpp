#include "ui/win32/column_map.h"

#include <algorithm>

namespace halvane {

int ColumnMap::Show(int column) {
  const auto at = std::lower_bound(shown_.begin(), shown_.end(), column);
  if (at != shown_.end() && *at == column)
    return -1;
  const int position = static_cast<int>(at - shown_.begin());
  shown_.insert(at, column);
  return position;
}

int ColumnMap::Hide(int column) {
  const int position = PositionOf(column);
  if (position >= 0)
    shown_.erase(shown_.begin() + position);
  return position;
}

int ColumnMap::ColumnAt(int position) const {
  return position >= 0 && position < Count() ? shown_[static_cast<std::size_t>(position)] : -1;
}

int ColumnMap::PositionOf(int column) const {
  const auto at = std::lower_bound(shown_.begin(), shown_.end(), column);
  return at != shown_.end() && *at == column ? static_cast<int>(at - shown_.begin()) : -1;
}

}  // namespace halvane
