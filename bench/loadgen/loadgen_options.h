#pragma once
#include <string>
#include <vector>

namespace halvane::bench {

struct LoadgenOptions {
  long tcp = 0;             // established connections (two sockets each)
  long udp = 0;             // bound UDP sockets
  long procs = 0;           // worker processes; 0: as few as the open-file limit allows
  double holdSeconds = 60;  // at most kMaxHoldSeconds
  int addresses = 8;        // listeners and sockets use 127.0.0.1 .. 127.0.0.<addresses>
  int listeners = 8;        // listening sockets of each worker
  bool help = false;
};

inline constexpr double kMaxHoldSeconds = 600;

struct LoadgenParse {
  LoadgenOptions options;
  std::string error;  // empty on success
};

LoadgenParse ParseLoadgenOptions(const std::vector<std::string>& args);

extern const char* const kLoadgenUsage;

// The sockets of one worker: `tcp` connections and `udp` bound sockets.
struct WorkerShare {
  long tcp = 0;
  long udp = 0;
  long Descriptors(int listeners) const { return 2 * tcp + udp + listeners; }
};

// Splits the load evenly over `procs` workers, the remainder to the first ones.
std::vector<WorkerShare> SplitLoad(long tcp, long udp, long procs);

// The fewest workers whose shares stay within `perProcess` descriptors each.
long WorkersNeeded(long tcp, long udp, int listeners, long perProcess);

}  // namespace halvane::bench
