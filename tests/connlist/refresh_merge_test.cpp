#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "connlist/connection_list_fixture.h"

namespace halvane {
namespace {

using fakes::Tcp;
using fakes::Udp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class RefreshMergeTest : public ConnectionListTest {
 protected:
  RefreshMergeTest() {
    identity.AddProcess(10, "web.exe", "C:\\web.exe", "Web server", "Web Ltd");
    identity.AddProcess(20, "dns.exe", "C:\\dns.exe", "Resolver", "Net Co");
  }

  const RawTcpRow listener = Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 10);
  const RawTcpRow established = Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50000, 10);
  const RawUdpRow resolver = Udp("0.0.0.0", 53, 20);
};

TEST_F(RefreshMergeTest, UnchangedRefreshEmptiesTcpMarksAndKeepsUdpMarks) {
  Fill({listener}, {resolver});
  const RawTcpRow newTcp = Tcp(5, "10.0.0.1", 81, "10.0.0.3", 40000, 10);
  const RawUdpRow newUdp = Udp("0.0.0.0", 5353, 20);
  Refresh({listener, newTcp}, {resolver, newUdp});
  ASSERT_THAT(Rows(), UnorderedElementsAre(
                          "TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                          "TCP 10 10.0.0.1:81>10.0.0.3:40000 [已建立] mark=add",
                          "UDP 20 0.0.0.0:53>: [] mark=", "UDP 20 0.0.0.0:5353>: [] mark=add"));
  const std::vector<std::string> namesBefore = Names();
  const std::string netBefore = window.netCount, appBefore = window.appCount;

  Refresh({listener, newTcp}, {resolver, newUdp});

  EXPECT_THAT(Rows(), UnorderedElementsAre(
                          "TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                          "TCP 10 10.0.0.1:81>10.0.0.3:40000 [已建立] mark=",
                          "UDP 20 0.0.0.0:53>: [] mark=", "UDP 20 0.0.0.0:5353>: [] mark=add"));
  EXPECT_EQ(Names(), namesBefore);
  EXPECT_EQ(window.netCount, netBefore);
  EXPECT_EQ(window.appCount, appBefore);
  EXPECT_EQ(window.netCount, "4");
  EXPECT_EQ(window.appCount, "2");
}

TEST_F(RefreshMergeTest, StateChangeGivesMdThenEmpty) {
  Fill({listener, established});
  RawTcpRow closing = established;
  closing.state = 8;

  Refresh({listener, closing});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "TCP 10 10.0.0.1:80>10.0.0.2:50000 [等待关闭] mark=md"));

  Refresh({listener, closing});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "TCP 10 10.0.0.1:80>10.0.0.2:50000 [等待关闭] mark="));

  RawTcpRow lastAck = established;
  lastAck.state = 10;
  Refresh({listener, lastAck});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "TCP 10 10.0.0.1:80>10.0.0.2:50000 [最后确认] mark=md"));
  EXPECT_EQ(window.netCount, "2");
}

TEST_F(RefreshMergeTest, StateChangeOfARowAddedByARefreshGivesMd) {
  Fill({listener});
  Refresh({listener, established});
  RawTcpRow finWait = established;
  finWait.state = 6;
  Refresh({listener, finWait});
  EXPECT_THAT(Rows(),
              UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                   "TCP 10 10.0.0.1:80>10.0.0.2:50000 [等待完成1] mark=md"));
}

