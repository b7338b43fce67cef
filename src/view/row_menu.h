#pragma once
#include "connlist/my_rec.h"

namespace halvane {

// Enabled state of the per-row menu items; the first four depend on the row. It persists between
// menu preparations: the double click and the end-process button find it as last prepared.
struct RowMenuState {
  bool NProcInfo = true;
  bool NEndProc = true;
  bool NLocate = true;
  bool NProperty = true;
  bool NCopy = true;  // never changed by a preparation
};

// The four items are enabled exactly when the row has a program path.
void PrepareRowMenu(RowMenuState& menu, const TMyRec& rec);

// VTSGetPopupMenu: prepares the menu for the row and says whether the menu shows (no row: no menu).
bool VTSGetPopupMenu(RowMenuState& menu, const TMyRec* rec);

// VTSColumnClick: a left click in the rows area; true when the menu must pop up at the pointer
// (manage column and a focused row), the menu then prepared for the focused row.
bool VTSColumnClick(RowMenuState& menu, int column, const TMyRec* focusedRec);

}  // namespace halvane
