#include "app/form_netrova.h"
#include "view/cell_image.h"
#include "view/columns.h"
#include "view/header_click.h"
#include "view/row_menu.h"

namespace halvane {

// The handlers the connection view calls while it paints and takes mouse input.

std::string TFormNetrova::VTSGetText(ListRow* row, int column) {
  return CellText(VTS_.RecordOf(row), column, FTextNotEnabled);
}

int TFormNetrova::VTSGetImageIndex(ListRow* row, int column) {
  return halvane::VTSGetImageIndex(FSmallIcons, VTS_.RecordOf(row), column);
}

void TFormNetrova::VTSHeaderClick(int clickedColumn) {
  halvane::VTSHeaderClick(VTS_, clickedColumn);
  surface_.ViewChanged();
}

bool TFormNetrova::VTSGetPopupMenu(ListRow* row) {
  return halvane::VTSGetPopupMenu(PmTree, VTS_.RecordOf(row));
}

bool TFormNetrova::VTSColumnClick(int column) {
  return halvane::VTSColumnClick(PmTree, column, VTS_.RecordOf(VTS_.FocusedRow()));
}

}  // namespace halvane
