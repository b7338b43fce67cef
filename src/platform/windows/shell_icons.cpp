#include "platform/windows/shell_icons.h"

#include <shellapi.h>

#include "platform/windows/wide_text.h"

namespace halvane {
namespace {

// SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON: the index only, by the name.
constexpr UINT kIndexByNameFlags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON;
static_assert(kIndexByNameFlags == 0x4011);

// An icon handle destroyed with the object, also when adding it fails.
class IconHandle {
 public:
  explicit IconHandle(HICON icon) : icon_(icon) {}
  ~IconHandle() {
    if (icon_ != nullptr)
      DestroyIcon(icon_);
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;
  HICON get() const { return icon_; }

 private:
  HICON icon_;
};

}  // namespace

HIMAGELIST SystemImageList(bool small) {
  SHFILEINFOW info{};
  const UINT size = small ? SHGFI_SMALLICON : SHGFI_LARGEICON;
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | size));
}

int ShellSystemIcons::SystemIconIndex(const std::string& path) {
  SHFILEINFOW info{};
  const DWORD_PTR found = SHGetFileInfoW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL, &info,
                                         sizeof(info), kIndexByNameFlags);
  return found != 0 ? info.iIcon : -1;
}

SystemImageListStore::~SystemImageListStore() {
  if (images_ != nullptr)
    ImageList_Destroy(images_);
}

int SystemImageListStore::ImageCount() const {
  return images_ != nullptr ? ImageList_GetImageCount(images_) : 0;
}

int SystemImageListStore::AddSystemIcon(int systemIndex, bool smallSystemList) {
  const HIMAGELIST system = SystemImageList(smallSystemList);
  if (system == nullptr)
    return -1;
  const IconHandle icon(ImageList_GetIcon(system, systemIndex, ILD_NORMAL));
  if (icon.get() == nullptr)
    return -1;
  if (images_ == nullptr) {
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(system, &width, &height))
      return -1;
    images_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (images_ == nullptr)
      return -1;
  }
  return ImageList_AddIcon(images_, icon.get());
}

}  // namespace halvane
