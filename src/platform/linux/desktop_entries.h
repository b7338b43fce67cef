#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/linux/merged_usr.h"
#include "platform/linux/root_files.h"

namespace halvane {

// The keys of a desktop entry's [Desktop Entry] group that tell which program it starts.
struct DesktopEntry {
  std::string name;  // untranslated Name, escapes decoded
  std::string exec;
  std::string try_exec;
  std::string type;
  bool hidden = false;
  bool no_display = false;
};

DesktopEntry ParseDesktopEntry(std::string_view bytes);

// The program an Exec line starts: its first word, unquoted; a leading "env" with its
// VAR=value settings is looked through. Empty when the line names none.
std::string ExecProgram(std::string_view exec);

// The names of the applications that the desktop entries under the root launch, by program
// path. An entry names a program through its Exec and TryExec; a bare program name is found in
// the usual program directories. Directories earlier in the search order shadow later entries
// with the same desktop file ID, and Hidden entries count as removed.
class DesktopEntryIndex {
 public:
  DesktopEntryIndex() = default;
  static DesktopEntryIndex Build(const std::filesystem::path& root);

  // The Name of the entry that launches the program, or empty. An entry whose Exec starts the
  // program goes before one that names it only in TryExec, a shown one before a NoDisplay one.
  std::string NameFor(std::string_view program_path) const;

  // The directories read, with their stamps when they were read: the index is out of date
  // when one of them changes.
  const std::vector<std::pair<std::filesystem::path, FileStamp>>& Sources() const {
    return sources_;
  }

 private:
  struct Launcher {
    int rank = 0;  // lower is better
    std::string name;
  };
  void AddEntry(const std::filesystem::path& root, const DesktopEntry& entry);
  void AddLauncher(const std::filesystem::path& root, const std::string& program, int rank,
                   const std::string& name);

  MergedUsr merged_;
  std::unordered_map<std::string, Launcher> launchers_;
  std::vector<std::pair<std::filesystem::path, FileStamp>> sources_;
};

}  // namespace halvane
