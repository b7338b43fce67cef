#include "platform/windows/psapi_functions.h"

namespace halvane {
namespace {

// LoadLibrary handles below this value are failures, as the 16-bit loader reported them.
constexpr ULONG_PTR kFirstValidLibraryHandle = 32;

template <typename Function>
Function Bound(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool PsapiFunctions::Load() {
  if (library_ != nullptr)
    return true;
  const HMODULE library = LoadLibraryW(libraryName_);
  if (reinterpret_cast<ULONG_PTR>(library) < kFirstValidLibraryHandle)
    return false;  // tried again at the next call
  library_ = library;
  enumModules_ = Bound<EnumModulesFunction>(library_, "EnumProcessModules");
  moduleFileName_ = Bound<ModuleFileNameFunction>(library_, "GetModuleFileNameExW");
  return true;
}

BOOL PsapiFunctions::EnumProcessModules(HANDLE process, HMODULE* modules, DWORD size,
                                        DWORD* needed) {
  if (!Load() || enumModules_ == nullptr)
    return FALSE;
  return enumModules_(process, modules, size, needed);
}

DWORD PsapiFunctions::GetModuleFileNameExW(HANDLE process, HMODULE module, wchar_t* name,
                                           DWORD size) {
  if (!Load() || moduleFileName_ == nullptr)
    return 0;
  return moduleFileName_(process, module, name, size);
}

}  // namespace halvane
