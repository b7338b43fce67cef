#include "common/measured_row.h"

#include "common/run_stats.h"

namespace halvane::bench {

MeasuredRow RowOfStep(const GuardedOutcome& outcome, const std::string& step, double maxSeconds) {
  MeasuredRow row;
  row.label = step;
  row.peakRssKb = outcome.peakRssKb;
  if (auto runs = outcome.runs.find(step); runs != outcome.runs.end())
    row.runs = runs->second;
  if (outcome.overrunStep == step)
    row.status = SkippedText(maxSeconds);
  else if (row.runs.empty())
    row.status = outcome.failed ? "failed" : "not reached";
  return row;
}

}  // namespace halvane::bench
