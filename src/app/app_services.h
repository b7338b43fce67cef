#pragma once
#include <memory>
#include <string>

#include "snapshot/table_sources.h"

namespace halvane {

// What the main window needs of the operating system and the desktop. Each platform implements
// it; tests fake it.
class IAppServices {
 public:
  virtual ~IAppServices() = default;
  virtual IConnectionTables& Tables() = 0;
  virtual IProcessIdentity& Identity() = 0;
  // Full path of the program file.
  virtual std::string ProgramFilePath() = 0;
  // The system directory, as the system reports it (may be empty).
  virtual std::string SystemDirectory() = 0;
  // The user's configuration directory (e.g. $XDG_CONFIG_HOME or ~/.config), no trailing slash.
  virtual std::string UserConfigDirectory() = 0;
  // Opens a file with its default handler; never through a shell. Failures are silent.
  virtual void OpenDocument(const std::string& path) = 0;
  // Opens an address in the default browser; never through a shell. Failures are silent.
  virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace halvane
