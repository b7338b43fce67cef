#pragma once
#include <windows.h>

#include <memory>

#include "app/app_services.h"
#include "platform/windows/shell_launcher.h"

namespace halvane {

// The help document opened for `path`: the compiled help (".chm") of the same name beside it
// where one exists, else the path itself.
std::string PreferredHelpDocument(const std::string& path);

// The parameters that make Explorer open the folder of `path` with the file selected. The path
// is quoted: Explorer splits its parameters at commas, so an unquoted path with a comma in it
// would select nothing.
std::wstring ExplorerSelectParameters(const std::string& path);

// True when the path names an existing file that is not a directory.
bool IsExistingFile(const std::string& path);

// The running Windows system and shell, as the main window needs them. Every text crosses to
// the system through the W functions.
class WindowsAppServices : public IAppServices {
 public:
  WindowsAppServices();
  WindowsAppServices(std::unique_ptr<IConnectionTables> tables,
                     std::unique_ptr<IProcessIdentity> identity,
                     std::unique_ptr<IShellLauncher> shell = MakeSystemShellLauncher());

  IConnectionTables& Tables() override { return *tables_; }
  IProcessIdentity& Identity() override { return *identity_; }
  std::string ProgramFilePath() override;
  std::string SystemDirectory() override;
  // The user's roaming application data folder.
  std::string UserConfigDirectory() override;
  // Both go to the shell's "open"; failures are silent.
  void OpenDocument(const std::string& path) override;
  void OpenUrl(const std::string& url) override;

  // The row commands.
  // CF_UNICODETEXT, and CF_TEXT in the ANSI code page beside it; failures are silent.
  void CopyTextToClipboard(const std::string& utf8) override;
  // Explorer, started through the shell with the file selected.
  void ShowInFileManager(const std::string& path) override;
  // The shell's properties sheet of the file (the "properties" verb).
  void ShowFileProperties(const std::string& path) override;
  // OpenProcess, a look at the process's program file, then TerminateProcess.
  TerminateResult TerminateProcess(std::uint32_t pid, const std::string& expectedExePath) override;
  bool IsRegularFile(const std::string& path) override;
  // None beside the system directory: on Windows that one (FSysDirUpper) covers the system's
  // own programs.
  std::vector<std::string> SystemProgramDirectories() override { return {}; }

  // The window that owns what the shell shows for documents (the main window).
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

 private:
  std::unique_ptr<IConnectionTables> tables_;
  std::unique_ptr<IProcessIdentity> identity_;
  std::unique_ptr<IShellLauncher> shell_;
  HWND owner_ = nullptr;
};

}  // namespace halvane
