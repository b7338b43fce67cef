#include "platform/linux/linux_tables.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/linux_platform.h"
#include "platform/linux/netlink_diag.h"
#include "platform_linux/socket_test_support.h"
#include "snapshot/text_forms.h"

namespace halvane {
namespace {

using test_support::SocketLink;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

std::string Endpoint(const Ipv4Bytes& addr, std::uint16_t port) {
  return Ipv4Text(addr) + ":" + PortText(port);
}

// "state local remote pid", e.g. "2 127.0.0.1:80 0.0.0.0:0 pid 17".
std::string RowText(const RawTcpRow& row) {
  return std::to_string(row.state) + " " + Endpoint(row.localAddr, row.localPort) + " " +
         Endpoint(row.remoteAddr, row.remotePort) + " pid " + PidText(row.pid);
}

std::string RowText(const RawUdpRow& row) {
  return Endpoint(row.localAddr, row.localPort) + " pid " + PidText(row.pid);
}

template <typename Row>
std::vector<std::string> RowTexts(const std::vector<Row>& rows) {
  std::vector<std::string> texts;
  for (const Row& row : rows) {
    texts.push_back(RowText(row));
  }
  return texts;
}

// ---- state numbering

struct StateCase {
  int linuxState;
  std::int32_t mibState;
};

void PrintTo(const StateCase& test, std::ostream* out) {
  *out << "kernel state " << test.linuxState;
}

class MibStateTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(MibStateTest, MapsTheKernelStateToTheTableNumbering) {
  EXPECT_EQ(MibTcpStateOfLinux(GetParam().linuxState), GetParam().mibState);
}

INSTANTIATE_TEST_SUITE_P(
    States, MibStateTest,
    ::testing::Values(StateCase{1, 5} /*ESTABLISHED*/, StateCase{2, 3} /*SYN_SENT*/,
                      StateCase{3, 4} /*SYN_RECV*/, StateCase{4, 6} /*FIN_WAIT1*/,
                      StateCase{5, 7} /*FIN_WAIT2*/, StateCase{6, 11} /*TIME_WAIT*/,
                      StateCase{7, 1} /*CLOSE*/, StateCase{8, 8} /*CLOSE_WAIT*/,
                      StateCase{9, 10} /*LAST_ACK*/, StateCase{10, 2} /*LISTEN*/,
                      StateCase{11, 9} /*CLOSING*/, StateCase{12, 4} /*NEW_SYN_RECV*/,
                      StateCase{13, 1} /*BOUND_INACTIVE*/, StateCase{0, 0}, StateCase{14, 0},
                      StateCase{255, 0}, StateCase{-1, 0}));

// ---- the /proc files of a fake root (the recorded tables, owned by made-up processes)

class FakeRootTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"tcp", "tcp6", "udp", "udp6"}) {
      root_.WriteFile(std::string("net/") + name, test_support::ReadTextFile(test_support::DataFile(
                                                      std::string("proc_net_") + name + ".txt")));
    }
    root_.AddProcess(500, 1,
                     {SocketLink(17317), SocketLink(17318), SocketLink(17319), SocketLink(17320),
                      SocketLink(17321), SocketLink(17322), SocketLink(17323)});
    root_.AddProcess(501, 500, {SocketLink(17319)});  // a forked worker of the listener
    root_.AddProcess(600, 1,
                     {SocketLink(17324), SocketLink(17325), SocketLink(17326), SocketLink(17327)});
  }

  test_support::FakeProcRoot root_;
  LinuxConnectionTables tables_{root_.path(), TableSource::kProcFilesOnly};
};

TEST_F(FakeRootTablesTest, TcpRowsInFileOrderWithOwners) {
  EXPECT_THAT(
      RowTexts(tables_.ReadTcpTable()),
      ElementsAre(
          "2 0.0.0.0:2024 0.0.0.0:0 pid 0",  // held by no process we can see
          "2 127.0.0.1:40003 0.0.0.0:0 pid 500", "11 127.0.0.1:37620 127.0.0.1:46821 pid 0",
          "11 127.0.0.1:40010 127.0.0.1:40001 pid 0", "5 127.0.0.1:40020 127.0.0.1:40001 pid 500",
          "11 127.0.0.1:40011 127.0.0.1:40003 pid 0", "5 127.0.0.1:40021 127.0.0.1:40003 pid 500",
          "5 127.0.0.1:40003 127.0.0.1:40021 pid 500",
          "5 127.0.0.1:40001 127.0.0.1:40020 pid 500"));  // from tcp6
}

