// bench_sort (Google Benchmark): one sort of the whole view, as a click on the header that
// turns the direction round makes it, for each sort column at 1,000 to 100,000 rows.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "common/list_harness.h"
#include "merge/synthetic_system.h"

namespace halvane::bench {
namespace {

constexpr std::uint64_t kSeed = 20240601;

// A filled view of `rows` synthetic rows sorted by `column`. The fill runs unsorted, so
// building it costs no sort per row.
struct SortedView {
  SortedView(std::size_t rows, int column)
      : system(rows, kSeed), snapshot(system.Tables(), system.Identity()), harness(snapshot, true) {
    harness.view.SetSortColumn(ConnectionViewModel::kNoColumn);
    harness.list.FillConnectionList();
    harness.view.SetSortColumn(column);
  }

  SyntheticSystem system;
  ConnectionSnapshot snapshot;
  ListHarness harness;
};

void BM_SortOnDirectionChange(benchmark::State& state) {
  const auto rows = static_cast<std::size_t>(state.range(0));
  const int column = static_cast<int>(state.range(1));
  SortedView sorted(rows, column);
  ConnectionViewModel& view = sorted.harness.view;
  for (auto _ : state) {
    view.SetDirection(view.Direction() == SortDirection::Ascending ? SortDirection::Descending
                                                                   : SortDirection::Ascending);
    benchmark::DoNotOptimize(view.FirstRow());
  }
  state.counters["rows"] = static_cast<double>(view.RowCount());
}

BENCHMARK(BM_SortOnDirectionChange)
    ->ArgNames({"rows", "column"})
    ->ArgsProduct({{1000, 10000, 100000}, {1, 3, 4, 5, 6, 7, 8, 10, 11, 12}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace halvane::bench

BENCHMARK_MAIN();
