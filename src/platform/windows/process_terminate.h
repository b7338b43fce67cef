#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/app_services.h"

namespace halvane {

// The full path of the process's program file as the system names it (Win32 form), or empty
// when it cannot be asked. The handle needs PROCESS_QUERY_LIMITED_INFORMATION.
std::string ProcessImagePath(HANDLE process);

// True when both texts name the same path in Windows' manner: equal but for letter case.
bool SamePathText(const std::string& left, const std::string& right);

// Ends the process at once with exit code 0 (without waiting for it to go), but only while the
// PID still runs `expectedExePath`: a PID that another program took over, or one that cannot be
// opened for ending and querying, gives CannotEnd and ends nothing.
TerminateResult EndProcessRunning(std::uint32_t pid, const std::string& expectedExePath);

}  // namespace halvane
