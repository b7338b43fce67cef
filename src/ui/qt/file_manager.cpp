#include "ui/qt/file_manager.h"

#include <QCoreApplication>

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>

namespace halvane {

namespace {

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void OpenWithDesktop(const QUrl& folder) {
  QDesktopServices::openUrl(folder);
}

}  // namespace

DesktopFileManager::DesktopFileManager(QDBusConnection bus, OpenFolder openFolder)
    : bus_(std::move(bus)), openFolder_(openFolder ? std::move(openFolder) : OpenWithDesktop) {}

QString DesktopFileManager::FileUri(const std::string& path) {
  return QString::fromLatin1(QUrl::fromLocalFile(ToQString(path)).toEncoded());
}

QUrl DesktopFileManager::ContainingFolder(const std::string& path) {
  return QUrl::fromLocalFile(QFileInfo(ToQString(path)).absolutePath());
}

void DesktopFileManager::ShowItems(const std::string& path) {
  Call("ShowItems", path);
}

void DesktopFileManager::ShowItemProperties(const std::string& path) {
  Call("ShowItemProperties", path);
}

void DesktopFileManager::Call(const char* method, const std::string& path) {
  if (path.empty())
    return;  // nothing to show
  const QUrl folder = ContainingFolder(path);
  if (!bus_.isConnected()) {
    openFolder_(folder);
    return;
  }
  QDBusMessage message =
      QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                     QString::fromLatin1(kInterface), QString::fromLatin1(method));
  // The second argument is the startup notification id: none.
  message << QStringList{FileUri(path)} << QString();
  // The answer is awaited without blocking the window; a file manager that is started for the
  // call may take a moment. The application owns a watcher whose answer never came.
  auto* watcher =
      new QDBusPendingCallWatcher(bus_.asyncCall(message), QCoreApplication::instance());
  OpenFolder openFolder = openFolder_;
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [openFolder, folder](QDBusPendingCallWatcher* call) {
                     if (call->isError())
                       openFolder(folder);
                     call->deleteLater();
                   });
}

}  // namespace halvane
