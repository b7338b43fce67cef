#pragma once
#include <cstdint>

#include "common/guarded_child.h"
#include "view/connection_view_model.h"

namespace halvane::bench {

inline constexpr const char* kSyntheticFillStep = "fill";
inline constexpr const char* kSyntheticRefreshStep = "refresh";
inline constexpr const char* kSyntheticMergeStep = "merge";

struct MergeCase {
  std::size_t rows = 0;
  int column = 1;
  SortDirection direction = SortDirection::Ascending;
  double churn = 0.01;
  bool showLocal = true;
  std::uint64_t seed = 1;
};

// Each run, on the same synthetic machine: the first fill; a churn step and a whole refresh
// (tables of the fake system, identity, merge, sort, counters); another churn step, the
// tables read untimed, and the merge alone (pairing, new rows, sort, selection, counters).
void MeasureMergeCase(StepReporter& reporter, const MergeCase& mergeCase, int runs);

}  // namespace halvane::bench
