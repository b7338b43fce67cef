#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace halvane {

enum class KillOutcome {
  Signalled,       // SIGKILL was sent (the kernel may still refuse it; that is not reported)
  CannotOpen,      // no process of that PID can be reached (ended, or not a valid PID)
  ProgramChanged,  // the PID runs another program than expected: nothing was signalled
};

// Ends the process `pid` at once and unconditionally, but only while it runs the program
// `expectedProgram`: its exe link under `procRoot` ("/" for the running system), without the
// " (deleted)" suffix, must name that path. The process is held through a pidfd from the moment
// the PID is looked at, so a PID freed and given to another process meanwhile can never be
// signalled. After signalling, waits up to `exitWait` for the process to be gone, so that a
// refresh right after no longer finds its sockets.
KillOutcome KillProcessRunning(std::uint32_t pid, const std::string& expectedProgram,
                               std::chrono::milliseconds exitWait,
                               const std::filesystem::path& procRoot = "/");

}  // namespace halvane
