#pragma once
#include <windows.h>

#include <string>

namespace halvane {

// Enables or disables one privilege of a token opened with TOKEN_ADJUST_PRIVILEGES. True exactly
// when GetLastError() gives 0 right after AdjustTokenPrivileges: that call also succeeds when
// the token does not hold the privilege, but then reports ERROR_NOT_ALL_ASSIGNED, which counts
// as false. False without adjusting anything when the privilege name is unknown.
bool SetTokenPrivilege(HANDLE token, const std::string& privilege, bool enable);

// SeDebugPrivilege on the token of this process; false when the token cannot be opened.
bool EnableDebugPrivilege();

}  // namespace halvane
