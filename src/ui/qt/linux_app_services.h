#pragma once
#include <memory>

#include "app/app_services.h"

namespace halvane {

// The running Linux system and desktop, as the main window needs them.
class LinuxAppServices : public IAppServices {
 public:
  LinuxAppServices();
  IConnectionTables& Tables() override { return *tables_; }
  IProcessIdentity& Identity() override { return *identity_; }
  std::string ProgramFilePath() override;
  std::string SystemDirectory() override;
  std::string UserConfigDirectory() override;
  // Both hand the file or address to the desktop's default handler, never to a shell.
  void OpenDocument(const std::string& path) override;
  void OpenUrl(const std::string& url) override;

 private:
  std::unique_ptr<IConnectionTables> tables_;
  std::unique_ptr<IProcessIdentity> identity_;
};

}  // namespace halvane
