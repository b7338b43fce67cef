#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/linux/merged_usr.h"

namespace halvane {

// An installed package as the file lookups need it.
struct PackageRecord {
  std::string name;                         // without architecture, as in /usr/share/doc/<name>
  std::string summary;                      // one-line description
  std::string maintainer;                   // "Name <address>"
  std::vector<std::string> metainfo_files;  // AppStream files the package ships
};

// Which installed dpkg package owns which file: var/lib/dpkg/status for the packages and
// var/lib/dpkg/info/<package>.list for their files, read once. A lookup is one hash probe.
class PackageIndex {
 public:
  PackageIndex() = default;
  static PackageIndex Build(const std::filesystem::path& root);

  // The installed package that lists the file (either merged-/usr spelling), or null.
  const PackageRecord* OwnerOf(std::string_view system_path) const;

  std::size_t PackageCount() const { return packages_.size(); }
  std::size_t PathCount() const { return owners_.size(); }

 private:
  void IndexListTexts();
  void AddOwnedPath(std::string_view system_path, std::uint32_t package_id);

  MergedUsr merged_;
  std::vector<PackageRecord> packages_;
  // The .list contents and rewritten paths; the keys of owners_ point into them, so each text
  // keeps its address for the life of the index.
  std::vector<std::unique_ptr<const std::string>> texts_;
  std::unordered_map<std::string_view, std::uint32_t> owners_;
};

}  // namespace halvane
