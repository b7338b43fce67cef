#pragma once
#include "common/guarded_child.h"

namespace halvane::bench {

// Step names of the measurements made inside a child process on the running system.
inline constexpr const char* kReadStep = "read tables + identity";
inline constexpr const char* kFillStep = "first fill";
inline constexpr const char* kRefreshStep = "full refresh";
inline constexpr const char* kGuiShareStep = "merge (GUI thread)";

// `runs` reads of the tables alone (one snapshot object, as refreshes reuse it), `runs` first
// fills (each from new tables and identity, as at start-up), then `runs` refreshes of the
// last filled list, then `runs` merges of a snapshot read beforehand: the window's GUI-thread
// share of a refresh (merge, sort, counters, freeing the snapshot and handing the memory back).
// Reports row counts and the counters as facts.
void MeasureLiveSystem(StepReporter& reporter, int runs, bool showLocal);

}  // namespace halvane::bench
