#pragma once
#include <windows.h>

#include <commctrl.h>

#include "view/image_list_ex.h"

namespace halvane {

// The shell's system image list of small (true) or large icons: shared with the shell, never
// destroyed here. Null when the shell gives none.
HIMAGELIST SystemImageList(bool small);

// The system image list index the shell gives a file's name, without touching the file
// (SHGFI_USEFILEATTRIBUTES as a normal file), or -1.
class ShellSystemIcons : public ISystemIcons {
 public:
  int SystemIconIndex(const std::string& path) override;
};

// The images of one TImageListEx: icons copied out of the system image list into an image list
// of this program's own, created at the icon size of the first system list copied from.
class SystemImageListStore : public IImageStore {
 public:
  SystemImageListStore() = default;
  ~SystemImageListStore() override;
  SystemImageListStore(const SystemImageListStore&) = delete;
  SystemImageListStore& operator=(const SystemImageListStore&) = delete;

  int ImageCount() const override;
  int AddSystemIcon(int systemIndex, bool smallSystemList) override;
  // Null until the first icon was copied.
  HIMAGELIST Handle() const { return images_; }

 private:
  HIMAGELIST images_ = nullptr;
};

}  // namespace halvane
