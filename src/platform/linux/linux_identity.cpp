#include "platform/linux/linux_identity.h"

#include "platform/linux/capabilities.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/process_snapshot.h"
#include "platform/linux/program_path.h"

namespace halvane {

LinuxProcessIdentity::LinuxProcessIdentity(std::filesystem::path root)
    : root_(std::move(root)), files_(root_) {}

std::unique_ptr<IProcessSnapshot> LinuxProcessIdentity::CreateProcessSnapshot() {
  // A refresh takes one snapshot: that is when packages installed or removed since the last
  // refresh are noticed.
  files_.Revalidate();
  return LinuxProcessSnapshot::Take(root_);
}

std::string LinuxProcessIdentity::GetProcessPathByPid(std::uint32_t pid) {
  return ReadProgramPath(root_, pid);
}

std::string LinuxProcessIdentity::GetFileVersionStrings(const std::string& path,
                                                        std::string& company) {
  FileVersionStrings strings = files_.Lookup(path);
  company = std::move(strings.company);
  return std::move(strings.description);
}

bool LinuxProcessIdentity::EnableDebugPrivilege() {
  return RaiseDebugCapabilities();
}

std::unique_ptr<IProcessIdentity> MakeLinuxProcessIdentity() {
  return std::make_unique<LinuxProcessIdentity>();
}

}  // namespace halvane
