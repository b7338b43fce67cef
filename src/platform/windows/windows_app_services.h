#pragma once
#include <windows.h>

#include <memory>

#include "app/app_services.h"

namespace halvane {

// The help document opened for `path`: the compiled help (".chm") of the same name beside it
// where one exists, else the path itself.
std::string PreferredHelpDocument(const std::string& path);

// The running Windows system and shell, as the main window needs them. Every text crosses to
// the system through the W functions.
class WindowsAppServices : public IAppServices {
 public:
  WindowsAppServices();
  WindowsAppServices(std::unique_ptr<IConnectionTables> tables,
                     std::unique_ptr<IProcessIdentity> identity);

  IConnectionTables& Tables() override { return *tables_; }
  IProcessIdentity& Identity() override { return *identity_; }
  std::string ProgramFilePath() override;
  std::string SystemDirectory() override;
  // The user's roaming application data folder.
  std::string UserConfigDirectory() override;
  // Both go to the shell's "open"; failures are silent.
  void OpenDocument(const std::string& path) override;
  void OpenUrl(const std::string& url) override;

  // The window that owns what the shell shows for documents (the main window).
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

 private:
  std::unique_ptr<IConnectionTables> tables_;
  std::unique_ptr<IProcessIdentity> identity_;
  HWND owner_ = nullptr;
};

}  // namespace halvane
