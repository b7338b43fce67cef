#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace halvane {

// On a merged-/usr system /bin, /sbin and /lib* are links into /usr, and the package database
// may name a program /bin/x while the kernel reports /usr/bin/x. Both spellings are brought to
// the /usr form before they are compared. Directories that are real on this system are left
// alone, because there /bin/x and /usr/bin/x are different files.
class MergedUsr {
 public:
  MergedUsr() = default;
  // Looks at which top-level directories of the root are links to their /usr counterparts.
  static MergedUsr Detect(const std::filesystem::path& root);
  // Aliases given directly, as in ("bin", "lib").
  explicit MergedUsr(std::vector<std::string> merged_dirs) : merged_dirs_(std::move(merged_dirs)) {}

  // "/bin/bash" gives "/usr/bin/bash" when /bin is merged; other paths come back unchanged.
  std::string Canonical(std::string_view system_path) const;
  // True when Canonical would change the path.
  bool Rewrites(std::string_view system_path) const;

 private:
  std::vector<std::string> merged_dirs_;
};

}  // namespace halvane
