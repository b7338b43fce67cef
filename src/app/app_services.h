#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "snapshot/table_sources.h"

namespace halvane {

// What asking the system to end a process came to.
enum class TerminateResult {
  Ended,      // the end was requested; whether the process obeyed is not waited for
  CannotEnd,  // the process could not be reached, or the PID now runs another program
};

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

  // The row commands. A platform that does not offer one of them yet keeps the default, which
  // does nothing (or reaches nothing). Failures are silent unless a result says otherwise.

  // Replaces the clipboard's content with the text (UTF-8).
  virtual void CopyTextToClipboard(const std::string& utf8) {}
  // Shows the file selected in the desktop's file manager; no test that it exists.
  virtual void ShowInFileManager(const std::string& path) {}
  // Shows the desktop's properties of the file.
  virtual void ShowFileProperties(const std::string& path) {}
  // Ends the process at once, unless the PID no longer runs `expectedExePath`.
  virtual TerminateResult TerminateProcess(std::uint32_t pid, const std::string& expectedExePath) {
    return TerminateResult::CannotEnd;
  }
  // True when the path names an existing file that is not a directory.
  virtual bool IsRegularFile(const std::string& path) { return false; }
  // Directories whose programs belong to the system itself, beside SystemDirectory: a program
  // found under one of them is ended only after the user confirms.
  virtual std::vector<std::string> SystemProgramDirectories() { return {}; }

  // Hands memory the program freed but the allocator still holds back to the system: a merge
  // frees the snapshot of hundreds of thousands of rows. Nothing where the allocator has no way.
  virtual void ReturnFreeMemory() {}
};

}  // namespace halvane
