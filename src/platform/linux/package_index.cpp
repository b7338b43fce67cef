#include "platform/linux/package_index.h"

#include <algorithm>
#include <system_error>

#include "platform/linux/dpkg_status.h"
#include "platform/linux/root_files.h"

namespace halvane {

namespace {

constexpr std::string_view kListSuffix = ".list";
constexpr std::string_view kMetainfoDirs[] = {"/usr/share/metainfo/", "/usr/share/appdata/"};

// The stems ("bash", "libc6:amd64") of the .list files in the dpkg info directory, sorted so
// that the first owner of a file shared by several packages is always the same one.
std::vector<std::string> ListFileStems(const std::filesystem::path& info_dir) {
  std::vector<std::string> stems;
  std::error_code error;
  for (std::filesystem::directory_iterator it(info_dir, error), end; !error && it != end;
       it.increment(error)) {
    const std::string file = it->path().filename().string();
    if (file.size() > kListSuffix.size() && file.ends_with(kListSuffix)) {
      stems.push_back(file.substr(0, file.size() - kListSuffix.size()));
    }
  }
  std::sort(stems.begin(), stems.end());
  return stems;
}

// Installed packages by "name:arch" and by bare name (the first of that name).
std::unordered_map<std::string, std::size_t> PackagesByListName(
    const std::vector<DpkgPackage>& packages) {
  std::unordered_map<std::string, std::size_t> by_name;
  for (std::size_t i = 0; i < packages.size(); ++i) {
    if (!packages[i].architecture.empty()) {
      by_name.emplace(packages[i].name + ":" + packages[i].architecture, i);
    }
    by_name.emplace(packages[i].name, i);
  }
  return by_name;
}

bool IsMetainfoFile(std::string_view system_path) {
  if (!system_path.ends_with(".xml")) {
    return false;
  }
  return std::any_of(std::begin(kMetainfoDirs), std::end(kMetainfoDirs),
                     [&](std::string_view dir) { return system_path.starts_with(dir); });
}

}  // namespace

PackageIndex PackageIndex::Build(const std::filesystem::path& root) {
  PackageIndex index;
  index.merged_ = MergedUsr::Detect(root);
  const std::vector<DpkgPackage> installed =
      ParseDpkgStatus(ReadFileBytes(UnderRoot(root, "/var/lib/dpkg/status")));
  const auto by_list_name = PackagesByListName(installed);
  const std::filesystem::path info_dir = UnderRoot(root, "/var/lib/dpkg/info");
  for (const std::string& stem : ListFileStems(info_dir)) {
    auto found = by_list_name.find(stem);
    if (found == by_list_name.end()) {
      found = by_list_name.find(std::string(SplitDpkgListName(stem).name));
    }
    if (found == by_list_name.end()) {
      continue;
    }
    const DpkgPackage& package = installed[found->second];
    index.packages_.push_back({package.name, package.summary, package.maintainer, {}});
    index.texts_.push_back(std::make_unique<const std::string>(
        ReadFileBytes(info_dir / (stem + std::string(kListSuffix)))));
  }
  index.IndexListTexts();
  return index;
}

void PackageIndex::IndexListTexts() {
  // Text i is the .list of package i; the rewritten paths are appended after them.
  const std::size_t list_count = texts_.size();
  std::size_t lines = 0;
  for (std::size_t i = 0; i < list_count; ++i) {
    lines += static_cast<std::size_t>(std::count(texts_[i]->begin(), texts_[i]->end(), '\n'));
  }
  owners_.reserve(lines);
  for (std::size_t i = 0; i < list_count; ++i) {
    const std::string_view text = *texts_[i];
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) {
        end = text.size();
      }
      const std::string_view line = text.substr(start, end - start);
      if (line.size() > 1 && line.front() == '/') {
        AddOwnedPath(line, static_cast<std::uint32_t>(i));
      }
      start = end + 1;
    }
  }
}

void PackageIndex::AddOwnedPath(std::string_view system_path, std::uint32_t package_id) {
  if (IsMetainfoFile(system_path)) {
    packages_[package_id].metainfo_files.emplace_back(system_path);
  }
  if (merged_.Rewrites(system_path)) {
    texts_.push_back(std::make_unique<const std::string>(merged_.Canonical(system_path)));
    system_path = *texts_.back();
  }
  owners_.emplace(system_path, package_id);
}

const PackageRecord* PackageIndex::OwnerOf(std::string_view system_path) const {
  if (system_path.empty()) {
    return nullptr;
  }
  const auto found = owners_.find(std::string_view(merged_.Canonical(system_path)));
  return found == owners_.end() ? nullptr : &packages_[found->second];
}

}  // namespace halvane
