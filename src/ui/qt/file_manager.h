#pragma once
#include <QDBusConnection>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

namespace halvane {

// The desktop's file manager through its org.freedesktop.FileManager1 interface on the session
// bus: a file shown selected in its folder, or its properties. Where no file manager answers
// (no bus, no such service, or an error reply), the containing folder is opened instead. The
// path goes as a file URI in a bus message, never through a shell.
class DesktopFileManager {
 public:
  static constexpr const char* kService = "org.freedesktop.FileManager1";
  static constexpr const char* kPath = "/org/freedesktop/FileManager1";
  static constexpr const char* kInterface = "org.freedesktop.FileManager1";

  using OpenFolder = std::function<void(const QUrl& folder)>;

  // `openFolder` is the fallback; by default the desktop's handler for folders.
  explicit DesktopFileManager(QDBusConnection bus = QDBusConnection::sessionBus(),
                              OpenFolder openFolder = {});

  // The calls return at once; the fallback, when needed, runs once the bus has answered.
  void ShowItems(const std::string& path);
  void ShowItemProperties(const std::string& path);

  // The URI the file manager receives for a path: "file://" and the percent-encoded path.
  static QString FileUri(const std::string& path);
  static QUrl ContainingFolder(const std::string& path);

 private:
  void Call(const char* method, const std::string& path);

  QDBusConnection bus_;
  OpenFolder openFolder_;
};

}  // namespace halvane
