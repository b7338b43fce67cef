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

using FillTest = ConnectionListTest;

TEST_F(FillTest, TurnsEveryEndpointIntoARowWithAnEmptyMark) {
  identity.AddProcess(10, "web.exe", "C:\\web.exe", "Web server", "Web Ltd");
  identity.AddProcess(20, "dns.exe", "C:\\dns.exe", "Resolver", "Net Co");
  Fill({Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 10), Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50000, 10)},
       {Udp("0.0.0.0", 53, 20)});

  EXPECT_THAT(Rows(), UnorderedElementsAre("TCP 10 0.0.0.0:80>0.0.0.0:0 [监听] mark=",
                                           "TCP 10 10.0.0.1:80>10.0.0.2:50000 [已建立] mark=",
                                           "UDP 20 0.0.0.0:53>: [] mark="));
  EXPECT_EQ(window.netCount, "3");
  EXPECT_EQ(window.appCount, "2");
}

TEST_F(FillTest, CopiesTheProcessFieldsOfTheEndpoint) {
  identity.AddProcess(10, "web.exe", "C:\\web.exe", "Web server", "Web Ltd");
  Fill({Tcp(5, "10.0.0.1", 80, "10.0.0.2", 50000, 10)}, {Udp("0.0.0.0", 53, 10)});

  for (const TMyRec* r : Records()) {
    EXPECT_EQ(r->ProcessName, "web.exe");
    EXPECT_EQ(r->ProcessPath, "C:\\web.exe");
    EXPECT_EQ(r->Description, "Web server");
    EXPECT_EQ(r->Company, "Web Ltd");
  }
  const TMyRec& udp = view.RecordOf(RowOf("10", "53"))[0];
  EXPECT_EQ(udp.Protocol, "UDP");
  EXPECT_EQ(udp.State, "");
  EXPECT_EQ(udp.RemoteIP, "");
  EXPECT_EQ(udp.RemotePort, "");
}

TEST_F(FillTest, UnknownStateCodesShowTheirNumber) {
  Fill({Tcp(0, "0.0.0.0", 1, "0.0.0.0", 0, 1), Tcp(13, "0.0.0.0", 2, "0.0.0.0", 0, 1),
        Tcp(-1, "0.0.0.0", 3, "0.0.0.0", 0, 1)});
  EXPECT_EQ(view.RecordOf(RowOf("1", "1"))->State, "未知状态0");
  EXPECT_EQ(view.RecordOf(RowOf("1", "2"))->State, "未知状态13");
  EXPECT_EQ(view.RecordOf(RowOf("1", "3"))->State, "未知状态-1");
}

TEST_F(FillTest, EmptySnapshotLeavesAnEmptyViewAndZeroCounters) {
  Fill({}, {});
  EXPECT_EQ(view.RowCount(), 0u);
  EXPECT_EQ(window.netCountHistory, std::vector<std::string>{"0"});
  EXPECT_EQ(window.appCountHistory, std::vector<std::string>{"0"});
  EXPECT_THAT(SelectedRows(), IsEmpty());
  EXPECT_EQ(view.FocusedRow(), nullptr);
}

// Each added row is sorted at once while its record is still empty, so the row that is first
// when the fill selects depends on the sort column and direction; the final sort then moves it.
struct FillSelectionCase {
  const char* name;
  int sortColumn;
  SortDirection direction;
  std::vector<const char*> tcpNames;  // one TCP endpoint per name, PIDs 1, 2, ...
  std::vector<const char*> udpNames;  // one UDP endpoint per name, PIDs 101, 102, ...
  std::vector<std::string> finalOrder;
  const char* selected;  // PID of the selected and focused row
};

void PrintTo(const FillSelectionCase& c, std::ostream* os) {
  *os << c.name;
}

class FillSelection : public ConnectionListTest,
                      public ::testing::WithParamInterface<FillSelectionCase> {};

