#include "ui/qt/linux_app_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>

#include "platform/linux/linux_platform.h"

namespace halvane {

LinuxAppServices::LinuxAppServices()
    : tables_(MakeLinuxConnectionTables()), identity_(MakeLinuxProcessIdentity()) {}

std::string LinuxAppServices::ProgramFilePath() {
  return QCoreApplication::applicationFilePath().toStdString();
}

// The directory of the system's own administration programs.
std::string LinuxAppServices::SystemDirectory() {
  return "/usr/sbin";
}

std::string LinuxAppServices::UserConfigDirectory() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
    dir.chop(1);
  return dir.toStdString();
}

void LinuxAppServices::OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void LinuxAppServices::OpenUrl(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace halvane
