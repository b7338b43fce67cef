#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "snapshot/table_sources.h"

namespace halvane {

// The image name of every process under <root>/proc at the moment the snapshot is taken:
// the file name of its program (/proc/<pid>/exe), or, where that cannot be read (kernel
// threads, other accounts' processes), the name the kernel keeps for it (comm, else stat).
// A process that ends while the snapshot is taken is simply not listed.
class LinuxProcessSnapshot final : public IProcessSnapshot {
 public:
  static std::unique_ptr<LinuxProcessSnapshot> Take(const std::filesystem::path& root);

  std::string GetProcessNameByPid(std::uint32_t pid) const override;
  std::size_t size() const { return names_.size(); }

 private:
  std::unordered_map<std::uint32_t, std::string> names_;
};

// The file name of an exe link target: "/usr/bin/bash (deleted)" gives "bash".
std::string ImageNameFromExeTarget(std::string_view exe_target);

// The command name in the text of /proc/<pid>/stat: what stands between the first '(' and
// the last ')', since the name itself may hold parentheses and spaces.
std::string CommandNameFromStat(std::string_view stat_text);

// The text of /proc/<pid>/comm without its line end.
std::string CommandNameFromComm(std::string_view comm_text);

// The PID that a /proc entry name stands for; false for anything but a decimal number.
bool ParsePidDirName(std::string_view name, std::uint32_t& pid);

}  // namespace halvane
