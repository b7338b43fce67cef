#include "platform/windows/process_snapshot.h"

#include "platform/windows/wide_text.h"

namespace halvane {

std::unique_ptr<ToolHelpProcessSnapshot> ToolHelpProcessSnapshot::Take(
    ToolHelpFunctions& toolHelp) {
  const HANDLE snapshot = toolHelp.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == nullptr || snapshot == INVALID_HANDLE_VALUE)
    return nullptr;
  return std::make_unique<ToolHelpProcessSnapshot>(toolHelp, snapshot);
}

ToolHelpProcessSnapshot::~ToolHelpProcessSnapshot() {
  CloseHandle(snapshot_);
}

std::string ToolHelpProcessSnapshot::GetProcessNameByPid(std::uint32_t pid) const {
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  BOOL found = toolHelp_.Process32First(snapshot_, &entry);
  while (found) {
    if (entry.th32ProcessID == pid)
      return WideBufferToUtf8(entry.szExeFile, MAX_PATH);
    found = toolHelp_.Process32Next(snapshot_, &entry);
  }
  return {};
}

}  // namespace halvane
