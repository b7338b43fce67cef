// bench_refresh: on the same live load, the full refresh and the first fill next to
// halvane-cli --csv, ss -tanp and ss -tan, each as the median of several runs.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/guarded_child.h"
#include "common/measured_row.h"
#include "common/run_stats.h"
#include "common/timed_process.h"
#include "refresh/live_measurements.h"

namespace halvane::bench {
namespace {

const char* const kUsage =
    "usage: bench_refresh [--runs N] [--max-seconds S] [--cli PATH] [--hide-local] [--list-only]\n"
    "Measures, on the connections open right now: reading the tables with their owners and\n"
    "identities, the first fill, the full refresh, and the processes halvane-cli --csv,\n"
    "ss -tanp and ss -tan. N runs each (default 5); a measurement whose run takes longer than\n"
    "S seconds (default 60) is skipped. PATH defaults to halvane-cli beside this program.\n"
    "--list-only measures the list alone, without the processes.\n";

struct RefreshOptions {
  int runs = 5;
  double maxSeconds = 60;
  std::string cli;
  bool showLocal = true;
  bool listOnly = false;
};

std::string ProgramDirectory() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

bool ParseOptions(int argc, char** argv, RefreshOptions& options) {
  options.cli = ProgramDirectory() + "/halvane-cli";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--runs" && hasValue) {
      options.runs = std::atoi(argv[++i]);
    } else if (arg == "--max-seconds" && hasValue) {
      options.maxSeconds = std::atof(argv[++i]);
    } else if (arg == "--cli" && hasValue) {
      options.cli = argv[++i];
    } else if (arg == "--hide-local") {
      options.showLocal = false;
    } else if (arg == "--list-only") {
      options.listOnly = true;
    } else {
      return false;
    }
  }
  return options.runs > 0 && options.maxSeconds > 0;
}

struct ProcessCase {
  std::string label;
  std::vector<std::string> argv;
};

// Round by round, so a slow phase of the machine falls on every command alike.
std::vector<MeasuredRow> MeasureProcesses(const std::vector<ProcessCase>& cases,
                                          const RefreshOptions& options) {
  std::vector<MeasuredRow> rows(cases.size());
  for (std::size_t c = 0; c < cases.size(); ++c)
    rows[c].label = cases[c].label;
  for (int round = 0; round < options.runs; ++round) {
    for (std::size_t c = 0; c < cases.size(); ++c) {
      if (!rows[c].status.empty())
        continue;
      const ProcessRun run = RunTimedProcess(cases[c].argv, options.maxSeconds);
      rows[c].peakRssKb = std::max(rows[c].peakRssKb, run.peakRssKb);
      if (run.overran)
        rows[c].status = SkippedText(options.maxSeconds);
      else if (run.failed)
        rows[c].status = "failed";
      else
        rows[c].runs.push_back(run.seconds);
    }
  }
  return rows;
}

double MedianOf(const std::vector<MeasuredRow>& rows, const std::string& label) {
  for (const MeasuredRow& row : rows)
    if (row.label == label && row.Measured())
      return Median(row.runs);
  return 0;
}

void PrintTable(const std::vector<MeasuredRow>& rows) {
  const double refresh = MedianOf(rows, kRefreshStep);
  const double ssFull = MedianOf(rows, "ss -tanp");
  std::printf("%s%s%s%s%s%s%s%s\n", PadRight("measurement", 24).c_str(), PadLeft("runs", 5).c_str(),
              PadLeft("median", 12).c_str(), PadLeft("min", 12).c_str(), PadLeft("max", 12).c_str(),
              PadLeft("vs refresh", 12).c_str(), PadLeft("vs ss -tanp", 13).c_str(),
              PadLeft("peak RSS", 11).c_str());
  for (const MeasuredRow& row : rows) {
    std::string line = PadRight(row.label, 24) + PadLeft(std::to_string(row.runs.size()), 5);
    if (row.Measured()) {
      const double median = Median(row.runs);
      line += PadLeft(SecondsText(median), 12) + PadLeft(SecondsText(Smallest(row.runs)), 12) +
              PadLeft(SecondsText(Largest(row.runs)), 12) +
              PadLeft(RatioText(median, refresh), 12) + PadLeft(RatioText(median, ssFull), 13);
    } else {
      line += "   " + PadRight(row.status, 58);
    }
    line += PadLeft(row.peakRssKb > 0 ? MegabytesText(row.peakRssKb) : "-", 11);
    std::printf("%s\n", line.c_str());
  }
  if (refresh > 0 && ssFull > 0)
    std::printf("\nfull refresh / ss -tanp = %.3f\n", refresh / ssFull);
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

std::string FactOf(const GuardedOutcome& outcome, const std::string& key) {
  const auto found = outcome.facts.find(key);
  return found == outcome.facts.end() ? "?" : found->second;
}

int Run(const RefreshOptions& options) {
  std::printf("bench_refresh: %d runs each, at most %g s a run; load average %s\n", options.runs,
              options.maxSeconds, LoadAverage().c_str());
  std::fflush(stdout);
  const GuardedOutcome live = RunGuarded(
      [&](StepReporter& reporter) { MeasureLiveSystem(reporter, options.runs, options.showLocal); },
      options.maxSeconds);
  std::vector<MeasuredRow> rows;
  for (const char* step : {kReadStep, kFillStep, kRefreshStep, kGuiShareStep})
    rows.push_back(RowOfStep(live, step, options.maxSeconds));
  if (!options.listOnly) {
    std::vector<std::string> cli = {options.cli, "--csv"};
    if (!options.showLocal)
      cli.push_back("--hide-local");
    const std::vector<MeasuredRow> processes = MeasureProcesses(
        {{"halvane-cli --csv", cli}, {"ss -tanp", {"ss", "-tanp"}}, {"ss -tan", {"ss", "-tan"}}},
        options);
    rows.insert(rows.end(), processes.begin(), processes.end());
  }
  std::printf(
      "tables: %s TCP rows, %s UDP rows; list: %s rows after the fill, %s after the "
      "refresh, %s programs\n\n",
      FactOf(live, "tcp rows").c_str(), FactOf(live, "udp rows").c_str(),
      FactOf(live, "rows after fill").c_str(), FactOf(live, "rows after refresh").c_str(),
      FactOf(live, "programs").c_str());
  PrintTable(rows);
  std::printf("(the first four rows run in one process; their peak RSS is that process's)\n");
  return live.failed ? 1 : 0;
}

}  // namespace
}  // namespace halvane::bench

int main(int argc, char** argv) {
  halvane::bench::RefreshOptions options;
  if (!halvane::bench::ParseOptions(argc, argv, options)) {
    std::fputs(halvane::bench::kUsage, stderr);
    return 2;
  }
  return halvane::bench::Run(options);
}
