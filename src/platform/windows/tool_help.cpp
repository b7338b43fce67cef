#include "platform/windows/tool_help.h"

namespace halvane {
namespace {

template <typename Function>
Function Bound(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void ToolHelpFunctions::Resolve() {
  if (module_ != nullptr)
    return;
  module_ = GetModuleHandleW(moduleName_);
  if (module_ == nullptr)
    return;  // looked up again at the next call
  createSnapshot_ = Bound<SnapshotFunction>(module_, "CreateToolhelp32Snapshot");
  processFirst_ = Bound<WalkFunction>(module_, "Process32FirstW");
  processNext_ = Bound<WalkFunction>(module_, "Process32NextW");
}

bool ToolHelpFunctions::Available() {
  Resolve();
  return module_ != nullptr && createSnapshot_ != nullptr;
}

HANDLE ToolHelpFunctions::CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
  if (!Available())
    return nullptr;
  return createSnapshot_(flags, processId);
}

BOOL ToolHelpFunctions::Process32First(HANDLE snapshot, PROCESSENTRY32W* entry) {
  if (!Available() || processFirst_ == nullptr)
    return FALSE;
  return processFirst_(snapshot, entry);
}

BOOL ToolHelpFunctions::Process32Next(HANDLE snapshot, PROCESSENTRY32W* entry) {
  if (!Available() || processNext_ == nullptr)
    return FALSE;
  return processNext_(snapshot, entry);
}

}  // namespace halvane