TEST_F(FakeRootTablesTest, UdpRowsWithOwners) {
  EXPECT_THAT(RowTexts(tables_.ReadUdpTable()),
              ElementsAre("127.0.0.1:40007 pid 600", "127.0.0.1:40008 pid 600"));
}

TEST_F(FakeRootTablesTest, UdpSocketOpenedAfterTheTcpReadGetsItsOwner) {
  tables_.ReadTcpTable();
  root_.WriteFile("net/udp",
                  test_support::ReadTextFile(test_support::DataFile("proc_net_udp.txt")) +
                      "15305: 0100007F:9C49 00000000:0000 07 00000000:00000000 00:00000000 "
                      "00000000     0        0 5000 2 0000000000000000 0\n");
  root_.AddProcess(700, 1, {SocketLink(5000)});
  EXPECT_THAT(
      RowTexts(tables_.ReadUdpTable()),
      ElementsAre("127.0.0.1:40007 pid 600", "127.0.0.1:40008 pid 600", "127.0.0.1:40009 pid 700"));
}

TEST(LinuxConnectionTablesTest, RootWithoutTablesGivesEmptyTables) {
  test_support::FakeProcRoot root;
  LinuxConnectionTables tables(root.path(), TableSource::kProcFilesOnly);
  EXPECT_TRUE(tables.ReadTcpTable().empty());
  EXPECT_TRUE(tables.ReadUdpTable().empty());
}

// ---- the running system, through netlink and through the /proc files

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return addr;
}

template <typename Address>
std::uint16_t LocalPort(int fd) {
  Address addr{};
  socklen_t length = sizeof addr;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) != 0) {
    return 0;
  }
  if constexpr (std::is_same_v<Address, sockaddr_in>) {
    return ntohs(addr.sin_port);
  } else {
    return ntohs(addr.sin6_port);
  }
}

bool BindLoopback(int fd) {
  const sockaddr_in addr = Loopback(0);
  return ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
}

