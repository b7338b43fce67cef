#include "view/image_list_ex.h"

#include <algorithm>

namespace halvane {

int TImageListEx::IconIndexForFile(const std::string& path) {
  int systemIndex = -1;
  try {
    systemIndex = systemIcons_.SystemIconIndex(path);
  } catch (...) {
    // A desktop that cannot answer has no icon for the file.
  }
  return IndexOfSystemIcon(systemIndex);
}

int TImageListEx::IndexOfSystemIcon(int systemIndex) {
  if (systemIndex < 0)
    return -1;
  EnsureSystemList();
  const auto found = std::find(FSystemIndexes->begin(), FSystemIndexes->end(), systemIndex);
  if (found != FSystemIndexes->end()) {
    return FLoadedCount + static_cast<int>(found - FSystemIndexes->begin());
  }
  const int ownIndex = CopySystemIcon(systemIndex);
  // A failed copy is not remembered, so the next request for this icon tries again.
  if (ownIndex >= 0)
    FSystemIndexes->push_back(systemIndex);
  return ownIndex;
}

int TImageListEx::CopySystemIcon(int systemIndex) {
  EnsureSystemList();
  try {
    return images_.AddSystemIcon(systemIndex, smallSystemList_);
  } catch (...) {
    return -1;  // the icon could not be fetched or added
  }
}

void TImageListEx::EnsureSystemList() {
  if (FSystemList)
    return;
  // Only the width decides: exactly 16 shares the small system list, every other width the large.
  smallSystemList_ = width_ == 16;
  FSystemList = true;
  FSystemIndexes = std::make_unique<std::vector<int>>();
}

void TImageListEx::Loaded() {
  FLoadedCount = images_.ImageCount();
}

}  // namespace halvane
