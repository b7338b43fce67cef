#include "view/header_click.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view_rows.h"

namespace halvane {
namespace {

using view_test::AppendRowsInOrder;
using view_test::PidsInOrder;

TMyRec Rec(std::string pid, std::string name, std::string protocol) {
  TMyRec rec;
  rec.PID = std::move(pid);
  rec.ProcessName = std::move(name);
  rec.Protocol = std::move(protocol);
  return rec;
}

// The view as the window leaves it after the first fill: sorted by process name, ascending.
// By name (letters folded): alpha.exe 3, Chrome.exe 2, svchost.exe 1, System 4.
void FillAsAfterStart(ConnectionViewModel& view) {
  AppendRowsInOrder(view, {Rec("1", "svchost.exe", "TCP"), Rec("2", "Chrome.exe", "UDP"),
                           Rec("3", "alpha.exe", "TCP"), Rec("4", "System", "UDP")});
  view.SetSortColumn(1);
}

struct ClickCase {
  const char* name;
  std::vector<int> clicks;  // -1: pressed over one caption, released over another
  int sortColumn;
  SortDirection direction;
  std::vector<std::string> pids;
};

class HeaderClickSequence : public ::testing::TestWithParam<ClickCase> {};

TEST_P(HeaderClickSequence, LeavesSortStateAndOrder) {
  const ClickCase& c = GetParam();
  ConnectionViewModel view;
  FillAsAfterStart(view);
  for (int column : c.clicks)
    VTSHeaderClick(view, column);
  EXPECT_EQ(view.SortColumn(), c.sortColumn);
  EXPECT_EQ(view.Direction(), c.direction);
  EXPECT_THAT(PidsInOrder(view), ::testing::ElementsAreArray(c.pids));
}

constexpr auto kAsc = SortDirection::Ascending;
constexpr auto kDesc = SortDirection::Descending;

INSTANTIATE_TEST_SUITE_P(
    Sequences, HeaderClickSequence,
    ::testing::Values(
        ClickCase{"NoClick", {}, 1, kAsc, {"3", "2", "1", "4"}},
        ClickCase{"ProcessOnceDescends", {1}, 1, kDesc, {"4", "1", "2", "3"}},
        ClickCase{"ProcessTwiceAscendsAgain", {1, 1}, 1, kAsc, {"3", "2", "1", "4"}},
        // Every click flips, so a new column starts descending; equal protocols keep their order.
        ClickCase{"ProtocolFirstDescends", {3}, 3, kDesc, {"2", "4", "3", "1"}},
        ClickCase{"ProtocolThenProcess", {3, 1}, 1, kAsc, {"3", "2", "1", "4"}},
        // Press and release over different captions: no sort column, rows stay, direction flips.
        ClickCase{"DifferentCaptions", {-1}, -1, kDesc, {"3", "2", "1", "4"}},
        ClickCase{"DifferentCaptionsTwice", {-1, -1}, -1, kAsc, {"3", "2", "1", "4"}},
        ClickCase{"DescendThenDifferentCaptions", {1, -1}, -1, kAsc, {"4", "1", "2", "3"}},
        ClickCase{"DifferentCaptionsThenProcess", {-1, 1}, 1, kAsc, {"3", "2", "1", "4"}},
        // The manage column's caption changes nothing at all.
        ClickCase{"ManageIgnored", {9}, 1, kAsc, {"3", "2", "1", "4"}},
        ClickCase{"ManageIgnoredAfterDescend", {1, 9}, 1, kDesc, {"4", "1", "2", "3"}},
        ClickCase{"ManageIgnoredWithoutSortColumn", {-1, 9}, -1, kDesc, {"3", "2", "1", "4"}},
        // Columns whose comparison is always 0 take the sort but keep the rows as they are.
        ClickCase{"ProcessIdKeepsOrder", {0}, 0, kDesc, {"3", "2", "1", "4"}},
        ClickCase{"RemarkKeepsOrder", {13}, 13, kDesc, {"3", "2", "1", "4"}}),
    [](const ::testing::TestParamInfo<ClickCase>& param) { return std::string(param.param.name); });

TEST(HeaderClick, EmptyViewOnlyChangesState) {
  ConnectionViewModel view;
  VTSHeaderClick(view, 5);
  EXPECT_EQ(view.SortColumn(), 5);
  EXPECT_EQ(view.Direction(), kDesc);
  EXPECT_EQ(view.RowCount(), 0u);
}

}  // namespace
}  // namespace halvane
