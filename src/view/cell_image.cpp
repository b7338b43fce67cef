#include "view/cell_image.h"

namespace halvane {

namespace {
constexpr int kProcessColumn = 1;
}  // namespace

int VTSGetImageIndex(TImageListEx& smallIcons, const TMyRec* rec, int column) {
  if (rec == nullptr || column != kProcessColumn)
    return -1;
  return smallIcons.IconIndexForFile(rec->ProcessPath.str());
}

}  // namespace halvane
