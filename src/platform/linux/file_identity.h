#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/linux/desktop_entries.h"
#include "platform/linux/package_index.h"
#include "platform/linux/root_files.h"

namespace halvane {

// What the system knows about a program file, in the place of a version resource.
struct FileVersionStrings {
  std::string description;
  std::string company;
};

// Description and company of files under a root directory.
// Description: the Name of the desktop entry that launches the program, else the one-line
// description of the installed package that owns the file. Company: the AppStream developer
// of that package, else the first holder of its machine-readable copyright file, else its
// maintainer's name. A link such as /usr/bin/vim (to vim.basic through the alternatives) is
// known by its own name and by the file it leads to.
// The package and desktop indexes are read at the first lookup; Revalidate reads them again
// when the package database or an applications directory has changed since. Results are kept
// per path until then, so a lookup is a hash probe.
class FileIdentity {
 public:
  explicit FileIdentity(std::filesystem::path root) : root_(std::move(root)) {}

  // Both empty for an empty path and for a file that neither a package nor a desktop entry
  // knows.
  FileVersionStrings Lookup(std::string_view path);

  // Looks whether the package database or the desktop entries changed since they were read
  // (a few stat calls) and reads what changed again at the next lookup.
  void Revalidate();

 private:
  void ReadPackages();
  void ReadDesktopEntries();
  bool PackageDatabaseChanged() const;
  bool DesktopEntriesChanged() const;
  FileVersionStrings Describe(std::string_view path, std::string_view target);
  const std::string& CompanyOf(const PackageRecord& package);
  std::string ReadUnderRoot(std::string_view system_path) const;

  std::filesystem::path root_;
  bool packages_read_ = false;
  FileStamp status_stamp_;
  FileStamp info_dir_stamp_;
  PackageIndex packages_;
  bool desktop_read_ = false;
  DesktopEntryIndex desktop_;
  std::unordered_map<const PackageRecord*, std::string> companies_;
  std::unordered_map<std::string, FileVersionStrings> results_;
};

}  // namespace halvane
