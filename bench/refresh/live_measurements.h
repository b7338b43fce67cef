#pragma once
#include "common/guarded_child.h"

namespace halvane::bench {

// Step names of the measurements made inside a child process on the running system.
inline constexpr const char* kReadStep = "read tables + identity";
inline constexpr const char* kFillStep = "first fill";
inline constexpr const char* kRefreshStep = "full refresh";

// `runs` reads of the tables alone (one snapshot object, as refreshes reuse it), `runs` first
// fills (each from new tables and identity, as at start-up), then `runs` refreshes of the
// last filled list. Reports row counts and the counters as facts.
void MeasureLiveSystem(StepReporter& reporter, int runs, bool showLocal);

}  // namespace halvane::bench
