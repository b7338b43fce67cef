#include "view/header_click.h"

#include "view/columns.h"

namespace halvane {
namespace {

SortDirection Flipped(SortDirection direction) {
  return direction == SortDirection::Descending ? SortDirection::Ascending
                                                : SortDirection::Descending;
}

}  // namespace

void VTSHeaderClick(ConnectionViewModel& view, int clickedColumn) {
  if (clickedColumn == kManageColumn)
    return;
  // A new column sorts at once in the old direction; the flip then sorts again. Both sorts are
  // stable, so the first one never changes the final order.
  view.SetSortColumn(clickedColumn);
  view.SetDirection(Flipped(view.Direction()));
}

}  // namespace halvane
