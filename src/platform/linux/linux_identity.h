#pragma once
#include <filesystem>

#include "platform/linux/file_identity.h"
#include "snapshot/table_sources.h"

namespace halvane {

// Who a process is on Linux, read from the system under a root directory ("/" for the
// running system): image names and program paths from proc/, description and company from
// the desktop entries and the dpkg package database, which are read again after they changed
// when the next process snapshot is taken. The privilege step acts on this process itself,
// whatever the root.
class LinuxProcessIdentity final : public IProcessIdentity {
 public:
  explicit LinuxProcessIdentity(std::filesystem::path root = "/");

  std::unique_ptr<IProcessSnapshot> CreateProcessSnapshot() override;
  std::string GetProcessPathByPid(std::uint32_t pid) override;
  std::string GetFileVersionStrings(const std::string& path, std::string& company) override;
  bool EnableDebugPrivilege() override;

 private:
  std::filesystem::path root_;
  FileIdentity files_;
};

}  // namespace halvane
