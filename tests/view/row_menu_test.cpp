#include "view/row_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace halvane {
namespace {

TMyRec RecWithPath(std::string path) {
  TMyRec rec;
  rec.ProcessName = "x.exe";
  rec.ProcessPath = std::move(path);
  return rec;
}

RowMenuState AllDisabled() {
  return RowMenuState{false, false, false, false, false};
}

void ExpectFour(const RowMenuState& menu, bool enabled) {
  EXPECT_EQ(menu.NProcInfo, enabled);
  EXPECT_EQ(menu.NEndProc, enabled);
  EXPECT_EQ(menu.NLocate, enabled);
  EXPECT_EQ(menu.NProperty, enabled);
}

TEST(RowMenu, AllItemsEnabledWhenTheWindowOpens) {
  const RowMenuState menu;
  ExpectFour(menu, true);
  EXPECT_TRUE(menu.NCopy);
}

TEST(RowMenu, EmptyPathDisablesTheFourAndLeavesCopy) {
  RowMenuState menu;
  const TMyRec system = RecWithPath("");  // the System and Idle processes
  EXPECT_TRUE(VTSGetPopupMenu(menu, &system));
  ExpectFour(menu, false);
  EXPECT_TRUE(menu.NCopy);
}

TEST(RowMenu, PreparationNeverTouchesCopy) {
  RowMenuState menu = AllDisabled();
  const TMyRec withPath = RecWithPath("/usr/bin/ssh");
  PrepareRowMenu(menu, withPath);
  ExpectFour(menu, true);
  EXPECT_FALSE(menu.NCopy);  // left as it was, whatever that is
}

TEST(RowMenu, PathEnablesTheFour) {
  RowMenuState menu = AllDisabled();
  const TMyRec withPath = RecWithPath("/usr/sbin/sshd");
  EXPECT_TRUE(VTSGetPopupMenu(menu, &withPath));
  ExpectFour(menu, true);
}

TEST(RowMenu, NoRowShowsNoMenuAndKeepsTheLastState) {
  RowMenuState menu;
  const TMyRec system = RecWithPath("");
  ASSERT_TRUE(VTSGetPopupMenu(menu, &system));
  EXPECT_FALSE(VTSGetPopupMenu(menu, nullptr));  // right click below the last row
  ExpectFour(menu, false);
}

TEST(RowMenu, StatePersistsUntilTheNextPreparation) {
  // The double click and the end-process button read the state of the last preparation.
  RowMenuState menu;
  const TMyRec system = RecWithPath("");
  const TMyRec withPath = RecWithPath("/usr/bin/ssh");
  VTSGetPopupMenu(menu, &system);
  VTSColumnClick(menu, 3, &withPath);  // not the manage column: no preparation
  VTSColumnClick(menu, 9, nullptr);    // no focused row: no preparation
  VTSGetPopupMenu(menu, nullptr);
  ExpectFour(menu, false);
  VTSGetPopupMenu(menu, &withPath);
  ExpectFour(menu, true);
}

struct ColumnClickCase {
  const char* name;
  int column;
  bool hasFocusedRow;
  const char* path;
  bool popsUp;
  bool enabledAfter;  // the four items, starting all disabled
};

class ManageColumnClick : public ::testing::TestWithParam<ColumnClickCase> {};

TEST_P(ManageColumnClick, PreparesAndPopsUpOnlyForTheManageColumnWithAFocusedRow) {
  const ColumnClickCase& c = GetParam();
  RowMenuState menu = AllDisabled();
  const TMyRec focused = RecWithPath(c.path);
  EXPECT_EQ(VTSColumnClick(menu, c.column, c.hasFocusedRow ? &focused : nullptr), c.popsUp);
  ExpectFour(menu, c.enabledAfter);
  EXPECT_FALSE(menu.NCopy);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ManageColumnClick,
    ::testing::Values(ColumnClickCase{"ManageWithPath", 9, true, "/usr/bin/ssh", true, true},
                      ColumnClickCase{"ManageEmptyPath", 9, true, "", true, false},
                      ColumnClickCase{"ManageWithoutFocus", 9, false, "/usr/bin/ssh", false, false},
                      ColumnClickCase{"ProcessColumn", 1, true, "/usr/bin/ssh", false, false},
                      ColumnClickCase{"ProcessIdColumn", 0, true, "/usr/bin/ssh", false, false},
                      ColumnClickCase{"RemarkColumn", 13, true, "/usr/bin/ssh", false, false},
                      ColumnClickCase{"NoColumn", -1, true, "/usr/bin/ssh", false, false}),
    [](const ::testing::TestParamInfo<ColumnClickCase>& param) {
      return std::string(param.param.name);
    });

TEST(RowMenu, ManageClickWithEmptyPathDisablesAfterEnabledState) {
  RowMenuState menu;
  const TMyRec system = RecWithPath("");
  EXPECT_TRUE(VTSColumnClick(menu, 9, &system));
  ExpectFour(menu, false);
  EXPECT_TRUE(menu.NCopy);
}

}  // namespace
}  // namespace halvane
