#include "platform/linux/netlink_diag.h"

#include <gtest/gtest.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using test_support::Entry;
using Bytes = std::vector<std::byte>;

constexpr std::uint64_t kNoCookie = ~std::uint64_t{0};

// One socket record of a SOCK_DIAG_BY_FAMILY reply.
struct DiagSocket {
  std::uint8_t family = AF_INET;
  std::uint8_t state = TCP_ESTABLISHED;
  Ipv6Bytes src{};
  std::uint16_t sport = 0;
  Ipv6Bytes dst{};
  std::uint16_t dport = 0;
  std::uint64_t cookie = 0;
  std::uint32_t inode = 0;
  std::optional<std::uint8_t> v6only;  // the INET_DIAG_SKV6ONLY attribute, when sent
};

Ipv6Bytes V4(const std::string& dotted) {
  const Ipv4Bytes v4 = fakes::Addr(dotted);
  return Ipv6Bytes{v4[0], v4[1], v4[2], v4[3]};
}

Ipv6Bytes Mapped(const std::string& dotted) {
  const Ipv4Bytes v4 = fakes::Addr(dotted);
  return Ipv6Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, v4[0], v4[1], v4[2], v4[3]};
}

const Ipv6Bytes kIpv6Any{};
const Ipv6Bytes kIpv6Loopback{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

template <typename T>
void AppendRaw(Bytes& to, const T& value) {
  const auto* bytes = reinterpret_cast<const std::byte*>(&value);
  to.insert(to.end(), bytes, bytes + sizeof value);
}

Bytes Message(std::uint16_t type, const Bytes& payload) {
  nlmsghdr header{};
  header.nlmsg_len = static_cast<std::uint32_t>(NLMSG_HDRLEN + payload.size());
  header.nlmsg_type = type;
  header.nlmsg_flags = NLM_F_MULTI;
  header.nlmsg_seq = 1;
  Bytes message;
  AppendRaw(message, header);
  message.insert(message.end(), payload.begin(), payload.end());
  message.resize(NLMSG_ALIGN(message.size()));
  return message;
}

Bytes Attribute(std::uint16_t type, std::uint8_t value) {
  const nlattr attr{static_cast<std::uint16_t>(NLA_HDRLEN + 1), type};
  Bytes bytes;
  AppendRaw(bytes, attr);
  bytes.push_back(static_cast<std::byte>(value));
  bytes.resize(NLA_ALIGN(bytes.size()));
  return bytes;
}

Bytes SocketPayload(const DiagSocket& socket) {
  inet_diag_msg msg{};
  msg.idiag_family = socket.family;
  msg.idiag_state = socket.state;
  msg.id.idiag_sport = htons(socket.sport);
  msg.id.idiag_dport = htons(socket.dport);
  std::memcpy(msg.id.idiag_src, socket.src.data(), socket.src.size());
  std::memcpy(msg.id.idiag_dst, socket.dst.data(), socket.dst.size());
  msg.id.idiag_cookie[0] = static_cast<std::uint32_t>(socket.cookie);
  msg.id.idiag_cookie[1] = static_cast<std::uint32_t>(socket.cookie >> 32);
  msg.idiag_inode = socket.inode;
  Bytes payload;
  AppendRaw(payload, msg);
  const Bytes shutdown = Attribute(INET_DIAG_SHUTDOWN, 0);
  payload.insert(payload.end(), shutdown.begin(), shutdown.end());
  if (socket.v6only) {
    const Bytes v6only = Attribute(INET_DIAG_SKV6ONLY, *socket.v6only);
    payload.insert(payload.end(), v6only.begin(), v6only.end());
  }
  return payload;
}

Bytes SocketMessage(const DiagSocket& socket) {
  return Message(SOCK_DIAG_BY_FAMILY, SocketPayload(socket));
}

Bytes IntMessage(std::uint16_t type, int value) {
  Bytes payload;
  AppendRaw(payload, value);
  return Message(type, payload);
}

Bytes Done(int error = 0) {
  return IntMessage(NLMSG_DONE, error);
}
Bytes Error(int error) {
  nlmsgerr body{};
  body.error = error;
  Bytes payload;
  AppendRaw(payload, body);
  return Message(NLMSG_ERROR, payload);
}

// A header that claims `length` bytes, followed by `actual` bytes of payload.
Bytes HeaderClaiming(std::uint32_t length, std::size_t actual) {
  nlmsghdr header{};
  header.nlmsg_len = length;
  header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
  Bytes bytes;
  AppendRaw(bytes, header);
  bytes.resize(bytes.size() + actual);
  return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

const DiagSocket kWebClient{AF_INET, TCP_ESTABLISHED, V4("127.0.0.1"), 80, V4("10.1.2.3"), 8080, 1,
                            42,      std::nullopt};
const SocketEntry kWebClientEntry = Entry(TCP_ESTABLISHED, "127.0.0.1", 80, "10.1.2.3", 8080, 42);

DiagSocket WithCookie(DiagSocket socket, std::uint64_t cookie, std::uint8_t state) {
  socket.cookie = cookie;
  socket.state = state;
  return socket;
}

// Feeds each datagram, copied to a buffer of its exact size, until the dump ends.
DiagDumpStatus FeedAll(DiagReplyCollector& collector, const std::vector<Bytes>& datagrams) {
  DiagDumpStatus status = DiagDumpStatus::kMore;
  for (const Bytes& datagram : datagrams) {
    const Bytes exact(datagram);
    status = collector.Feed(exact);
    if (status != DiagDumpStatus::kMore) {
      break;
    }
  }
  return status;
}

struct ReplyCase {
  std::string name;
  std::vector<Bytes> datagrams;
  DiagDumpStatus status;
  std::vector<SocketEntry> entries;
};

void PrintTo(const ReplyCase& test, std::ostream* out) {
  *out << test.name;
}

std::vector<ReplyCase> ReplyCases() {
  const DiagSocket mapped{
      AF_INET6, TCP_ESTABLISHED, Mapped("192.168.1.5"), 443, Mapped("10.0.0.9"), 60000, 2,
      43,       std::nullopt};
  const DiagSocket pureV6{AF_INET6, TCP_ESTABLISHED, kIpv6Loopback, 22, kIpv6Loopback, 50000, 3,
                          44,       std::nullopt};
  DiagSocket anyListener{AF_INET6, TCP_LISTEN, kIpv6Any, 8443, kIpv6Any, 0, 4, 45, std::nullopt};
  DiagSocket dualStack = anyListener;
  dualStack.v6only = 0;
  DiagSocket v6only = anyListener;
  v6only.v6only = 1;
  DiagSocket unixSocket = kWebClient;
  unixSocket.family = AF_UNIX;

  Bytes badAttribute = SocketPayload(anyListener);
  const nlattr oversized{200, INET_DIAG_SKV6ONLY};
  AppendRaw(badAttribute, oversized);

  return {
      {"Ipv4Row",
       {Join({SocketMessage(kWebClient), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"MappedIpv6RowIsIpv4",
       {Join({SocketMessage(mapped), Done()})},
       DiagDumpStatus::kDone,
       {Entry(TCP_ESTABLISHED, "192.168.1.5", 443, "10.0.0.9", 60000, 43)}},
      {"PureIpv6RowSkipped",
       {Join({SocketMessage(pureV6), SocketMessage(kWebClient), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"DualStackListenerIsAnyIpv4Address",
       {Join({SocketMessage(dualStack), Done()})},
       DiagDumpStatus::kDone,
       {Entry(TCP_LISTEN, "0.0.0.0", 8443, "0.0.0.0", 0, 45)}},
      {"V6OnlyListenerSkipped", {Join({SocketMessage(v6only), Done()})}, DiagDumpStatus::kDone, {}},
      {"AnyAddressWithoutV6OnlyAttributeSkipped",
       {Join({SocketMessage(anyListener), Done()})},
       DiagDumpStatus::kDone,
       {}},
      {"OversizedAttributeSkipsDualStackCheck",
       {Join({Message(SOCK_DIAG_BY_FAMILY, badAttribute), Done()})},
       DiagDumpStatus::kDone,
       {}},
      {"OtherFamilySkipped",
       {Join({SocketMessage(unixSocket), Done()})},
       DiagDumpStatus::kDone,
       {}},
      {"DuplicateCookieKeptOnceWhereFirstSeen",
       {Join({SocketMessage(kWebClient),
              SocketMessage(WithCookie(mapped, kWebClient.cookie, TCP_CLOSE_WAIT))}),
        Join({SocketMessage(WithCookie(kWebClient, 1, TCP_FIN_WAIT1)), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"RowsWithoutCookieAllKept",
       {Join({SocketMessage(WithCookie(kWebClient, kNoCookie, TCP_ESTABLISHED)),
              SocketMessage(WithCookie(kWebClient, kNoCookie, TCP_ESTABLISHED)), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry, kWebClientEntry}},
      {"MessageShorterThanSocketRecordSkipped",
       {Join({Message(SOCK_DIAG_BY_FAMILY, Bytes(40)), SocketMessage(kWebClient), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"LengthBeyondDatagramEndsIt",
       {Join({SocketMessage(kWebClient), HeaderClaiming(500, 100)}),
        Join({SocketMessage(mapped), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry, Entry(TCP_ESTABLISHED, "192.168.1.5", 443, "10.0.0.9", 60000, 43)}},
      {"LengthBelowHeaderEndsDatagram",
       {Join({SocketMessage(kWebClient), HeaderClaiming(8, 100), SocketMessage(mapped)})},
       DiagDumpStatus::kMore,
       {kWebClientEntry}},
      {"TrailingHeaderFragmentIgnored",
       {Join({SocketMessage(kWebClient), Bytes(10, std::byte{0x7f})})},
       DiagDumpStatus::kMore,
       {kWebClientEntry}},
      {"EmptyDatagramContinues", {Bytes{}}, DiagDumpStatus::kMore, {}},
      {"OtherMessageTypesSkipped",
       {Join({IntMessage(NLMSG_NOOP, 0), SocketMessage(kWebClient), Done()})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"ErrorFailsDump",
       {Join({SocketMessage(kWebClient), Error(-EPERM), SocketMessage(mapped)})},
       DiagDumpStatus::kFailed,
       {kWebClientEntry}},
      {"DoneEndsDump",
       {Join({SocketMessage(kWebClient), Done(), SocketMessage(mapped)})},
       DiagDumpStatus::kDone,
       {kWebClientEntry}},
      {"DoneCarryingErrorFailsDump", {Join({Done(-ENOBUFS)})}, DiagDumpStatus::kFailed, {}},
      {"RecordOfTheBothFamiliesRequestIsRead",
       {Join({Message(TCPDIAG_GETSOCK, SocketPayload(mapped)), Done()})},
       DiagDumpStatus::kDone,
       {Entry(TCP_ESTABLISHED, "192.168.1.5", 443, "10.0.0.9", 60000, 43)}},
  };
}

class DiagReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(DiagReplyTest, CollectsIpv4Sockets) {
  DiagReplyCollector collector;
  EXPECT_EQ(FeedAll(collector, GetParam().datagrams), GetParam().status);
  EXPECT_EQ(collector.entries(), GetParam().entries);
}

// One walk over both families lists them mixed; taken apart, AF_INET comes first, as when each
// family is dumped after the other.
TEST(DiagReplyCollectorTest, Ipv4FirstKeepsTheOrderWithinEachFamily) {
  DiagSocket mapped{
      AF_INET6, TCP_ESTABLISHED, Mapped("192.168.1.5"), 443, Mapped("10.0.0.9"), 60000, 10,
      43,       std::nullopt};
  DiagSocket dualStack{AF_INET6, TCP_LISTEN, kIpv6Any, 8443, kIpv6Any, 0, 11, 45, 0};
  DiagSocket second = WithCookie(kWebClient, 12, TCP_SYN_SENT);
  second.inode = 46;
  DiagReplyCollector collector;
  EXPECT_EQ(FeedAll(collector, {Join({Message(TCPDIAG_GETSOCK, SocketPayload(mapped)),
                                      Message(TCPDIAG_GETSOCK, SocketPayload(kWebClient))}),
                                Join({Message(TCPDIAG_GETSOCK, SocketPayload(dualStack)),
                                      Message(TCPDIAG_GETSOCK, SocketPayload(second)), Done()})}),
            DiagDumpStatus::kDone);
  EXPECT_EQ(collector.TakeEntriesIpv4First(),
            (std::vector<SocketEntry>{
                kWebClientEntry, Entry(TCP_SYN_SENT, "127.0.0.1", 80, "10.1.2.3", 8080, 46),
                Entry(TCP_ESTABLISHED, "192.168.1.5", 443, "10.0.0.9", 60000, 43),
                Entry(TCP_LISTEN, "0.0.0.0", 8443, "0.0.0.0", 0, 45)}));
  EXPECT_TRUE(collector.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Messages, DiagReplyTest, ::testing::ValuesIn(ReplyCases()),
                         [](const auto& instance) { return instance.param.name; });

// Dumps recorded on a machine with these sockets open: 127.0.0.1:40004 bound only;
// [::]:40001 dual-stack and [::]:40002 IPv6-only listeners; a 127.0.0.1:40003 listener;
// connections 40020 -> 40001 (accepted on the IPv6 listener) and 40021 -> 40003; earlier
// connections in time-wait; UDP 127.0.0.1:40007, 40008 connected to it, dual-stack [::]:40005
// and [::1]:40006.
struct RecordedCase {
  std::string file;
  std::vector<SocketEntry> entries;
};

void PrintTo(const RecordedCase& test, std::ostream* out) {
  *out << test.file;
}

std::vector<RecordedCase> RecordedCases() {
  return {
      {"sock_diag_tcp4.hex",
       {Entry(TCP_LISTEN, "0.0.0.0", 2024, "0.0.0.0", 0, 1286),
        Entry(TCP_LISTEN, "127.0.0.1", 40003, "0.0.0.0", 0, 17319),
        Entry(TCP_CLOSE, "127.0.0.1", 40004, "0.0.0.0", 0, 17316),
        Entry(TCP_TIME_WAIT, "127.0.0.1", 37620, "127.0.0.1", 46821, 0),
        Entry(TCP_TIME_WAIT, "127.0.0.1", 40010, "127.0.0.1", 40001, 0),
        Entry(TCP_ESTABLISHED, "127.0.0.1", 40020, "127.0.0.1", 40001, 17320),
        Entry(TCP_TIME_WAIT, "127.0.0.1", 40011, "127.0.0.1", 40003, 0),
        Entry(TCP_ESTABLISHED, "127.0.0.1", 40021, "127.0.0.1", 40003, 17322),
        Entry(TCP_ESTABLISHED, "127.0.0.1", 40003, "127.0.0.1", 40021, 17323)}},
      {"sock_diag_tcp6.hex",
       {Entry(TCP_LISTEN, "0.0.0.0", 40001, "0.0.0.0", 0, 17317),
        Entry(TCP_ESTABLISHED, "127.0.0.1", 40001, "127.0.0.1", 40020, 17321)}},
      {"sock_diag_udp4.hex",
       {Entry(TCP_CLOSE, "127.0.0.1", 40007, "0.0.0.0", 0, 17326),
        Entry(TCP_ESTABLISHED, "127.0.0.1", 40008, "127.0.0.1", 40007, 17327)}},
      {"sock_diag_udp6.hex", {Entry(TCP_CLOSE, "0.0.0.0", 40005, "0.0.0.0", 0, 17324)}},
  };
}

class RecordedDumpTest : public ::testing::TestWithParam<RecordedCase> {};

TEST_P(RecordedDumpTest, GivesTheIpv4Sockets) {
  const auto datagrams = test_support::ReadHexDatagrams(test_support::DataFile(GetParam().file));
  ASSERT_FALSE(datagrams.empty());
  DiagReplyCollector collector;
  EXPECT_EQ(FeedAll(collector, datagrams), DiagDumpStatus::kDone);
  EXPECT_EQ(collector.entries(), GetParam().entries);
}

// Cut anywhere, a datagram gives the sockets of its whole messages and nothing read past
// its end (the sanitizers watch the exact-size copies).
TEST_P(RecordedDumpTest, EveryCutOfTheFirstDatagramGivesAPrefixOfItsSockets) {
  const auto datagrams = test_support::ReadHexDatagrams(test_support::DataFile(GetParam().file));
  ASSERT_FALSE(datagrams.empty());
  DiagReplyCollector whole;
  whole.Feed(datagrams[0]);
  for (std::size_t length = 0; length <= datagrams[0].size(); ++length) {
    DiagReplyCollector collector;
    const Bytes cut(datagrams[0].begin(), datagrams[0].begin() + length);
    EXPECT_EQ(collector.Feed(cut), DiagDumpStatus::kMore);
    ASSERT_LE(collector.entries().size(), whole.entries().size()) << "cut at " << length;
    EXPECT_TRUE(
        std::equal(collector.entries().begin(), collector.entries().end(), whole.entries().begin()))
        << "cut at " << length;
  }
}

TEST_P(RecordedDumpTest, NoCorruptedByteMakesTheParserReadPastTheEnd) {
  const auto datagrams = test_support::ReadHexDatagrams(test_support::DataFile(GetParam().file));
  ASSERT_FALSE(datagrams.empty());
  for (std::size_t at = 0; at < datagrams[0].size(); ++at) {
    for (std::byte garbage : {std::byte{0x00}, std::byte{0xff}, std::byte{0x81}}) {
      Bytes corrupt = datagrams[0];
      corrupt[at] = garbage;
      DiagReplyCollector collector;
      collector.Feed(corrupt);
      EXPECT_LE(collector.entries().size(), corrupt.size() / sizeof(inet_diag_msg))
          << "byte " << at;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Recorded, RecordedDumpTest, ::testing::ValuesIn(RecordedCases()),
                         [](const auto& instance) {
                           std::string name = instance.param.file;
                           return name.substr(10, name.size() - 14);  // "sock_diag_tcp4.hex"
                         });

}  // namespace
}  // namespace halvane
