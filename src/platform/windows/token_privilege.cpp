#include "platform/windows/token_privilege.h"

#include "platform/windows/wide_text.h"

namespace halvane {

bool SetTokenPrivilege(HANDLE token, const std::string& privilege, bool enable) {
  TOKEN_PRIVILEGES change{};
  change.PrivilegeCount = 1;
  if (!LookupPrivilegeValueW(nullptr, Utf8ToWide(privilege).c_str(), &change.Privileges[0].Luid))
    return false;
  change.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  DWORD returnLength = 0;
  AdjustTokenPrivileges(token, FALSE, &change, sizeof(change), nullptr, &returnLength);
  // The call's own result says nothing about whether the token held the privilege.
  return GetLastError() == ERROR_SUCCESS;
}

bool EnableDebugPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
    return false;
  const bool enabled = SetTokenPrivilege(token, "SeDebugPrivilege", true);
  CloseHandle(token);
  return enabled;
}

}  // namespace halvane
