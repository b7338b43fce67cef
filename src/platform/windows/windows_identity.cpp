#include "platform/windows/windows_identity.h"

#include "platform/windows/process_path.h"
#include "platform/windows/process_snapshot.h"
#include "platform/windows/token_privilege.h"
#include "platform/windows/version_strings.h"

namespace halvane {

std::unique_ptr<IProcessSnapshot> WindowsProcessIdentity::CreateProcessSnapshot() {
  return ToolHelpProcessSnapshot::Take(toolHelp_);
}

std::string WindowsProcessIdentity::GetProcessPathByPid(std::uint32_t pid) {
  return ProcessPathByPid(psapi_, pid);
}

std::string WindowsProcessIdentity::GetFileVersionStrings(const std::string& path,
                                                          std::string& company) {
  return FileVersionStrings(path, company);
}

bool WindowsProcessIdentity::EnableDebugPrivilege() {
  return halvane::EnableDebugPrivilege();
}

}  // namespace halvane
