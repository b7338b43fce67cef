#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "connlist/connection_list_fixture.h"

namespace halvane {
namespace {

using fakes::Tcp;
using fakes::Udp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class LoopbackRuleTest : public ConnectionListTest {
 protected:
  LoopbackRuleTest() {
    identity.AddProcess(50, "loop.exe", "C:\\loop.exe");
    identity.AddProcess(60, "web.exe", "C:\\web.exe");
  }

  // Both ends of one loopback connection, owned by loop.exe.
  const RawTcpRow clientEnd = Tcp(5, "127.0.0.1", 50000, "127.0.0.1", 6000, 50);
  const RawTcpRow serverEnd = Tcp(5, "127.0.0.1", 6000, "127.0.0.1", 50000, 50);
  const RawTcpRow outside = Tcp(5, "10.0.0.1", 40000, "10.0.0.2", 443, 60);
};

struct LoopbackCase {
  const char* name;
  RawTcpRow tcp;
  bool shownWhenUnchecked;
};

void PrintTo(const LoopbackCase& c, std::ostream* os) {
  *os << c.name;
}

class LoopbackEndpoints : public ConnectionListTest,
                          public ::testing::WithParamInterface<std::tuple<LoopbackCase, bool>> {};

TEST_P(LoopbackEndpoints, OnlyConnectionsWithBothEndsOnLoopbackAreHidden) {
  const auto& [c, viaRefresh] = GetParam();
  window.showLocal = false;
  if (viaRefresh) {
    Fill({});
    Refresh({c.tcp});
  } else {
    Fill({c.tcp});
  }
  EXPECT_EQ(view.RowCount(), c.shownWhenUnchecked ? 1u : 0u);
  EXPECT_EQ(window.netCount, c.shownWhenUnchecked ? "1" : "0");
}

INSTANTIATE_TEST_SUITE_P(
    Endpoints, LoopbackEndpoints,
    ::testing::Combine(
        ::testing::Values(
            LoopbackCase{"LoopbackToLoopback", Tcp(5, "127.0.0.1", 1, "127.0.0.1", 2, 9), false},
            LoopbackCase{"ListenerOnLoopback", Tcp(2, "127.0.0.1", 631, "0.0.0.0", 0, 9), true},
            LoopbackCase{"LoopbackToOther", Tcp(5, "127.0.0.1", 1, "10.0.0.5", 80, 9), true},
            LoopbackCase{"OtherToLoopback", Tcp(5, "10.0.0.5", 1, "127.0.0.1", 80, 9), true},
            LoopbackCase{"OtherLoopbackAddress", Tcp(5, "127.0.0.2", 1, "127.0.0.1", 2, 9), true},
            LoopbackCase{"AnyToAny", Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 9), true}),
        ::testing::Bool()),
    [](const auto& tc) {
      return std::string(std::get<0>(tc.param).name) +
             (std::get<1>(tc.param) ? "ViaRefresh" : "ViaFill");
    });

TEST_F(LoopbackRuleTest, UdpOnLoopbackIsAlwaysShown) {
  window.showLocal = false;
  Fill({}, {Udp("127.0.0.1", 53, 50)});
  Refresh({}, {Udp("127.0.0.1", 53, 50), Udp("127.0.0.1", 54, 50)});
  EXPECT_THAT(Rows(), UnorderedElementsAre("UDP 50 127.0.0.1:53>: [] mark=",
                                           "UDP 50 127.0.0.1:54>: [] mark=add"));
}

TEST_F(LoopbackRuleTest, HiddenLoopbackOnlyProgramCountsAsAProgramButNotAsAConnection) {
  window.showLocal = false;
  Fill({clientEnd, serverEnd, outside});
  EXPECT_THAT(Names(), ElementsAre("web.exe"));
  EXPECT_EQ(window.netCount, "1");
  EXPECT_EQ(window.appCount, "2");

  Refresh({clientEnd, serverEnd, outside});
  EXPECT_THAT(Names(), ElementsAre("web.exe"));
  EXPECT_EQ(window.netCount, "1");
  EXPECT_EQ(window.appCount, "2");
}

TEST_F(LoopbackRuleTest, UncheckingRemovesLoopbackRowsAndCheckingBringsThemBackAsAdd) {
  Fill({clientEnd, serverEnd, outside});
  ASSERT_EQ(view.RowCount(), 3u);
  ASSERT_EQ(window.appCount, "2");

  window.showLocal = false;
  Refresh({clientEnd, serverEnd, outside});
  EXPECT_THAT(Rows(), ElementsAre("TCP 60 10.0.0.1:40000>10.0.0.2:443 [已建立] mark="));
  EXPECT_EQ(window.netCount, "1");
  EXPECT_EQ(window.appCount, "2");

  Refresh({clientEnd, serverEnd, outside});
  EXPECT_EQ(view.RowCount(), 1u);

  window.showLocal = true;
  Refresh({clientEnd, serverEnd, outside});
  EXPECT_THAT(Rows(),
              UnorderedElementsAre("TCP 50 127.0.0.1:50000>127.0.0.1:6000 [已建立] mark=add",
                                   "TCP 50 127.0.0.1:6000>127.0.0.1:50000 [已建立] mark=add",
                                   "TCP 60 10.0.0.1:40000>10.0.0.2:443 [已建立] mark="));
  EXPECT_EQ(window.netCount, "3");
  EXPECT_EQ(window.appCount, "2");

  Refresh({clientEnd, serverEnd, outside});
  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 50 127.0.0.1:50000>127.0.0.1:6000 [已建立] mark=",
                                           "TCP 50 127.0.0.1:6000>127.0.0.1:50000 [已建立] mark=",
                                           "TCP 60 10.0.0.1:40000>10.0.0.2:443 [已建立] mark="));
}

TEST_F(LoopbackRuleTest, LoopbackRowsAreShownWhileChecked) {
  Fill({clientEnd});
  Refresh({clientEnd, serverEnd});
  EXPECT_THAT(Rows(),
              UnorderedElementsAre("TCP 50 127.0.0.1:50000>127.0.0.1:6000 [已建立] mark=",
                                   "TCP 50 127.0.0.1:6000>127.0.0.1:50000 [已建立] mark=add"));
}

TEST_F(LoopbackRuleTest, UncheckedWithOnlyLoopbackLeavesNothingSelected) {
  Fill({clientEnd, serverEnd});
  ASSERT_EQ(SelectedRows().size(), 1u);
  window.showLocal = false;
  Refresh({clientEnd, serverEnd});
  EXPECT_EQ(view.RowCount(), 0u);
  EXPECT_THAT(SelectedRows(), IsEmpty());
  EXPECT_EQ(view.FocusedRow(), nullptr);
  EXPECT_EQ(window.netCount, "0");
  EXPECT_EQ(window.appCount, "1");
}

}  // namespace
}  // namespace halvane
