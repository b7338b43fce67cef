#include "loadgen/loopback_sockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace halvane::bench {
namespace {

constexpr int kBacklog = 4096;
// Connections made before their server ends are accepted; well inside the backlog.
constexpr long kBatchPerListener = 256;

std::string Failure(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

sockaddr_in SocketAddress(std::uint32_t address, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = address;
  sa.sin_port = port;
  return sa;
}

const sockaddr* AsGeneric(const sockaddr_in& sa) {
  return reinterpret_cast<const sockaddr*>(&sa);
}

// A close sends a reset instead of a FIN, so no TIME_WAIT remains after the release.
void ResetOnClose(int fd) {
  const linger abort{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

}  // namespace

long RaiseOpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
    return 1024;
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_NOFILE, &limit);
  getrlimit(RLIMIT_NOFILE, &limit);
  return static_cast<long>(limit.rlim_cur);
}

std::uint32_t LoopbackAddress(int host) {
  return htonl((127u << 24) | static_cast<std::uint32_t>(host & 0xff));
}

LoopbackLoad::~LoopbackLoad() {
  for (int fd : sockets_)
    close(fd);
  for (const Listener& listener : listeners_)
    close(listener.fd);
}

std::string LoopbackLoad::Open(const WorkerShare& share) {
  std::string error = OpenListeners();
  if (error.empty() && share.tcp > 0)
    error = OpenConnections(share.tcp);
  if (error.empty() && share.udp > 0)
    error = OpenUdp(share.udp);
  return error;
}

// Listeners on ports the kernel picks, so nothing else on the machine is in the way.
std::string LoopbackLoad::OpenListeners() {
  for (int i = 0; i < listenerCount_; ++i) {
    Listener listener;
    listener.address = LoopbackAddress(HostOf(static_cast<long>(worker_) * listenerCount_ + i));
    listener.fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener.fd < 0)
      return Failure("socket");
    listeners_.push_back(listener);
    sockaddr_in sa = SocketAddress(listener.address, 0);
    if (bind(listener.fd, AsGeneric(sa), sizeof sa) != 0)
      return Failure("bind listener");
    if (listen(listener.fd, kBacklog) != 0)
      return Failure("listen");
    socklen_t size = sizeof sa;
    if (getsockname(listener.fd, reinterpret_cast<sockaddr*>(&sa), &size) != 0)
      return Failure("getsockname");
    listeners_.back().port = sa.sin_port;
  }
  return "";
}

std::string LoopbackLoad::OpenConnections(long count) {
  const long listeners = static_cast<long>(listeners_.size());
  for (long opened = 0; opened < count;) {
    const long batch = std::min(count - opened, kBatchPerListener * listeners);
    std::vector<long> pending(listeners_.size(), 0);
    for (long i = 0; i < batch; ++i) {
      const std::size_t target = static_cast<std::size_t>((opened + i) % listeners);
      if (std::string error = ConnectOne(listeners_[target]); !error.empty())
        return error;
      ++pending[target];
    }
    for (std::size_t j = 0; j < listeners_.size(); ++j)
      if (std::string error = AcceptPending(listeners_[j], pending[j]); !error.empty())
        return error;
    opened += batch;
  }
  return "";
}

// The client end, bound to the listener's own loopback address so the connection never
// leaves 127.0.0.0/8; the port is chosen at connect time, shared across destinations.
std::string LoopbackLoad::ConnectOne(const Listener& listener) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0)
    return Failure("socket");
  sockets_.push_back(fd);
  const int on = 1;
  setsockopt(fd, IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT, &on, sizeof on);
  const sockaddr_in local = SocketAddress(listener.address, 0);
  if (bind(fd, AsGeneric(local), sizeof local) != 0)
    return Failure("bind client");
  const sockaddr_in remote = SocketAddress(listener.address, listener.port);
  while (connect(fd, AsGeneric(remote), sizeof remote) != 0)
    if (errno != EINTR)
      return Failure("connect");
  ResetOnClose(fd);
  return "";
}

std::string LoopbackLoad::AcceptPending(const Listener& listener, long pending) {
  for (long i = 0; i < pending; ++i) {
    const int fd = accept4(listener.fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) {
        --i;
        continue;
      }
      return Failure("accept");
    }
    sockets_.push_back(fd);
    ResetOnClose(fd);
  }
  return "";
}

std::string LoopbackLoad::OpenUdp(long count) {
  for (long i = 0; i < count; ++i) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
      return Failure("socket");
    sockets_.push_back(fd);
    const sockaddr_in local = SocketAddress(LoopbackAddress(HostOf(i + worker_)), 0);
    if (bind(fd, AsGeneric(local), sizeof local) != 0)
      return Failure("bind udp");
  }
  return "";
}

}  // namespace halvane::bench
