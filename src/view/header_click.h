#pragma once
#include "view/connection_view_model.h"

namespace halvane {

// VTSHeaderClick: `clickedColumn` is the caption pressed and released on, or -1 when the press
// and the release were over different captions. The manage column changes nothing; every other
// click sets the sort column and flips the direction, each change sorting at once.
void VTSHeaderClick(ConnectionViewModel& view, int clickedColumn);

}  // namespace halvane