TEST_F(RefreshMergeTest, VanishedRowsAreDeletedAndTheOthersKept) {
  Fill({listener, established}, {resolver});

  Refresh({listener}, {});

  EXPECT_THAT(Rows(), ElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark="));
  EXPECT_EQ(window.netCount, "1");
  EXPECT_EQ(window.appCount, "1");
}

TEST_F(RefreshMergeTest, NewTcpRowIsAddThenEmptyNewUdpRowKeepsAdd) {
  Fill({listener}, {resolver});
  const RawUdpRow newUdp = Udp("0.0.0.0", 67, 20);

  Refresh({listener, established}, {resolver, newUdp});
  EXPECT_THAT(Rows(), UnorderedElementsAre(
                          "TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                          "TCP 10 10.0.0.1:80>10.0.0.2:50000 [已建立] mark=add",
                          "UDP 20 0.0.0.0:53>: [] mark=", "UDP 20 0.0.0.0:67>: [] mark=add"));
  EXPECT_EQ(window.netCount, "4");

  for (int round = 0; round < 3; ++round) {
    Refresh({listener, established}, {resolver, newUdp});
    EXPECT_THAT(Rows(), UnorderedElementsAre(
                            "TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                            "TCP 10 10.0.0.1:80>10.0.0.2:50000 [已建立] mark=",
                            "UDP 20 0.0.0.0:53>: [] mark=", "UDP 20 0.0.0.0:67>: [] mark=add"))
        << "round " << round;
  }
}

TEST_F(RefreshMergeTest, NewRowCopiesTheProcessFieldsOfItsEndpoint) {
  Fill({});
  identity.AddProcess(30, "new.exe", "C:\\new.exe", "New app", "New Co");
  Refresh({Tcp(5, "10.0.0.1", 1234, "10.0.0.9", 443, 30)}, {Udp("0.0.0.0", 9, 30)});
  for (const TMyRec* r : Records()) {
    EXPECT_EQ(r->ProcessName, "new.exe");
    EXPECT_EQ(r->ProcessPath, "C:\\new.exe");
    EXPECT_EQ(r->Description, "New app");
    EXPECT_EQ(r->Company, "New Co");
    EXPECT_EQ(r->Mark, "add");
  }
}

// The key holds the PID and every address and port; any difference is another endpoint.
struct KeyChangeCase {
  const char* name;
  RawTcpRow changed;
};

void PrintTo(const KeyChangeCase& c, std::ostream* os) {
  *os << c.name;
}

class TcpKeyChange : public ConnectionListTest,
                     public ::testing::WithParamInterface<KeyChangeCase> {};

TEST_P(TcpKeyChange, ReplacesTheRowWithANewOne) {
  Fill({Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50000, 10)});
  Refresh({GetParam().changed});
  ASSERT_EQ(view.RowCount(), 1u);
  const TMyRec& r = view.RowAt(0)->record;
  EXPECT_EQ(r.Mark, "add");
  EXPECT_EQ(Summary(r).substr(0, 4), "TCP ");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TcpKeyChange,
    ::testing::Values(KeyChangeCase{"Pid", Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50000, 11)},
                      KeyChangeCase{"LocalIp", Tcp(5, "10.0.0.9", 80, "10.0.0.2", 50000, 10)},
                      KeyChangeCase{"LocalPort", Tcp(5, "10.0.0.1", 81, "10.0.0.2", 50000, 10)},
                      KeyChangeCase{"RemoteIp", Tcp(5, "10.0.0.1", 80, "10.0.0.3", 50000, 10)},
                      KeyChangeCase{"RemotePort", Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50001, 10)}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(RefreshMergeTest, UdpKeyIsPidAddressAndPort) {
  Fill({}, {resolver});
  Refresh({}, {Udp("0.0.0.0", 53, 21), Udp("127.0.0.1", 53, 20), Udp("0.0.0.0", 54, 20)});
  EXPECT_THAT(Rows(), UnorderedElementsAre("UDP 21 0.0.0.0:53>: [] mark=add",
                                           "UDP 20 127.0.0.1:53>: [] mark=add",
                                           "UDP 20 0.0.0.0:54>: [] mark=add"));
}

TEST_F(RefreshMergeTest, TcpAndUdpRowsOfTheSameAddressAndPortAreApart) {
  Fill({Tcp(2, "0.0.0.0", 53, "0.0.0.0", 0, 20)}, {resolver});
  Refresh({}, {resolver});
  EXPECT_THAT(Rows(), ElementsAre("UDP 20 0.0.0.0:53>: [] mark="));
  Refresh({Tcp(2, "0.0.0.0", 53, "0.0.0.0", 0, 20)}, {});
  EXPECT_THAT(Rows(), ElementsAre("TCP 20 0.0.0.0:53>0.0.0.0:0 [监听] mark=add"));
}

// Every row pairs with the first endpoint of its key, also one already paired, so a second
// endpoint with the same key is never paired and gets a row of its own at each refresh.
TEST_F(RefreshMergeTest, EndpointsSharingAKeyKeepOneRowEach) {
  Fill({listener, listener}, {resolver, resolver});
  ASSERT_EQ(view.RowCount(), 4u);

  for (int round = 0; round < 3; ++round) Refresh({listener, listener}, {resolver, resolver});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "UDP 20 0.0.0.0:53>: [] mark=",
                                           "UDP 20 0.0.0.0:53>: [] mark="));

  // One of the two sockets of each key closes: one row of each goes with it.
  Refresh({listener}, {resolver});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "UDP 20 0.0.0.0:53>: [] mark="));
  EXPECT_EQ(window.netCount, "2");
}

