#pragma once
#include <string>
#include <vector>

namespace halvane {

// The full path of this process's program file, as the kernel reports it; empty when unknown.
std::string OwnProgramFilePath();

// Replaces this process with the program at `path`, run with `args` (args[0] included) and the
// same environment and standard streams. Returns only when that fails, with the error number.
int ReplaceProcessWith(const std::string& path, const std::vector<std::string>& args);

}  // namespace halvane
