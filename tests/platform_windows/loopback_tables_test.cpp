// The system's own tables, with sockets of this process on the loopback address.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/windows/ip_helper_tables.h"
#include "platform/windows/windows_identity.h"
#include "snapshot/connection_snapshot.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::RunningUnderWine;

constexpr int kListenState = 2;
constexpr int kEstablishedState = 5;

class Socket {
 public:
  Socket(int type, int protocol) : socket_(::socket(AF_INET, type, protocol)) {}
  explicit Socket(SOCKET accepted) : socket_(accepted) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET)
      closesocket(socket_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return socket_; }

  // Binds to 127.0.0.1 on a port the system chooses and returns that port.
  std::uint16_t BindLoopback() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
      return 0;
    return LocalPort();
  }
  std::uint16_t LocalPort() const {
    sockaddr_in address{};
    int length = sizeof(address);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
  }

 private:
  SOCKET socket_;
};

// A listener, a client connected to it and the accepted end, plus a UDP socket.
class LoopbackSockets : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(winsock_.Started());
    listenPort_ = listener_.BindLoopback();
    ASSERT_NE(listenPort_, 0);
    ASSERT_EQ(listen(listener_.get(), 1), 0);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    target.sin_port = htons(listenPort_);
    ASSERT_EQ(connect(client_.get(), reinterpret_cast<sockaddr*>(&target), sizeof(target)), 0);
    clientPort_ = client_.LocalPort();
    accepted_ = std::make_unique<Socket>(accept(listener_.get(), nullptr, nullptr));
    ASSERT_NE(accepted_->get(), INVALID_SOCKET);
    udpPort_ = udp_.BindLoopback();
    ASSERT_NE(udpPort_, 0);
  }

  // The table's owner PID is this process's, except that Wine 8 reports 0 for every socket.
  static void ExpectOwnedByThisProcess(std::uint32_t pid) {
    if (RunningUnderWine() && pid == 0) {
      std::printf("owner PID not checked: Wine reports PID 0 as the owner of every socket\n");
      return;
    }
    EXPECT_EQ(pid, GetCurrentProcessId());
  }

  testing_windows::WinsockSession winsock_;
  Socket listener_{SOCK_STREAM, IPPROTO_TCP};
  Socket client_{SOCK_STREAM, IPPROTO_TCP};
  Socket udp_{SOCK_DGRAM, IPPROTO_UDP};
  std::unique_ptr<Socket> accepted_;
  std::uint16_t listenPort_ = 0;
  std::uint16_t clientPort_ = 0;
  std::uint16_t udpPort_ = 0;
};

const Ipv4Bytes kLoopbackBytes{127, 0, 0, 1};

TEST_F(LoopbackSockets, TheListenerBothEndsAndTheUdpSocketAreInTheTables) {
  WindowsConnectionTables tables(BindIpHelperEntryPoints(), GetProcessHeap());
  const std::vector<RawTcpRow> tcp = tables.ReadTcpTable();
  const std::vector<RawUdpRow> udp = tables.ReadUdpTable();

  const auto listening = std::find_if(tcp.begin(), tcp.end(), [&](const RawTcpRow& row) {
    return row.localPort == listenPort_ && row.state == kListenState;
  });
  ASSERT_NE(listening, tcp.end());
  EXPECT_EQ(listening->localAddr, kLoopbackBytes);
  ExpectOwnedByThisProcess(listening->pid);

  const auto clientEnd = std::find_if(tcp.begin(), tcp.end(), [&](const RawTcpRow& row) {
    return row.localPort == clientPort_ && row.remotePort == listenPort_;
  });
  ASSERT_NE(clientEnd, tcp.end());
  EXPECT_EQ(clientEnd->state, kEstablishedState);
  EXPECT_EQ(clientEnd->remoteAddr, kLoopbackBytes);
  ExpectOwnedByThisProcess(clientEnd->pid);

  const auto serverEnd = std::find_if(tcp.begin(), tcp.end(), [&](const RawTcpRow& row) {
    return row.localPort == listenPort_ && row.remotePort == clientPort_;
  });
  ASSERT_NE(serverEnd, tcp.end());
  EXPECT_EQ(serverEnd->state, kEstablishedState);

  const auto datagram = std::find_if(
      udp.begin(), udp.end(), [&](const RawUdpRow& row) { return row.localPort == udpPort_; });
  ASSERT_NE(datagram, udp.end());
  EXPECT_EQ(datagram->localAddr, kLoopbackBytes);
  ExpectOwnedByThisProcess(datagram->pid);
}

TEST_F(LoopbackSockets, TheSnapshotGivesTheRowsTheirTextsAndThisProgramsIdentity) {
  WindowsConnectionTables tables(BindIpHelperEntryPoints(), GetProcessHeap());
  WindowsProcessIdentity identity;
  ConnectionSnapshot snapshot(tables, identity);
  snapshot.ReadConnectionTables();

  const std::string port = std::to_string(listenPort_);
  const auto listening = std::find_if(
      snapshot.TcpRecs.begin(), snapshot.TcpRecs.end(),
      [&](const File_Rec& rec) { return rec.LocalPort == port && rec.StateCode == kListenState; });
  ASSERT_NE(listening, snapshot.TcpRecs.end());
  EXPECT_EQ(listening->LocalIP, "127.0.0.1");
  EXPECT_EQ(listening->RemoteIP, "0.0.0.0");
  EXPECT_TRUE(listening->Matched.empty());
  if (listening->PID == "0" && RunningUnderWine()) {
    std::printf("identity not checked: Wine reports PID 0 as the owner of the listener\n");
  } else {
    EXPECT_EQ(listening->PID, std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(listening->ProcessName, "platform_windows_tests.exe");
    EXPECT_EQ(listening->ProcessPath, testing_windows::OwnProgramPath());
    EXPECT_EQ(listening->Description, "Halvane Windows back-end tests");
    EXPECT_EQ(listening->Company, "Halvane 测试组");
  }

  const std::string udpPort = std::to_string(udpPort_);
  const auto datagram = std::find_if(snapshot.UdpRecs.begin(), snapshot.UdpRecs.end(),
                                     [&](const File_Rec& rec) { return rec.LocalPort == udpPort; });
  ASSERT_NE(datagram, snapshot.UdpRecs.end());
  EXPECT_EQ(datagram->StateCode, 0);
  EXPECT_TRUE(datagram->RemoteIP.empty());
  EXPECT_TRUE(datagram->RemotePort.empty());
}

}  // namespace
}  // namespace halvane
