#pragma once
#include <chrono>
#include <memory>

#include "app/app_services.h"
#include "ui/qt/file_manager.h"

namespace halvane {

// The running Linux system and desktop, as the main window needs them.
class LinuxAppServices : public IAppServices {
 public:
  // How long ending a process waits for it to be gone, so the refresh after it is current.
  static constexpr std::chrono::milliseconds kExitWait{1000};

  LinuxAppServices();
  // The file manager given, e.g. on another bus or with another fallback.
  explicit LinuxAppServices(DesktopFileManager fileManager);
  IConnectionTables& Tables() override { return *tables_; }
  IProcessIdentity& Identity() override { return *identity_; }
  std::string ProgramFilePath() override;
  std::string SystemDirectory() override;
  std::string UserConfigDirectory() override;
  // Both hand the file or address to the desktop's default handler, never to a shell.
  void OpenDocument(const std::string& path) override;
  void OpenUrl(const std::string& url) override;

  void CopyTextToClipboard(const std::string& utf8) override;
  void ShowInFileManager(const std::string& path) override;
  void ShowFileProperties(const std::string& path) override;
  // SIGKILL through a pidfd, only while the PID still runs the expected program.
  TerminateResult TerminateProcess(std::uint32_t pid, const std::string& expectedExePath) override;
  bool IsRegularFile(const std::string& path) override;
  // The administration programs and the service manager's own programs.
  std::vector<std::string> SystemProgramDirectories() override;
  void ReturnFreeMemory() override;

 private:
  std::unique_ptr<IConnectionTables> tables_;
  std::unique_ptr<IProcessIdentity> identity_;
  DesktopFileManager fileManager_;
};

}  // namespace halvane
