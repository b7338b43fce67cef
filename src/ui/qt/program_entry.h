#pragma once

namespace halvane {

// The program body: the single-copy guard, then the main window until it closes. Without a
// display it says so and runs the console companion in its place. The process's exit code.
int RunHalvane(int argc, char** argv);

}  // namespace halvane
