#pragma once
#include <functional>
#include <ostream>

#include "cli/cli_options.h"
#include "snapshot/connection_snapshot.h"

namespace halvane {

using SleepFor = std::function<void(double seconds)>;

// Fills the list from the snapshot, prints it, and with --watch refreshes and prints again.
// Returns the process exit status.
int RunCli(const CliOptions& options, ConnectionSnapshot& snapshot, std::ostream& out,
           std::ostream& err, const SleepFor& sleep);

}  // namespace halvane
