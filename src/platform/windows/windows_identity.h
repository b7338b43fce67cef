#pragma once
#include "platform/windows/psapi_functions.h"
#include "platform/windows/tool_help.h"
#include "snapshot/table_sources.h"

namespace halvane {

// Who a process is on Windows: its image name from a Tool Help snapshot, its program file
// through PSAPI, that file's description and company from its version resource.
class WindowsProcessIdentity : public IProcessIdentity {
 public:
  WindowsProcessIdentity() = default;
  // Other module and library names make the lookups of a missing facility observable.
  WindowsProcessIdentity(const wchar_t* kernelModule, const wchar_t* psapiLibrary)
      : toolHelp_(kernelModule), psapi_(psapiLibrary) {}

  std::unique_ptr<IProcessSnapshot> CreateProcessSnapshot() override;
  std::string GetProcessPathByPid(std::uint32_t pid) override;
  std::string GetFileVersionStrings(const std::string& path, std::string& company) override;
  bool EnableDebugPrivilege() override;

 private:
  ToolHelpFunctions toolHelp_;
  PsapiFunctions psapi_;
};

}  // namespace halvane