// An IPv6 socket bound to [::]:0; -1 when the system has no IPv6.
int BoundToIpv6Any(int type, int v6only) {
  const int fd = ::socket(AF_INET6, type | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return -1;
  }
  sockaddr_in6 any{};
  any.sin6_family = AF_INET6;
  if (::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6only, sizeof v6only) != 0 ||
      ::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string Pid() {
  return std::to_string(::getpid());
}

std::string LoopbackEnd(std::uint16_t port) {
  return "127.0.0.1:" + std::to_string(port);
}

class RunningSystemTest : public ::testing::TestWithParam<TableSource> {
 protected:
  void SetUp() override {
    ASSERT_GE(listener_.get(), 0);
    ASSERT_TRUE(BindLoopback(listener_.get()));
    ASSERT_EQ(::listen(listener_.get(), 8), 0);
    listenPort_ = LocalPort<sockaddr_in>(listener_.get());
    const sockaddr_in server = Loopback(listenPort_);
    ASSERT_EQ(::connect(client_.get(), reinterpret_cast<const sockaddr*>(&server), sizeof server),
              0);
    clientPort_ = LocalPort<sockaddr_in>(client_.get());
    accepted_ = std::make_unique<Descriptor>(::accept4(listener_.get(), nullptr, nullptr, 0));
    ASSERT_GE(accepted_->get(), 0);
    ASSERT_TRUE(BindLoopback(udp_.get()));
    udpPort_ = LocalPort<sockaddr_in>(udp_.get());
  }

  Descriptor listener_{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
  Descriptor client_{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
  Descriptor udp_{::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)};
  std::unique_ptr<Descriptor> accepted_;
  std::uint16_t listenPort_ = 0;
  std::uint16_t clientPort_ = 0;
  std::uint16_t udpPort_ = 0;
  LinuxConnectionTables tables_{"/proc", GetParam()};
};

TEST_P(RunningSystemTest, ListsTheListenerAndBothEndsOfAConnectionWithThisProcess) {
  const std::vector<std::string> rows = RowTexts(tables_.ReadTcpTable());
  EXPECT_THAT(rows, Contains("2 " + LoopbackEnd(listenPort_) + " 0.0.0.0:0 pid " + Pid()));
  EXPECT_THAT(rows, Contains("5 " + LoopbackEnd(clientPort_) + " " + LoopbackEnd(listenPort_) +
                             " pid " + Pid()));
  EXPECT_THAT(rows, Contains("5 " + LoopbackEnd(listenPort_) + " " + LoopbackEnd(clientPort_) +
                             " pid " + Pid()));
}

TEST_P(RunningSystemTest, ListsTheUdpSocketWithThisProcess) {
  tables_.ReadTcpTable();  // as in a snapshot: the UDP read follows the TCP read
  EXPECT_THAT(RowTexts(tables_.ReadUdpTable()), Contains(LoopbackEnd(udpPort_) + " pid " + Pid()));
  EXPECT_THAT(RowTexts(tables_.ReadUdpTable()), Contains(LoopbackEnd(udpPort_) + " pid " + Pid()));
}

TEST_P(RunningSystemTest, ListsAnIpv6ClientOfAnIpv4ServerAsIpv4) {
  Descriptor client6(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (client6.get() < 0) {
    GTEST_SKIP() << "no IPv6 on this system";
  }
  sockaddr_in6 server{};
  server.sin6_family = AF_INET6;
  server.sin6_port = htons(listenPort_);
  ASSERT_EQ(::inet_pton(AF_INET6, "::ffff:127.0.0.1", &server.sin6_addr), 1);
  ASSERT_EQ(::connect(client6.get(), reinterpret_cast<const sockaddr*>(&server), sizeof server), 0);
  const std::uint16_t port6 = LocalPort<sockaddr_in6>(client6.get());
  EXPECT_THAT(
      RowTexts(tables_.ReadTcpTable()),
      Contains("5 " + LoopbackEnd(port6) + " " + LoopbackEnd(listenPort_) + " pid " + Pid()));
}

INSTANTIATE_TEST_SUITE_P(Sources, RunningSystemTest,
                         ::testing::Values(TableSource::kNetlinkOrProcFiles,
                                           TableSource::kProcFilesOnly),
                         [](const auto& instance) {
                           return instance.param == TableSource::kProcFilesOnly ? "ProcFiles"
                                                                                : "Netlink";
                         });

TEST(NetlinkTablesTest, DualStackSocketsAreListedOnTheAnyAddressAndV6OnlyOnesAreNot) {
  const Descriptor dualStack(BoundToIpv6Any(SOCK_STREAM, 0));
  const Descriptor v6only(BoundToIpv6Any(SOCK_STREAM, 1));
  const Descriptor dualStackUdp(BoundToIpv6Any(SOCK_DGRAM, 0));
  if (dualStack.get() < 0 || v6only.get() < 0 || dualStackUdp.get() < 0) {
    GTEST_SKIP() << "no IPv6 on this system";
  }
  ASSERT_EQ(::listen(dualStack.get(), 8), 0);
  ASSERT_EQ(::listen(v6only.get(), 8), 0);
  const std::uint16_t dualPort = LocalPort<sockaddr_in6>(dualStack.get());
  const std::uint16_t v6onlyPort = LocalPort<sockaddr_in6>(v6only.get());
  const std::uint16_t udpPort = LocalPort<sockaddr_in6>(dualStackUdp.get());

  const std::unique_ptr<IConnectionTables> tables = MakeLinuxConnectionTables();
  const std::vector<std::string> tcp = RowTexts(tables->ReadTcpTable());
  EXPECT_THAT(tcp, Contains("2 0.0.0.0:" + std::to_string(dualPort) + " 0.0.0.0:0 pid " + Pid()));
  EXPECT_THAT(tcp,
              Not(Contains("2 0.0.0.0:" + std::to_string(v6onlyPort) + " 0.0.0.0:0 pid " + Pid())));
  EXPECT_THAT(RowTexts(tables->ReadUdpTable()),
              Contains("0.0.0.0:" + std::to_string(udpPort) + " pid " + Pid()));
}

// The sockets of the ports given, in the order listed.
std::vector<SocketEntry> OnPorts(const std::vector<SocketEntry>& entries,
                                 const std::vector<std::uint16_t>& ports) {
  std::vector<SocketEntry> kept;
  for (const SocketEntry& entry : entries) {
    for (const std::uint16_t port : ports) {
      if (entry.localPort == port || entry.remotePort == port) {
        kept.push_back(entry);
        break;
      }
    }
  }
  return kept;
}

// A dual-stack listener with an IPv4 and an IPv6-mapped client, and an IPv4 listener with a
// client: both families mixed in the kernel's tables.
TEST(NetlinkTablesTest, OneWalkOverBothFamiliesGivesWhatADumpOfEachFamilyGives) {
  const Descriptor dualStack(BoundToIpv6Any(SOCK_STREAM, 0));
  if (dualStack.get() < 0) {
    GTEST_SKIP() << "no IPv6 on this system";
  }
  ASSERT_EQ(::listen(dualStack.get(), 8), 0);
  const std::uint16_t dualPort = LocalPort<sockaddr_in6>(dualStack.get());
  const Descriptor listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  ASSERT_TRUE(BindLoopback(listener.get()));
  ASSERT_EQ(::listen(listener.get(), 8), 0);
  const std::uint16_t v4Port = LocalPort<sockaddr_in>(listener.get());
  std::vector<std::unique_ptr<Descriptor>> ends;
  for (const std::uint16_t port : {dualPort, v4Port, dualPort}) {
    ends.push_back(std::make_unique<Descriptor>(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)));
    const sockaddr_in server = Loopback(port);
    ASSERT_EQ(
        ::connect(ends.back()->get(), reinterpret_cast<const sockaddr*>(&server), sizeof server),
        0);
  }
  const std::vector<std::uint16_t> ports = {dualPort, v4Port};

  const std::optional<std::vector<SocketEntry>> both = DumpIpv4TcpSocketsOfBothFamilies();
  const std::optional<std::vector<SocketEntry>> ipv4 = DumpIpv4Sockets(AF_INET, IPPROTO_TCP);
  const std::optional<std::vector<SocketEntry>> ipv6 = DumpIpv4Sockets(AF_INET6, IPPROTO_TCP);
  if (!both || !ipv4 || !ipv6) {
    GTEST_SKIP() << "no sock_diag dumps on this system";
  }
  std::vector<SocketEntry> oneAfterTheOther = OnPorts(*ipv4, ports);
  const std::vector<SocketEntry> ofIpv6 = OnPorts(*ipv6, ports);
  oneAfterTheOther.insert(oneAfterTheOther.end(), ofIpv6.begin(), ofIpv6.end());
  EXPECT_EQ(ofIpv6.size(), 3u);  // the listener and the connections it accepted
  EXPECT_EQ(OnPorts(*both, ports), oneAfterTheOther);
}

// Kernels from 6.8 on list sockets that are bound but neither listening nor connected.
bool KernelListsBoundOnlySockets() {
  utsname system{};
  int major = 0;
  int minor = 0;
  return ::uname(&system) == 0 && std::sscanf(system.release, "%d.%d", &major, &minor) == 2 &&
         (major > 6 || (major == 6 && minor >= 8));
}

TEST(NetlinkTablesTest, BoundOnlyTcpSocketIsClosed) {
  if (!KernelListsBoundOnlySockets()) {
    GTEST_SKIP() << "this kernel does not list bound-only sockets";
  }
  const Descriptor bound(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  ASSERT_TRUE(BindLoopback(bound.get()));
  const std::uint16_t port = LocalPort<sockaddr_in>(bound.get());
  LinuxConnectionTables tables;
  EXPECT_THAT(RowTexts(tables.ReadTcpTable()),
              Contains("1 " + LoopbackEnd(port) + " 0.0.0.0:0 pid " + Pid()));
}

TEST(ProcFilesTablesTest, DualStackListenerIsNotListedForTheFileCannotTellItApart) {
  const Descriptor dualStack(BoundToIpv6Any(SOCK_STREAM, 0));
  if (dualStack.get() < 0) {
    GTEST_SKIP() << "no IPv6 on this system";
  }
  ASSERT_EQ(::listen(dualStack.get(), 8), 0);
  const std::uint16_t port = LocalPort<sockaddr_in6>(dualStack.get());
  LinuxConnectionTables tables("/proc", TableSource::kProcFilesOnly);
  EXPECT_THAT(RowTexts(tables.ReadTcpTable()),
              Not(Contains("2 0.0.0.0:" + std::to_string(port) + " 0.0.0.0:0 pid " + Pid())));
}

}  // namespace
}  // namespace halvane
