#include "platform/linux/file_identity.h"

#include "platform/linux/appstream.h"
#include "platform/linux/copyright_holder.h"
#include "platform/linux/dpkg_status.h"

namespace halvane {

namespace {

constexpr std::string_view kStatusFile = "/var/lib/dpkg/status";
constexpr std::string_view kInfoDir = "/var/lib/dpkg/info";
// The programs of one machine are far fewer; past this the cache starts afresh.
constexpr std::size_t kMaxCachedResults = 4096;

}  // namespace

FileVersionStrings FileIdentity::Lookup(std::string_view path) {
  if (path.empty()) {
    return {};
  }
  if (!packages_read_) {
    ReadPackages();
  }
  if (!desktop_read_) {
    ReadDesktopEntries();
  }
  std::string key(path);
  if (const auto cached = results_.find(key); cached != results_.end()) {
    return cached->second;
  }
  FileVersionStrings result = Describe(path, ResolveInRoot(root_, path));
  if (results_.size() >= kMaxCachedResults) {
    results_.clear();
  }
  results_.emplace(std::move(key), result);
  return result;
}

void FileIdentity::Revalidate() {
  if (packages_read_ && PackageDatabaseChanged()) {
    packages_read_ = false;
  }
  if (desktop_read_ && DesktopEntriesChanged()) {
    desktop_read_ = false;
  }
}

void FileIdentity::ReadPackages() {
  status_stamp_ = StampOf(UnderRoot(root_, kStatusFile));
  info_dir_stamp_ = StampOf(UnderRoot(root_, kInfoDir));
  packages_ = PackageIndex::Build(root_);
  packages_read_ = true;
  companies_.clear();
  results_.clear();
}

void FileIdentity::ReadDesktopEntries() {
  desktop_ = DesktopEntryIndex::Build(root_);
  desktop_read_ = true;
  results_.clear();
}

bool FileIdentity::PackageDatabaseChanged() const {
  return StampOf(UnderRoot(root_, kStatusFile)) != status_stamp_ ||
         StampOf(UnderRoot(root_, kInfoDir)) != info_dir_stamp_;
}

bool FileIdentity::DesktopEntriesChanged() const {
  for (const auto& [dir, stamp] : desktop_.Sources()) {
    if (StampOf(dir) != stamp) {
      return true;
    }
  }
  return false;
}

FileVersionStrings FileIdentity::Describe(std::string_view path, std::string_view target) {
  const PackageRecord* owner = packages_.OwnerOf(path);
  if (owner == nullptr && !target.empty()) {
    owner = packages_.OwnerOf(target);
  }
  FileVersionStrings result;
  result.description = desktop_.NameFor(path);
  if (result.description.empty() && !target.empty()) {
    result.description = desktop_.NameFor(target);
  }
  if (owner == nullptr) {
    return result;
  }
  if (result.description.empty()) {
    result.description = owner->summary;
  }
  result.company = CompanyOf(*owner);
  return result;
}

const std::string& FileIdentity::CompanyOf(const PackageRecord& package) {
  const auto cached = companies_.find(&package);
  if (cached != companies_.end()) {
    return cached->second;
  }
  std::string company;
  for (const std::string& metainfo : package.metainfo_files) {
    company = AppStreamDeveloperName(ReadUnderRoot(metainfo));
    if (!company.empty()) {
      break;
    }
  }
  if (company.empty()) {
    company = FirstCopyrightHolder(ReadUnderRoot("/usr/share/doc/" + package.name + "/copyright"));
  }
  if (company.empty()) {
    company = NameWithoutAddress(package.maintainer);
  }
  return companies_.emplace(&package, std::move(company)).first->second;
}

std::string FileIdentity::ReadUnderRoot(std::string_view system_path) const {
  const std::string resolved = ResolveInRoot(root_, system_path);
  if (resolved.empty()) {
    return {};
  }
  return ReadFileBytes(UnderRoot(root_, resolved), 4u << 20);
}

}  // namespace halvane
