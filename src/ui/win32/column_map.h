#pragma once
#include <vector>

namespace halvane {

// Which of the view's columns the list control shows, in index order: the control holds only
// the visible columns, so its positions and the view's column indexes differ.
class ColumnMap {
 public:
  // The position at which `column` is now shown, or -1 when it was shown already.
  int Show(int column);
  // The position `column` had, or -1 when it was not shown.
  int Hide(int column);
  // The column at a position, or -1.
  int ColumnAt(int position) const;
  // The position of a column, or -1 while it is hidden.
  int PositionOf(int column) const;
  int Count() const { return static_cast<int>(shown_.size()); }

 private:
  std::vector<int> shown_;  // ascending column indexes
};

}  // namespace halvane
