#include "platform/linux/netlink_diag.h"

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace halvane {
namespace {

constexpr std::uint64_t kNoCookie = ~std::uint64_t{0};
// The kernel never sends a dump datagram larger than 32 KiB (it caps each part of a dump
// there, whatever the receive buffer), so a bigger buffer would not save a single call.
constexpr std::size_t kReceiveBufferSize = 64 * 1024;
// Guards against a kernel that stops answering; a dump normally ends in milliseconds.
constexpr time_t kReceiveTimeoutSeconds = 3;

template <typename T>
T ReadAt(std::span<const std::byte> bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::uint16_t PortFromNetworkOrder(std::uint16_t raw) {
  std::uint8_t bytes[2];
  std::memcpy(bytes, &raw, sizeof bytes);
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

template <typename Bytes>
Bytes AddressBytes(const __be32 (&words)[4]) {
  Bytes bytes{};
  std::memcpy(bytes.data(), words, bytes.size());
  return bytes;
}

// The one-byte payload of the first attribute of `type`, if present and well formed.
std::optional<std::uint8_t> FindU8Attribute(std::span<const std::byte> attrs, std::uint16_t type) {
  std::size_t offset = 0;
  while (attrs.size() - offset >= NLA_HDRLEN) {
    const auto attr = ReadAt<nlattr>(attrs, offset);
    const std::size_t available = attrs.size() - offset;
    if (attr.nla_len < NLA_HDRLEN || attr.nla_len > available) {
      return std::nullopt;
    }
    if ((attr.nla_type & NLA_TYPE_MASK) == type && attr.nla_len > NLA_HDRLEN) {
      return ReadAt<std::uint8_t>(attrs, offset + NLA_HDRLEN);
    }
    offset += std::min<std::size_t>(NLA_ALIGN(attr.nla_len), available);
  }
  return std::nullopt;
}

std::optional<SocketEntry> EntryOf(const inet_diag_msg& msg, std::span<const std::byte> attrs) {
  SocketEntry entry;
  if (msg.idiag_family == AF_INET) {
    entry.localAddr = AddressBytes<Ipv4Bytes>(msg.id.idiag_src);
    entry.remoteAddr = AddressBytes<Ipv4Bytes>(msg.id.idiag_dst);
  } else if (msg.idiag_family == AF_INET6) {
    const bool dualStack = FindU8Attribute(attrs, INET_DIAG_SKV6ONLY) == std::uint8_t{0};
    const auto ends = Ipv4EndpointsOfIpv6(AddressBytes<Ipv6Bytes>(msg.id.idiag_src),
                                          AddressBytes<Ipv6Bytes>(msg.id.idiag_dst), dualStack);
    if (!ends) {
      return std::nullopt;
    }
    entry.localAddr = ends->first;
    entry.remoteAddr = ends->second;
  } else {
    return std::nullopt;
  }
  entry.linuxState = msg.idiag_state;
  entry.localPort = PortFromNetworkOrder(msg.id.idiag_sport);
  entry.remotePort = PortFromNetworkOrder(msg.id.idiag_dport);
  entry.inode = msg.idiag_inode;
  return entry;
}

DiagDumpStatus StatusOfDone(std::span<const std::byte> payload) {
  if (payload.size() >= sizeof(int) && ReadAt<int>(payload, 0) < 0) {
    return DiagDumpStatus::kFailed;
  }
  return DiagDumpStatus::kDone;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool SendToKernel(int fd, const void* request, std::size_t size) {
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  ssize_t sent;
  do {
    sent =
        ::sendto(fd, request, size, 0, reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel);
  } while (sent < 0 && errno == EINTR);
  return sent == static_cast<ssize_t>(size);
}

bool SendDumpRequest(int fd, std::uint8_t family, std::uint8_t protocol) {
  struct {
    nlmsghdr header;
    inet_diag_req_v2 body;
  } request{};
  request.header.nlmsg_len = sizeof request;
  request.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request.header.nlmsg_seq = 1;
  request.body.sdiag_family = family;
  request.body.sdiag_protocol = protocol;
  request.body.idiag_states = ~0U;  // every state, bound-only TCP sockets included
  return SendToKernel(fd, &request, sizeof request);
}

// The older request: the kernel walks its TCP tables once for both address families.
bool SendBothFamiliesTcpRequest(int fd) {
  struct {
    nlmsghdr header;
    inet_diag_req body;
  } request{};
  request.header.nlmsg_len = sizeof request;
  request.header.nlmsg_type = TCPDIAG_GETSOCK;
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request.header.nlmsg_seq = 1;
  request.body.idiag_family = AF_INET;  // ignored by the kernel in a dump: both are listed
  request.body.idiag_states = ~0U;
  return SendToKernel(fd, &request, sizeof request);
}

// One datagram from the kernel into `buffer`; its length, or none on failure or truncation.
std::optional<std::size_t> ReceiveDatagram(int fd, std::vector<std::byte>& buffer) {
  for (;;) {
    sockaddr_nl sender{};
    iovec part{buffer.data(), buffer.size()};
    msghdr message{};
    message.msg_name = &sender;
    message.msg_namelen = sizeof sender;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    const ssize_t received = ::recvmsg(fd, &message, 0);
    if (received < 0 && errno == EINTR) {
      continue;
    }
    if (received < 0 || (message.msg_flags & MSG_TRUNC) != 0) {
      return std::nullopt;
    }
    if (sender.nl_pid != 0) {
      continue;  // not from the kernel
    }
    return static_cast<std::size_t>(received);
  }
}

}  // namespace

DiagDumpStatus DiagReplyCollector::Feed(std::span<const std::byte> datagram) {
  std::size_t offset = 0;
  while (datagram.size() - offset >= NLMSG_HDRLEN) {
    const auto header = ReadAt<nlmsghdr>(datagram, offset);
    const std::size_t available = datagram.size() - offset;
    if (header.nlmsg_len < NLMSG_HDRLEN || header.nlmsg_len > available) {
      return DiagDumpStatus::kMore;  // framing is lost for the rest of this datagram
    }
    const auto payload = datagram.subspan(offset + NLMSG_HDRLEN, header.nlmsg_len - NLMSG_HDRLEN);
    switch (header.nlmsg_type) {
      case NLMSG_DONE:
        return StatusOfDone(payload);
      case NLMSG_ERROR:
        return DiagDumpStatus::kFailed;
      case SOCK_DIAG_BY_FAMILY:
      case TCPDIAG_GETSOCK:
        AddSocket(payload);
        break;
      default:
        break;
    }
    offset += std::min<std::size_t>(NLMSG_ALIGN(header.nlmsg_len), available);
  }
  return DiagDumpStatus::kMore;
}

void DiagReplyCollector::AddSocket(std::span<const std::byte> payload) {
  if (payload.size() < sizeof(inet_diag_msg)) {
    return;
  }
  const auto msg = ReadAt<inet_diag_msg>(payload, 0);
  const std::size_t attrsOffset = std::min<std::size_t>(NLMSG_ALIGN(sizeof msg), payload.size());
  const std::optional<SocketEntry> entry = EntryOf(msg, payload.subspan(attrsOffset));
  if (!entry) {
    return;
  }
  const std::uint64_t cookie =
      msg.id.idiag_cookie[0] | (std::uint64_t{msg.id.idiag_cookie[1]} << 32);
  if (cookie != kNoCookie && !cookies_.insert(cookie).second) {
    return;
  }
  entries_.push_back(*entry);
  fromIpv6_.push_back(msg.idiag_family == AF_INET6);
}

std::vector<SocketEntry> DiagReplyCollector::TakeEntriesIpv4First() {
  std::vector<SocketEntry> ordered;
  ordered.reserve(entries_.size());
  for (const bool ipv6 : {false, true}) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (fromIpv6_[i] == ipv6) {
        ordered.push_back(entries_[i]);
      }
    }
  }
  entries_.clear();
  fromIpv6_.clear();
  return ordered;
}

namespace {

// Opens a sock_diag socket, sends the request and collects the reply until the dump ends.
template <typename SendRequest>
std::optional<DiagReplyCollector> RunDump(SendRequest sendRequest) {
  const FileDescriptor fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG));
  if (fd.get() < 0) {
    return std::nullopt;
  }
  const timeval timeout{kReceiveTimeoutSeconds, 0};
  ::setsockopt(fd.get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (!sendRequest(fd.get())) {
    return std::nullopt;
  }
  std::vector<std::byte> buffer(kReceiveBufferSize);
  DiagReplyCollector collector;
  for (;;) {
    const std::optional<std::size_t> length = ReceiveDatagram(fd.get(), buffer);
    if (!length) {
      return std::nullopt;
    }
    switch (collector.Feed(std::span<const std::byte>(buffer.data(), *length))) {
      case DiagDumpStatus::kMore:
        break;
      case DiagDumpStatus::kDone:
        return collector;
      case DiagDumpStatus::kFailed:
        return std::nullopt;
    }
  }
}

}  // namespace

std::optional<std::vector<SocketEntry>> DumpIpv4Sockets(std::uint8_t family,
                                                        std::uint8_t protocol) {
  std::optional<DiagReplyCollector> reply =
      RunDump([&](int fd) { return SendDumpRequest(fd, family, protocol); });
  if (!reply) {
    return std::nullopt;
  }
  return reply->TakeEntries();
}

std::optional<std::vector<SocketEntry>> DumpIpv4TcpSocketsOfBothFamilies() {
  std::optional<DiagReplyCollector> reply = RunDump(SendBothFamiliesTcpRequest);
  if (!reply) {
    return std::nullopt;
  }
  return reply->TakeEntriesIpv4First();
}

}  // namespace halvane
