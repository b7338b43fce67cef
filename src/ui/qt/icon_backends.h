#pragma once
#include <QPixmap>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/linux/desktop_icons.h"
#include "view/image_list_ex.h"

namespace halvane {

// The desktop's "system image list": every distinct icon name gets one system index, in the
// order the names are first asked for.
class IconNameRegistry {
 public:
  int IndexOf(const std::string& iconName);
  // Null for an index that was never given out.
  const std::string* NameAt(int index) const;

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, int> indexes_;
};

// A program file's icon on Linux: the icon of the desktop entry that launches it, through the
// icon theme; else the theme's icon for an executable. Each path is looked up once.
class DesktopSystemIcons : public ISystemIcons {
 public:
  static constexpr const char* kExecutableIcon = "application-x-executable";

  DesktopSystemIcons(IconNameRegistry& registry, DesktopIconIndex launchers);
  int SystemIconIndex(const std::string& path) override;

 private:
  std::string IconNameFor(const std::string& path) const;

  IconNameRegistry& registry_;
  DesktopIconIndex launchers_;
  std::unordered_map<std::string, int> byPath_;
};

// The images of one TImageListEx: pixmaps at 16 x 16 (small system list) or 32 x 32.
class PixmapImageStore : public IImageStore {
 public:
  explicit PixmapImageStore(const IconNameRegistry& registry) : registry_(registry) {}
  int ImageCount() const override { return static_cast<int>(images_.size()); }
  int AddSystemIcon(int systemIndex, bool smallSystemList) override;
  // A null pixmap for an index that holds no image.
  QPixmap Pixmap(int index) const;

 private:
  const IconNameRegistry& registry_;
  std::vector<QPixmap> images_;
};

// Makes the executable icon findable where no desktop chose an icon theme.
void UseFallbackIconTheme();

}  // namespace halvane