TEST_P(FillSelection, SelectsTheRowThatTheRunningSortsLeftFirst) {
  const FillSelectionCase& c = GetParam();
  std::vector<RawTcpRow> tcp;
  std::vector<RawUdpRow> udp;
  for (std::size_t i = 0; i < c.tcpNames.size(); ++i) {
    const auto pid = static_cast<std::uint32_t>(1 + i);
    if (*c.tcpNames[i])
      identity.AddProcess(pid, c.tcpNames[i], std::string("C:\\") + c.tcpNames[i]);
    tcp.push_back(Tcp(5, "10.0.0.1", static_cast<std::uint16_t>(1000 + i), "10.0.0.2", 80, pid));
  }
  for (std::size_t i = 0; i < c.udpNames.size(); ++i) {
    const auto pid = static_cast<std::uint32_t>(101 + i);
    if (*c.udpNames[i])
      identity.AddProcess(pid, c.udpNames[i], std::string("C:\\") + c.udpNames[i]);
    udp.push_back(Udp("0.0.0.0", static_cast<std::uint16_t>(2000 + i), pid));
  }
  view.SetSortColumn(c.sortColumn);
  view.SetDirection(c.direction);

  Fill(tcp, udp);

  EXPECT_EQ(Names(), c.finalOrder);
  const std::vector<ListRow*> selected = SelectedRows();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0]->record.PID, c.selected);
  EXPECT_EQ(view.FocusedRow(), selected[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, FillSelection,
    ::testing::Values(
        // Ascending: every new (empty) row moves to the top, so the last one added is first.
        FillSelectionCase{"AscendingLastAddedIsFirst",
                          1,
                          SortDirection::Ascending,
                          {"b.exe", "a.exe", "c.exe"},
                          {},
                          {"a.exe", "b.exe", "c.exe"},
                          "3"},
        FillSelectionCase{"AscendingUdpAddedAfterTcp",
                          1,
                          SortDirection::Ascending,
                          {"a.exe", "c.exe"},
                          {"b.exe"},
                          {"a.exe", "b.exe", "c.exe"},
                          "101"},
        // A row with an empty name stays ahead of every row added after it.
        FillSelectionCase{"AscendingEmptyNameStaysFirst",
                          1,
                          SortDirection::Ascending,
                          {"", "b.exe", "a.exe"},
                          {},
                          {"", "a.exe", "b.exe"},
                          "1"},
        // Descending: new rows stay at the end, so the first row added stays first.
        FillSelectionCase{"DescendingFirstAddedStaysFirst",
                          1,
                          SortDirection::Descending,
                          {"b.exe", "a.exe", "c.exe"},
                          {},
                          {"c.exe", "b.exe", "a.exe"},
                          "1"},
        FillSelectionCase{"NoSortColumnKeepsTheOrderOfAdding",
                          ConnectionViewModel::kNoColumn,
                          SortDirection::Ascending,
                          {"b.exe", "a.exe"},
                          {"c.exe"},
                          {"b.exe", "a.exe", "c.exe"},
                          "1"},
        // Column 0 (PID) never orders rows: same as no sort column.
        FillSelectionCase{"ColumnThatNeverOrdersKeepsTheOrderOfAdding",
                          0,
                          SortDirection::Ascending,
                          {"b.exe", "a.exe"},
                          {},
                          {"b.exe", "a.exe"},
                          "1"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(FillTest, SortsByTheLocalPortAsText) {
  view.SetSortColumn(5);
  Fill({Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 1), Tcp(2, "0.0.0.0", 443, "0.0.0.0", 0, 1),
        Tcp(2, "0.0.0.0", 8080, "0.0.0.0", 0, 1), Tcp(2, "0.0.0.0", 22, "0.0.0.0", 0, 1)});
  std::vector<std::string> ports;
  for (const TMyRec* r : Records())
    ports.push_back(r->LocalPort.str());
  EXPECT_THAT(ports, ElementsAre("22", "443", "80", "8080"));
}

}  // namespace
}  // namespace halvane
