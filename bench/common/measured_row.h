#pragma once
#include <string>
#include <vector>

#include "common/guarded_child.h"

namespace halvane::bench {

// One line of a result table: the runs of one measurement, or why there are none.
struct MeasuredRow {
  std::string label;
  std::vector<double> runs;  // seconds
  std::string status;        // empty when measured; "skipped (over N s)", "failed", ...
  long peakRssKb = 0;

  bool Measured() const { return status.empty() && !runs.empty(); }
};

// The row of `step` from a guarded child: its runs, or skipped when it overran, or "not
// reached" when the child was stopped before it began.
MeasuredRow RowOfStep(const GuardedOutcome& outcome, const std::string& step, double maxSeconds);

}  // namespace halvane::bench
