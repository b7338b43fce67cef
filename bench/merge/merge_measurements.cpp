#include "merge/merge_measurements.h"

#include "common/list_harness.h"
#include "merge/synthetic_system.h"

namespace halvane::bench {

void MeasureMergeCase(StepReporter& reporter, const MergeCase& mergeCase, int runs) {
  for (int run = 0; run < runs; ++run) {
    SyntheticSystem system(mergeCase.rows, mergeCase.seed);
    ConnectionSnapshot snapshot(system.Tables(), system.Identity());
    ListHarness harness(snapshot, mergeCase.showLocal);
    harness.view.SetSortColumn(mergeCase.column);
    harness.view.SetDirection(mergeCase.direction);
    reporter.Timed(kSyntheticFillStep, [&] { harness.list.FillConnectionList(); });
    system.Churn(mergeCase.churn);
    reporter.Timed(kSyntheticRefreshStep, [&] { harness.list.RefreshConnectionList(); });
    system.Churn(mergeCase.churn);
    snapshot.ReadConnectionTables();
    reporter.Timed(kSyntheticMergeStep, [&] { harness.list.MergeSnapshot(); });
    if (run == 0)
      reporter.Fact("rows", std::to_string(harness.view.RowCount()));
  }
}

}  // namespace halvane::bench
