#include "ui/qt/linux_app_services.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "platform/linux/free_memory.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/process_terminate.h"

namespace halvane {

LinuxAppServices::LinuxAppServices() : LinuxAppServices(DesktopFileManager()) {}

LinuxAppServices::LinuxAppServices(DesktopFileManager fileManager)
    : tables_(MakeLinuxConnectionTables()),
      identity_(MakeLinuxProcessIdentity()),
      fileManager_(std::move(fileManager)) {}

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

void LinuxAppServices::CopyTextToClipboard(const std::string& utf8) {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(QString::fromStdString(utf8));
}

void LinuxAppServices::ShowInFileManager(const std::string& path) {
  fileManager_.ShowItems(path);
}

void LinuxAppServices::ShowFileProperties(const std::string& path) {
  fileManager_.ShowItemProperties(path);
}

TerminateResult LinuxAppServices::TerminateProcess(std::uint32_t pid,
                                                   const std::string& expectedExePath) {
  return KillProcessRunning(pid, expectedExePath, kExitWait) == KillOutcome::Signalled
             ? TerminateResult::Ended
             : TerminateResult::CannotEnd;
}

bool LinuxAppServices::IsRegularFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::vector<std::string> LinuxAppServices::SystemProgramDirectories() {
  return {"/usr/sbin", "/sbin", "/usr/lib/systemd", "/lib/systemd"};
}

void LinuxAppServices::ReturnFreeMemory() {
  ReturnFreeMemoryToSystem();
}

}  // namespace halvane
