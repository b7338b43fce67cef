// bench_merge: the fill and the refresh merge on synthetic snapshots of 1,000 to 100,000
// rows with 1% churn, for every sort column and both directions. Touches no system table.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/guarded_child.h"
#include "common/measured_row.h"
#include "common/run_stats.h"
#include "merge/merge_measurements.h"

namespace halvane::bench {
namespace {

const char* const kUsage =
    "usage: bench_merge [--sizes 1000,10000,100000] [--columns 1,3,4,5,6,7,8,10,11,12]\n"
    "                   [--directions asc,desc] [--runs N] [--max-seconds S] [--churn F]\n"
    "                   [--hide-local] [--seed X]\n"
    "Times the first fill, a whole refresh and the merge alone on synthetic snapshots with\n"
    "F churn (default 0.01), N runs each (default 5). A case whose run takes longer than S\n"
    "seconds (default 10) is skipped, and so is that case at the larger sizes.\n";

const std::map<int, const char*> kColumnNames = {
    {1, "ProcessName"}, {3, "Protocol"}, {4, "LocalIP"},      {5, "LocalPort"},    {6, "RemoteIP"},
    {7, "RemotePort"},  {8, "State"},    {10, "ProcessPath"}, {11, "Description"}, {12, "Company"}};

struct MergeOptions {
  std::vector<long> sizes = {1000, 10000, 100000};
  std::vector<long> columns = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12};
  std::vector<SortDirection> directions = {SortDirection::Ascending, SortDirection::Descending};
  int runs = 5;
  double maxSeconds = 10;
  double churn = 0.01;
  bool showLocal = true;
  std::uint64_t seed = 20240601;
};

bool ParseList(const std::string& text, std::vector<long>& values) {
  values.clear();
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) {
    char* end = nullptr;
    const long value = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end != '\0' || value < 0)
      return false;
    values.push_back(value);
  }
  return !values.empty();
}

bool ParseDirections(const std::string& text, std::vector<SortDirection>& directions) {
  directions.clear();
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) {
    if (item != "asc" && item != "desc")
      return false;
    directions.push_back(item == "asc" ? SortDirection::Ascending : SortDirection::Descending);
  }
  return !directions.empty();
}

bool ParseOptions(int argc, char** argv, MergeOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const std::string value = i + 1 < argc ? argv[i + 1] : "";
    bool ok = true;
    if (arg == "--hide-local") {
      o.showLocal = false;
      continue;
    }
    if (value.empty())
      return false;
    ++i;
    if (arg == "--sizes")
      ok = ParseList(value, o.sizes);
    else if (arg == "--columns")
      ok = ParseList(value, o.columns);
    else if (arg == "--directions")
      ok = ParseDirections(value, o.directions);
    else if (arg == "--runs")
      o.runs = std::atoi(value.c_str());
    else if (arg == "--max-seconds")
      o.maxSeconds = std::atof(value.c_str());
    else if (arg == "--churn")
      o.churn = std::atof(value.c_str());
    else if (arg == "--seed")
      o.seed = std::strtoull(value.c_str(), nullptr, 10);
    else
      return false;
    if (!ok)
      return false;
  }
  for (long column : o.columns)
    if (kColumnNames.count(static_cast<int>(column)) == 0)
      return false;
  return o.runs > 0 && o.maxSeconds > 0 && o.churn >= 0 && o.churn < 1;
}

std::string ColumnText(int column) {
  return std::to_string(column) + " " + kColumnNames.at(column);
}

std::string Cell(const MeasuredRow& row) {
  return PadLeft(row.Measured() ? SecondsText(Median(row.runs)) : row.status, 21);
}

void PrintHeader(const MergeOptions& o) {
  std::printf("bench_merge: %d runs each, %g%% churn, at most %g s a run, loopback %s\n", o.runs,
              o.churn * 100, o.maxSeconds, o.showLocal ? "shown" : "hidden");
  std::printf("%s%s%s%s%s%s%s\n", PadLeft("rows", 7).c_str(), "  column          ", "dir ",
              PadLeft("fill", 21).c_str(), PadLeft("refresh", 21).c_str(),
              PadLeft("merge + sort", 21).c_str(), PadLeft("peak RSS", 11).c_str());
}

struct CaseResult {
  MeasuredRow fill, refresh, merge;
  bool overran = false;
};

CaseResult RunCase(const MergeCase& mergeCase, const MergeOptions& o) {
  const GuardedOutcome outcome = RunGuarded(
      [&](StepReporter& reporter) { MeasureMergeCase(reporter, mergeCase, o.runs); }, o.maxSeconds);
  return {RowOfStep(outcome, kSyntheticFillStep, o.maxSeconds),
          RowOfStep(outcome, kSyntheticRefreshStep, o.maxSeconds),
          RowOfStep(outcome, kSyntheticMergeStep, o.maxSeconds), !outcome.overrunStep.empty()};
}

CaseResult SkippedCase(double maxSeconds, long smallerRows) {
  CaseResult result;
  char text[64];
  std::snprintf(text, sizeof text, "skipped (over %g s at %ld)", maxSeconds, smallerRows);
  result.fill.status = result.refresh.status = result.merge.status = text;
  result.overran = true;
  return result;
}

void PrintCase(const MergeCase& c, const CaseResult& result) {
  std::printf(
      "%s  %s%s%s%s%s%s\n", PadLeft(std::to_string(c.rows), 7).c_str(),
      PadRight(ColumnText(c.column), 16).c_str(),
      c.direction == SortDirection::Ascending ? "asc " : "desc", Cell(result.fill).c_str(),
      Cell(result.refresh).c_str(), Cell(result.merge).c_str(),
      PadLeft(result.fill.peakRssKb > 0 ? MegabytesText(result.fill.peakRssKb) : "-", 11).c_str());
  std::fflush(stdout);
}

struct Worst {
  double seconds = 0;
  std::string where;
};

int Run(const MergeOptions& o) {
  PrintHeader(o);
  std::map<std::pair<long, int>, long> overrunAt;  // (column, direction) -> rows
  std::map<long, Worst> worstMerge;
  for (long rows : o.sizes) {
    for (long column : o.columns) {
      for (SortDirection direction : o.directions) {
        const MergeCase c{static_cast<std::size_t>(rows),
                          static_cast<int>(column),
                          direction,
                          o.churn,
                          o.showLocal,
                          o.seed};
        const auto key = std::make_pair(column, static_cast<int>(direction));
        const auto earlier = overrunAt.find(key);
        const CaseResult result =
            earlier != overrunAt.end() ? SkippedCase(o.maxSeconds, earlier->second) : RunCase(c, o);
        if (result.overran && earlier == overrunAt.end())
          overrunAt[key] = rows;
        PrintCase(c, result);
        if (result.merge.Measured() && Median(result.merge.runs) >= worstMerge[rows].seconds)
          worstMerge[rows] = {
              Median(result.merge.runs),
              ColumnText(c.column) + (direction == SortDirection::Ascending ? " asc" : " desc")};
      }
    }
  }
  std::printf("\n");
  for (const auto& [rows, worst] : worstMerge)
    std::printf("slowest merge + sort at %ld rows: %s (%s)\n", rows,
                SecondsText(worst.seconds).c_str(), worst.where.c_str());
  return 0;
}

}  // namespace
}  // namespace halvane::bench

int main(int argc, char** argv) {
  halvane::bench::MergeOptions options;
  if (!halvane::bench::ParseOptions(argc, argv, options)) {
    std::fputs(halvane::bench::kUsage, stderr);
    return 2;
  }
  return halvane::bench::Run(options);
}
