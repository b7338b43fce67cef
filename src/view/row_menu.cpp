#include "view/row_menu.h"

#include "view/columns.h"

namespace halvane {

void PrepareRowMenu(RowMenuState& menu, const TMyRec& rec) {
  // Without a program file there is nothing to show, end, locate or inspect. NCopy is left alone.
  const bool enabled = !rec.ProcessPath.empty();
  menu.NProcInfo = enabled;
  menu.NEndProc = enabled;
  menu.NLocate = enabled;
  menu.NProperty = enabled;
}

bool VTSGetPopupMenu(RowMenuState& menu, const TMyRec* rec) {
  if (rec == nullptr)
    return false;  // below the last row
  PrepareRowMenu(menu, *rec);
  return true;
}

bool VTSColumnClick(RowMenuState& menu, int column, const TMyRec* focusedRec) {
  if (column != kManageColumn || focusedRec == nullptr)
    return false;
  PrepareRowMenu(menu, *focusedRec);
  return true;
}

}  // namespace halvane
