#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace halvane {

// What the dpkg status file says about one installed package.
struct DpkgPackage {
  std::string name;          // "libc6"
  std::string architecture;  // "amd64", "all" or empty
  std::string summary;       // first line of Description
  std::string maintainer;    // "Name <address>" as written
};

// The installed packages of a dpkg status file; packages that are only known, removed or
// half-installed are left out, since their files may not be on the system.
std::vector<DpkgPackage> ParseDpkgStatus(std::string_view bytes);

// The part of a .list file name before ".list": "libc6:amd64" gives name "libc6",
// architecture "amd64"; "bash" gives "bash" and an empty architecture.
struct DpkgListName {
  std::string_view name;
  std::string_view architecture;
};
DpkgListName SplitDpkgListName(std::string_view stem);

// "Matthias Klose <doko@debian.org>" gives "Matthias Klose".
std::string NameWithoutAddress(std::string_view person);

}  // namespace halvane
