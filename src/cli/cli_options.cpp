#include "cli/cli_options.h"

#include <charconv>
#include <cmath>

namespace halvane {

const char* const kCliUsage =
    "Usage: halvane-cli [--csv | --json] [--hide-local] [--watch SECONDS [--rounds N]]\n"
    "Lists every IPv4 TCP and UDP endpoint with the process that owns it.\n"
    "  --csv             one CSV line per row with every field (RFC 4180 quoting)\n"
    "  --json            one JSON object per row with every field (JSON Lines)\n"
    "  --hide-local      leave out TCP connections from 127.0.0.1 to 127.0.0.1\n"
    "  --watch SECONDS   refresh every SECONDS and print the merged list each time\n"
    "  --rounds N        with --watch: stop after N refreshes\n"
    "  --help            show this text\n";

namespace {

std::optional<double> ParsePositiveSeconds(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value) || value <= 0 || value > 86400)
    return std::nullopt;
  return value;
}

std::optional<long> ParsePositiveCount(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value <= 0)
    return std::nullopt;
  return value;
}

}  // namespace

CliParseResult ParseCliOptions(const std::vector<std::string>& args) {
  CliParseResult result;
  CliOptions& o = result.options;
  bool csv = false, json = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--csv") {
      csv = true;
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--hide-local") {
      o.hideLocal = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--watch" || arg == "--rounds") {
      if (!hasValue) {
        result.error = arg + " needs a value";
        return result;
      }
      const std::string& value = args[++i];
      if (arg == "--watch") {
        o.watchSeconds = ParsePositiveSeconds(value);
        if (!o.watchSeconds)
          result.error = "--watch: not a number of seconds: " + value;
      } else {
        o.rounds = ParsePositiveCount(value);
        if (!o.rounds)
          result.error = "--rounds: not a positive whole number: " + value;
      }
      if (!result.error.empty())
        return result;
    } else {
      result.error = "unknown option: " + arg;
      return result;
    }
  }
  if (csv && json) {
    result.error = "--csv and --json exclude each other";
  } else if (o.rounds && !o.watchSeconds) {
    result.error = "--rounds goes with --watch";
  }
  o.format = csv ? OutputFormat::Csv : json ? OutputFormat::Json : OutputFormat::Table;
  return result;
}

}  // namespace halvane
