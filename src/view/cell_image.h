#pragma once
#include "connlist/my_rec.h"
#include "view/image_list_ex.h"

namespace halvane {

// VTSGetImageIndex: the program icon of the process column (column 1), an index into the view's
// small icon list; -1 (no icon) for every other column, for no row and when the file has no icon.
int VTSGetImageIndex(TImageListEx& smallIcons, const TMyRec* rec, int column);

}  // namespace halvane
