#pragma once
#include <windows.h>

#include <tlhelp32.h>

namespace halvane {

// The Tool Help functions of the kernel module, looked up by name at first use. While the
// module cannot be found every later call looks again; once found, the names are resolved once.
// Each wrapper returns 0 without calling anything while the functions are not available.
class ToolHelpFunctions {
 public:
  explicit ToolHelpFunctions(const wchar_t* kernelModule = L"kernel32.dll")
      : moduleName_(kernelModule) {}

  HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
  BOOL Process32First(HANDLE snapshot, PROCESSENTRY32W* entry);
  BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32W* entry);

  // Available: the module was found and "CreateToolhelp32Snapshot" with it.
  bool Available();

 private:
  using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
  using WalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

  void Resolve();

  const wchar_t* moduleName_;
  HMODULE module_ = nullptr;
  SnapshotFunction createSnapshot_ = nullptr;
  WalkFunction processFirst_ = nullptr;
  WalkFunction processNext_ = nullptr;
};

}  // namespace halvane
