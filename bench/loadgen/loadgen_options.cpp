#include "loadgen/loadgen_options.h"

#include <cstdlib>

namespace halvane::bench {

const char* const kLoadgenUsage =
    "usage: halvane-loadgen [--tcp N] [--udp M] [--procs P] [--hold SECONDS]\n"
    "                       [--addresses K] [--listeners L]\n"
    "Opens N established TCP connections and M bound UDP sockets on 127.0.0.1..127.0.0.K,\n"
    "spread over P worker processes (default: as few as the open-file limit allows), prints\n"
    "\"ready\" when all are open, holds them for SECONDS (default 60, at most 600) or until\n"
    "standard input (a pipe or terminal) closes or SIGTERM/SIGINT arrives, then releases them.\n"
    "Each worker listens on L ports (default 8) spread over the K addresses (default 8).\n";

namespace {

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end != nullptr && *end == '\0' && value >= 0;
}

bool ParseCount(const std::string& text, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && end != nullptr && *end == '\0' && value >= 0;
}

std::string Check(const LoadgenOptions& o) {
  if (o.holdSeconds > kMaxHoldSeconds)
    return "--hold is at most 600 seconds";
  if (o.addresses < 1 || o.addresses > 254)
    return "--addresses must be 1-254";
  if (o.listeners < 1 || o.listeners > 1000)
    return "--listeners must be 1-1000";
  if (o.tcp > 1000000 || o.udp > 1000000)
    return "at most 1,000,000 connections or sockets";
  return "";
}

}  // namespace

LoadgenParse ParseLoadgenOptions(const std::vector<std::string>& args) {
  LoadgenParse parse;
  LoadgenOptions& o = parse.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      o.help = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      parse.error = "unknown option or missing value: " + arg;
      return parse;
    }
    const std::string& value = args[++i];
    long count = 0;
    bool ok = true;
    if (arg == "--tcp") {
      ok = ParseCount(value, o.tcp);
    } else if (arg == "--udp") {
      ok = ParseCount(value, o.udp);
    } else if (arg == "--procs") {
      ok = ParseCount(value, o.procs);
    } else if (arg == "--hold") {
      ok = ParseNumber(value, o.holdSeconds);
    } else if (arg == "--addresses") {
      ok = ParseCount(value, count);
      o.addresses = static_cast<int>(count);
    } else if (arg == "--listeners") {
      ok = ParseCount(value, count);
      o.listeners = static_cast<int>(count);
    } else {
      parse.error = "unknown option: " + arg;
      return parse;
    }
    if (!ok) {
      parse.error = "not a valid value for " + arg + ": " + value;
      return parse;
    }
  }
  parse.error = Check(o);
  return parse;
}

std::vector<WorkerShare> SplitLoad(long tcp, long udp, long procs) {
  std::vector<WorkerShare> shares(static_cast<std::size_t>(procs < 1 ? 1 : procs));
  const long n = static_cast<long>(shares.size());
  for (long i = 0; i < n; ++i) {
    shares[static_cast<std::size_t>(i)].tcp = tcp / n + (i < tcp % n ? 1 : 0);
    shares[static_cast<std::size_t>(i)].udp = udp / n + (i < udp % n ? 1 : 0);
  }
  return shares;
}

long WorkersNeeded(long tcp, long udp, int listeners, long perProcess) {
  for (long procs = 1;; ++procs) {
    const WorkerShare biggest = SplitLoad(tcp, udp, procs).front();
    if (biggest.Descriptors(listeners) <= perProcess)
      return procs;
    if (procs > 100000)
      return procs;
  }
}

}  // namespace halvane::bench
