#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/linux/merged_usr.h"

namespace halvane {

// The Icon key of the [Desktop Entry] group, escapes left as written; empty when absent.
std::string DesktopEntryIcon(std::string_view bytes);

// The icons of the desktop entries under a root, by the program each entry launches: the icon
// a desktop shows for a running program is the one of the entry that starts it.
class DesktopIconIndex {
 public:
  DesktopIconIndex() = default;
  // Reads the system's applications directories under the root, then the `extraDirs` (system
  // paths too, such as the user's ~/.local/share/applications). An earlier directory wins for
  // a desktop file ID; Hidden entries and entries without an icon are left out.
  static DesktopIconIndex Build(const std::filesystem::path& root,
                                const std::vector<std::string>& extraDirs = {});

  // The icon name (or an absolute image path) for the program file; empty when no entry
  // launches it. An entry whose Exec starts the program goes before one naming it in TryExec.
  std::string IconFor(std::string_view programPath) const;

 private:
  struct Launcher {
    int rank = 0;  // lower is better
    std::string icon;
  };
  void AddLauncher(const std::filesystem::path& root, const std::string& program, int rank,
                   const std::string& icon);

  MergedUsr merged_;
  std::unordered_map<std::string, Launcher> launchers_;
};

}  // namespace halvane
