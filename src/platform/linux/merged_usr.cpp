#include "platform/linux/merged_usr.h"

#include "platform/linux/root_files.h"

namespace halvane {

namespace {

constexpr std::string_view kMergeableDirs[] = {"bin", "sbin", "lib", "lib32", "lib64", "libx32"};

// The top-level directory of "/bin/bash" is "bin"; "/bin" alone counts too.
std::string_view TopLevelDir(std::string_view system_path) {
  if (system_path.size() < 2 || system_path.front() != '/') {
    return {};
  }
  const std::size_t end = system_path.find('/', 1);
  return system_path.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
}

}  // namespace

MergedUsr MergedUsr::Detect(const std::filesystem::path& root) {
  std::vector<std::string> merged;
  for (const std::string_view dir : kMergeableDirs) {
    const std::string top = "/" + std::string(dir);
    if (ResolveInRoot(root, top) == "/usr" + top) {
      merged.emplace_back(dir);
    }
  }
  return MergedUsr(std::move(merged));
}

bool MergedUsr::Rewrites(std::string_view system_path) const {
  const std::string_view top = TopLevelDir(system_path);
  for (const std::string& dir : merged_dirs_) {
    if (top == dir) {
      return true;
    }
  }
  return false;
}

std::string MergedUsr::Canonical(std::string_view system_path) const {
  if (Rewrites(system_path)) {
    return "/usr" + std::string(system_path);
  }
  return std::string(system_path);
}

}  // namespace halvane
