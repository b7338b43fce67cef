#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace halvane {

// "/usr/bin/x (deleted)", as the kernel shows a program file that was removed or replaced
// while it runs, gives "/usr/bin/x".
std::string_view WithoutDeletedSuffix(std::string_view exe_target);

// The program file of a process: the target of <root>/proc/<pid>/exe without the deleted
// suffix. Empty when it cannot be read: PID 0, kernel threads, a process that has ended, or
// another account's process without the access to look into it.
std::string ReadProgramPath(const std::filesystem::path& root, std::uint32_t pid);

}  // namespace halvane
