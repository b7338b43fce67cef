#pragma once
#include <optional>
#include <string>
#include <vector>

namespace halvane {

enum class OutputFormat { Table, Csv, Json };

struct CliOptions {
  OutputFormat format = OutputFormat::Table;
  bool hideLocal = false;
  bool help = false;
  std::optional<double> watchSeconds;  // refresh period after the first fill
  std::optional<long> rounds;          // number of refreshes; unbounded when absent
};

struct CliParseResult {
  CliOptions options;
  std::string error;  // one line; empty on success
};

CliParseResult ParseCliOptions(const std::vector<std::string>& args);

extern const char* const kCliUsage;

}  // namespace halvane
