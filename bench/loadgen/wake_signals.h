#pragma once

namespace halvane::bench {

// SIGTERM, SIGINT, SIGHUP and SIGCHLD each write their number as one byte to a pipe, so the
// main loop can wait for them with poll. Returns the pipe's read end (-1 on failure).
int InstallWakeSignals();

// Back to the default actions, for a forked worker.
void ResetWakeSignals();

// True for the signals that ask the program to release its load and end.
bool IsStopSignal(int signal);

}  // namespace halvane::bench
