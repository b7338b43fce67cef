#pragma once
#include <windows.h>

namespace halvane {

// The process status functions of PSAPI.dll, loaded at first use. A failed load is tried again
// at the next call; once loaded, the library stays for the life of the process. Each wrapper
// returns 0 without calling anything while its function is not available.
class PsapiFunctions {
 public:
  explicit PsapiFunctions(const wchar_t* library = L"PSAPI.dll") : libraryName_(library) {}

  BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size, DWORD* needed);
  DWORD GetModuleFileNameExW(HANDLE process, HMODULE module, wchar_t* name, DWORD size);

  bool Loaded() const { return library_ != nullptr; }

 private:
  using EnumModulesFunction = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
  using ModuleFileNameFunction = DWORD(WINAPI*)(HANDLE, HMODULE, wchar_t*, DWORD);

  bool Load();

  const wchar_t* libraryName_;
  HMODULE library_ = nullptr;
  EnumModulesFunction enumModules_ = nullptr;
  ModuleFileNameFunction moduleFileName_ = nullptr;
};

}  // namespace halvane
