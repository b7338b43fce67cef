#include "ui/qt/icon_backends.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include "ui/qt/glyphs.h"

namespace halvane {

namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsImageFile(const std::string& iconName) {
  return !iconName.empty() && iconName.front() == '/';
}

QIcon IconNamed(const std::string& iconName) {
  if (IsImageFile(iconName))
    return QIcon(ToQString(iconName));
  return QIcon::fromTheme(ToQString(iconName));
}

}  // namespace

int IconNameRegistry::IndexOf(const std::string& iconName) {
  const auto [it, inserted] = indexes_.try_emplace(iconName, static_cast<int>(names_.size()));
  if (inserted)
    names_.push_back(iconName);
  return it->second;
}

const std::string* IconNameRegistry::NameAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= names_.size())
    return nullptr;
  return &names_[static_cast<std::size_t>(index)];
}

DesktopSystemIcons::DesktopSystemIcons(IconNameRegistry& registry, DesktopIconIndex launchers)
    : registry_(registry), launchers_(std::move(launchers)) {}

int DesktopSystemIcons::SystemIconIndex(const std::string& path) {
  const auto cached = byPath_.find(path);
  if (cached != byPath_.end())
    return cached->second;
  const int index = registry_.IndexOf(IconNameFor(path));
  byPath_.emplace(path, index);
  return index;
}

std::string DesktopSystemIcons::IconNameFor(const std::string& path) const {
  const std::string entryIcon = launchers_.IconFor(path);
  if (IsImageFile(entryIcon) ? QFileInfo::exists(ToQString(entryIcon))
                             : !entryIcon.empty() && QIcon::hasThemeIcon(ToQString(entryIcon)))
    return entryIcon;
  return kExecutableIcon;
}

int PixmapImageStore::AddSystemIcon(int systemIndex, bool smallSystemList) {
  const std::string* name = registry_.NameAt(systemIndex);
  if (name == nullptr)
    return -1;
  const int size = smallSystemList ? 16 : 32;
  const QIcon icon = IconNamed(*name);
  QPixmap pixmap = icon.isNull() ? QPixmap() : icon.pixmap(size, size);
  if (pixmap.isNull())
    pixmap = GenericProgramPicture(size);
  else if (pixmap.width() != size || pixmap.height() != size)
    pixmap = pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  images_.push_back(pixmap);
  return static_cast<int>(images_.size()) - 1;
}

QPixmap PixmapImageStore::Pixmap(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= images_.size())
    return {};
  return images_[static_cast<std::size_t>(index)];
}

void UseFallbackIconTheme() {
  if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor"))
    return;
  for (const QString& base : QIcon::themeSearchPaths()) {
    if (QDir(base + QStringLiteral("/Adwaita")).exists()) {
      QIcon::setThemeName(QStringLiteral("Adwaita"));
      return;
    }
  }
}

}  // namespace halvane
