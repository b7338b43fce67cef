#pragma once
#include <windows.h>

namespace halvane {

// The program body: the single-copy guard, then the main window until it closes. The process's
// exit code.
int RunHalvane(HINSTANCE instance);

}  // namespace halvane