TEST_F(RefreshMergeTest, FirstEndpointOfTheKeyDecidesTheState) {
  Fill({established});
  RawTcpRow closing = established;
  closing.state = 8;
  Refresh({closing, established});
  // The row took the first endpoint's state; the second endpoint became a row of its own.
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 10.0.0.1:80>10.0.0.2:50000 [等待关闭] mark=md",
                                           "TCP 10 10.0.0.1:80>10.0.0.2:50000 [已建立] mark=add"));
}

TEST_F(RefreshMergeTest, EmptySnapshotRemovesEveryRow) {
  Fill({listener, established}, {resolver});
  ASSERT_EQ(SelectedRows().size(), 1u);

  Refresh({}, {});

  EXPECT_EQ(view.RowCount(), 0u);
  EXPECT_EQ(window.netCount, "0");
  EXPECT_EQ(window.appCount, "0");
  EXPECT_THAT(SelectedRows(), IsEmpty());
  EXPECT_EQ(view.SelectedCount(), 0u);
  EXPECT_EQ(view.FocusedRow(), nullptr);
}

TEST_F(RefreshMergeTest, SamePidAndKeyOfANewProcessKeepsTheOldIdentity) {
  Fill({established});
  identity.AddProcess(10, "other.exe", "C:\\other.exe", "Other", "Other Co");

  Refresh({established});

  ASSERT_EQ(view.RowCount(), 1u);
  const TMyRec& r = view.RowAt(0)->record;
  EXPECT_EQ(r.ProcessName, "web.exe");
  EXPECT_EQ(r.ProcessPath, "C:\\web.exe");
  EXPECT_EQ(r.Description, "Web server");
  EXPECT_EQ(r.Company, "Web Ltd");
  EXPECT_EQ(r.Mark, "");
}

TEST_F(RefreshMergeTest, DescriptionIsNotRefreshedForAnExistingRow) {
  Fill({established}, {resolver});
  identity.versions["C:\\web.exe"] = {"Web server 2", "Web Ltd 2"};
  identity.versions["C:\\dns.exe"] = {"Resolver 2", "Net Co 2"};
  Refresh({established}, {resolver});
  EXPECT_EQ(view.RecordOf(RowOf("10", "80"))->Description, "Web server");
  EXPECT_EQ(view.RecordOf(RowOf("10", "80"))->Company, "Web Ltd");
  EXPECT_EQ(view.RecordOf(RowOf("20", "53"))->Description, "Resolver");
  EXPECT_EQ(view.RecordOf(RowOf("20", "53"))->Company, "Net Co");
}

TEST_F(RefreshMergeTest, RefreshSortsTheMergedRowsAgain) {
  identity.AddProcess(30, "aaa.exe", "C:\\aaa.exe");
  identity.AddProcess(40, "zzz.exe", "C:\\zzz.exe");
  Fill({listener}, {resolver});
  Refresh(
      {listener, Tcp(2, "0.0.0.0", 9, "0.0.0.0", 0, 40), Tcp(2, "0.0.0.0", 8, "0.0.0.0", 0, 30)},
      {resolver});
  EXPECT_THAT(Names(), ElementsAre("aaa.exe", "dns.exe", "web.exe", "zzz.exe"));

  view.SetDirection(SortDirection::Descending);
  Refresh(
      {listener, Tcp(2, "0.0.0.0", 9, "0.0.0.0", 0, 40), Tcp(2, "0.0.0.0", 8, "0.0.0.0", 0, 30)},
      {resolver});
  EXPECT_THAT(Names(), ElementsAre("zzz.exe", "web.exe", "dns.exe", "aaa.exe"));
}

TEST_F(RefreshMergeTest, RefreshGivesTheViewTheKeyboardFocusAndRepaintsItOnce) {
  Fill({listener});
  EXPECT_FALSE(view.HasKeyboardFocus());
  const int repaintsAfterFill = view.RepaintCount();

  Refresh({listener});
  EXPECT_TRUE(view.HasKeyboardFocus());
  EXPECT_EQ(view.RepaintCount(), repaintsAfterFill + 1);

  Refresh({});
  EXPECT_TRUE(view.HasKeyboardFocus());
  EXPECT_EQ(view.RepaintCount(), repaintsAfterFill + 2);
}

TEST_F(RefreshMergeTest, EachRefreshReadsANewSnapshot) {
  Fill({listener});
  identity.log.clear();
  Refresh({listener});
  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "snapshot"), 1);
  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "name 10"), 1);
}

}  // namespace
}  // namespace halvane
