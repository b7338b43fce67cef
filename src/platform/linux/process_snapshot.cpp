#include "platform/linux/process_snapshot.h"

#include <dirent.h>

#include "platform/linux/program_path.h"
#include "platform/linux/root_files.h"

namespace halvane {

namespace {

// The name of one process, or empty when it has gone.
std::string ImageNameOf(const std::filesystem::path& process_dir) {
  std::string name = ImageNameFromExeTarget(ReadLinkTarget(process_dir / "exe"));
  if (name.empty()) {
    name = CommandNameFromComm(ReadFileBytes(process_dir / "comm", 4096));
  }
  if (name.empty()) {
    name = CommandNameFromStat(ReadFileBytes(process_dir / "stat", 4096));
  }
  return name;
}

}  // namespace

std::string ImageNameFromExeTarget(std::string_view exe_target) {
  const std::string_view path = WithoutDeletedSuffix(exe_target);
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string CommandNameFromStat(std::string_view stat_text) {
  const std::size_t open = stat_text.find('(');
  const std::size_t close = stat_text.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return {};
  }
  return std::string(stat_text.substr(open + 1, close - open - 1));
}

std::string CommandNameFromComm(std::string_view comm_text) {
  if (comm_text.ends_with('\n')) {
    comm_text.remove_suffix(1);
  }
  return std::string(comm_text);
}

bool ParsePidDirName(std::string_view name, std::uint32_t& pid) {
  if (name.empty() || name.size() > 10) {
    return false;
  }
  std::uint64_t value = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) {
    return false;
  }
  pid = static_cast<std::uint32_t>(value);
  return true;
}

std::unique_ptr<LinuxProcessSnapshot> LinuxProcessSnapshot::Take(
    const std::filesystem::path& root) {
  const std::filesystem::path proc = UnderRoot(root, "/proc");
  DIR* dir = ::opendir(proc.c_str());
  if (dir == nullptr) {
    return nullptr;
  }
  auto snapshot = std::make_unique<LinuxProcessSnapshot>();
  while (const dirent* entry = ::readdir(dir)) {
    std::uint32_t pid = 0;
    if (!ParsePidDirName(entry->d_name, pid)) {
      continue;
    }
    std::string name = ImageNameOf(proc / entry->d_name);
    if (!name.empty()) {
      snapshot->names_.emplace(pid, std::move(name));
    }
  }
  ::closedir(dir);
  return snapshot;
}

std::string LinuxProcessSnapshot::GetProcessNameByPid(std::uint32_t pid) const {
  const auto found = names_.find(pid);
  return found == names_.end() ? std::string() : found->second;
}

}  // namespace halvane
