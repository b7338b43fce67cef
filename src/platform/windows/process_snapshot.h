#pragma once
#include <windows.h>

#include "platform/windows/tool_help.h"
#include "snapshot/table_sources.h"

namespace halvane {

// One Tool Help snapshot of all processes, closed with the object. Every lookup walks it from
// its first entry, so any number of lookups can share it in any order; the first match wins.
class ToolHelpProcessSnapshot : public IProcessSnapshot {
 public:
  // Takes the snapshot; null when Tool Help is not available or the snapshot fails.
  static std::unique_ptr<ToolHelpProcessSnapshot> Take(ToolHelpFunctions& toolHelp);

  ToolHelpProcessSnapshot(ToolHelpFunctions& toolHelp, HANDLE snapshot)
      : toolHelp_(toolHelp), snapshot_(snapshot) {}
  ~ToolHelpProcessSnapshot() override;
  ToolHelpProcessSnapshot(const ToolHelpProcessSnapshot&) = delete;
  ToolHelpProcessSnapshot& operator=(const ToolHelpProcessSnapshot&) = delete;

  std::string GetProcessNameByPid(std::uint32_t pid) const override;

 private:
  ToolHelpFunctions& toolHelp_;
  HANDLE snapshot_;
};

}  // namespace halvane
