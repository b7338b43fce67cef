#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connlist/connection_list_fixture.h"

namespace halvane {
namespace {

using fakes::Tcp;
using fakes::Udp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RefreshSelectionTest : public ConnectionListTest {
 protected:
  RefreshSelectionTest() {
    identity.AddProcess(1, "b.exe", "C:\\b.exe");
    identity.AddProcess(2, "a.exe", "C:\\a.exe");
    identity.AddProcess(3, "c.exe", "C:\\c.exe");
    identity.AddProcess(4, "0first.exe", "C:\\0first.exe");
  }

  static RawTcpRow Of(std::uint32_t pid) {
    return Tcp(5, "10.0.0.1", static_cast<std::uint16_t>(1000 + pid), "10.0.0.2", 80, pid);
  }

  std::string SelectedPid() const {
    const std::vector<ListRow*> selected = SelectedRows();
    return selected.size() == 1 ? selected[0]->record.PID.str() : "none";
  }

  std::string FocusedPid() const {
    return view.FocusedRow() ? view.FocusedRow()->record.PID.str() : "none";
  }
};

TEST_F(RefreshSelectionTest, SelectedRowVanishedSelectsTheFirstRowInSortedOrder) {
  Fill({Of(1), Of(2), Of(3)});
  ASSERT_EQ(SelectedPid(), "3");  // c.exe was first before the final sort

  Refresh({Of(1), Of(2)});

  EXPECT_THAT(Names(), ElementsAre("a.exe", "b.exe"));
  EXPECT_EQ(SelectedPid(), "2");
  EXPECT_EQ(FocusedPid(), "2");
  EXPECT_EQ(view.SelectedCount(), 1u);
}

// New rows take their place while still empty, so before the final sort a new row that sorts
// last is on top; the selection goes by the sorted order.
TEST_F(RefreshSelectionTest, SelectedRowVanishedSelectsTheFirstRowAfterTheFinalSort) {
  identity.AddProcess(5, "zz.exe", "C:\\zz.exe");
  Fill({Of(1), Of(2), Of(3)});
  ASSERT_EQ(SelectedPid(), "3");

  Refresh({Of(1), Of(2), Of(5)});

  EXPECT_THAT(Names(), ElementsAre("a.exe", "b.exe", "zz.exe"));
  EXPECT_EQ(SelectedPid(), "2");
  EXPECT_EQ(FocusedPid(), "2");
}

TEST_F(RefreshSelectionTest, SelectedRowVanishedSelectsANewRowThatSortsFirst) {
  Fill({Of(1), Of(3)});
  ASSERT_EQ(SelectedPid(), "3");

  Refresh({Of(1), Of(4)});

  EXPECT_THAT(Names(), ElementsAre("0first.exe", "b.exe"));
  EXPECT_EQ(SelectedPid(), "4");
  EXPECT_EQ(FocusedPid(), "4");
}

TEST_F(RefreshSelectionTest, SelectedRowVanishedInDescendingOrderSelectsTheTopRow) {
  view.SetDirection(SortDirection::Descending);
  Fill({Of(1), Of(2), Of(3)});
  ASSERT_EQ(SelectedPid(), "1");

  Refresh({Of(2), Of(3), Of(4)});

  EXPECT_THAT(Names(), ElementsAre("c.exe", "a.exe", "0first.exe"));
  EXPECT_EQ(SelectedPid(), "3");
  EXPECT_EQ(FocusedPid(), "3");
}

TEST_F(RefreshSelectionTest, SurvivingSelectionIsLeftUnchanged) {
  Fill({Of(1), Of(2), Of(3)});
  ListRow* b = RowOf("1", "1001");
  view.SelectRow(b);
  view.FocusRow(b);

  Refresh({Of(4), Of(1), Of(3)});  // a.exe gone, 0first.exe new and first

  EXPECT_THAT(Names(), ElementsAre("0first.exe", "b.exe", "c.exe"));
  EXPECT_EQ(SelectedPid(), "1");
  EXPECT_EQ(FocusedPid(), "1");
  EXPECT_EQ(RowOf("1", "1001"), b);
}

TEST_F(RefreshSelectionTest, SelectionOfARowWhoseStateChangedSurvives) {
  Fill({Of(1), Of(2)});
  ListRow* b = RowOf("1", "1001");
  view.SelectRow(b);
  view.FocusRow(b);
  RawTcpRow closing = Of(1);
  closing.state = 8;

  Refresh({closing, Of(2)});

  EXPECT_EQ(SelectedPid(), "1");
  EXPECT_EQ(b->record.Mark, "md");
}

TEST_F(RefreshSelectionTest, SelectedRowHiddenByTheLoopbackRuleSelectsTheFirstRow) {
  identity.AddProcess(9, "zz.exe", "C:\\zz.exe");
  const RawTcpRow loop = Tcp(5, "127.0.0.1", 7000, "127.0.0.1", 7001, 9);
  Fill({Of(1), Of(2), loop});  // zz.exe, added last, is first before the final sort
  ASSERT_EQ(SelectedPid(), "9");

  window.showLocal = false;
  Refresh({Of(1), Of(2), loop});

  EXPECT_THAT(Names(), ElementsAre("a.exe", "b.exe"));
  EXPECT_EQ(SelectedPid(), "2");
  EXPECT_EQ(FocusedPid(), "2");
}

TEST_F(RefreshSelectionTest, RowsReturningAfterAnEmptySnapshotGetTheFirstRowSelected) {
  Fill({Of(1), Of(2)});
  Refresh({});
  ASSERT_THAT(SelectedRows(), IsEmpty());
  ASSERT_EQ(FocusedPid(), "none");

  Refresh({Of(3), Of(1)}, {Udp("0.0.0.0", 53, 2)});

  EXPECT_THAT(Names(), ElementsAre("a.exe", "b.exe", "c.exe"));
  EXPECT_EQ(SelectedPid(), "2");
  EXPECT_EQ(FocusedPid(), "2");
}

TEST_F(RefreshSelectionTest, CountersFollowEveryRefresh) {
  Fill({Of(1), Of(2), Of(3)}, {Udp("0.0.0.0", 53, 2)});
  Refresh({Of(1)}, {Udp("0.0.0.0", 53, 2)});
  Refresh({Of(1), Of(4)}, {});
  EXPECT_THAT(window.netCountHistory, ElementsAre("4", "2", "2"));
  EXPECT_THAT(window.appCountHistory, ElementsAre("3", "2", "2"));
}

}  // namespace
}  // namespace halvane
