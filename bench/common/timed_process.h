#pragma once
#include <string>
#include <vector>

namespace halvane::bench {

struct ProcessRun {
  double seconds = 0;    // from the start to the end of the process
  bool overran = false;  // killed after the limit
  bool failed = false;   // could not start, or exited with a non-zero status
  long peakRssKb = 0;    // the process's peak resident set
};

// Runs a program (searched in PATH) with its output thrown away and times it; a run that
// outlasts `maxSeconds` is killed.
ProcessRun RunTimedProcess(const std::vector<std::string>& argv, double maxSeconds);

}  // namespace halvane::bench
