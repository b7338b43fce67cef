#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "loadgen/loadgen_options.h"

namespace halvane::bench {

// Raises the soft open-file limit to the hard limit; returns the limit now in force.
long RaiseOpenFileLimit();

// The loopback address 127.0.0.<host> in network order; host is 1-254.
std::uint32_t LoopbackAddress(int host);

// One worker's share of the load: listeners, both ends of every connection and the UDP
// sockets, all on 127.0.0.0/8. Every socket closes with a reset when the process ends,
// so released connections leave no TIME_WAIT behind.
class LoopbackLoad {
 public:
  LoopbackLoad(int worker, int addresses, int listeners)
      : worker_(worker), addresses_(addresses), listenerCount_(listeners) {}
  LoopbackLoad(const LoopbackLoad&) = delete;
  LoopbackLoad& operator=(const LoopbackLoad&) = delete;
  ~LoopbackLoad();

  // Empty on success, otherwise what failed.
  std::string Open(const WorkerShare& share);

 private:
  struct Listener {
    int fd = -1;
    std::uint32_t address = 0;  // network order
    std::uint16_t port = 0;     // network order
  };

  std::string OpenListeners();
  std::string OpenConnections(long count);
  std::string ConnectOne(const Listener& listener);
  std::string AcceptPending(const Listener& listener, long pending);
  std::string OpenUdp(long count);
  int HostOf(long index) const { return 1 + static_cast<int>(index % addresses_); }

  int worker_;
  int addresses_;
  int listenerCount_;
  std::vector<Listener> listeners_;
  std::vector<int> sockets_;
};

}  // namespace halvane::bench
