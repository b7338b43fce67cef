#include "view/incremental_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view_rows.h"

namespace halvane {
namespace {

using Result = IncrementalSearch::Result;
using view_test::AppendRowsInOrder;
using view_test::RecWithPid;

const std::string kNotEnabled = "未启用";
constexpr int kPidColumn = 0;

// Rows in this order: 100, 1024, 200, 2048, 31.
class IncrementalSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppendRowsInOrder(view_, {RecWithPid("100"), RecWithPid("1024"), RecWithPid("200"),
                              RecWithPid("2048"), RecWithPid("31")});
  }

  Result Type(const std::string& ch, std::int64_t nowMs, int focusColumn = kPidColumn) {
    return search_.KeyTyped(view_, ch, nowMs, focusColumn, kNotEnabled);
  }

  void FocusAndSelect(std::size_t index) {
    view_.FocusRow(view_.RowAt(index));
    view_.SelectRow(view_.RowAt(index));
  }

  // The focused row's index, -1 when none; checks it is the only selected row.
  int FocusedIndex() const {
    const ListRow* row = view_.FocusedRow();
    if (row == nullptr)
      return -1;
    EXPECT_TRUE(row->selected);
    EXPECT_EQ(view_.SelectedCount(), 1u);
    return static_cast<int>(row->index);
  }

  ConnectionViewModel view_;
  IncrementalSearch search_;
};

TEST_F(IncrementalSearchTest, WithoutFocusedRowStartsAtTheFirstRow) {
  EXPECT_EQ(Type("2", 1000), Result::Found);
  EXPECT_EQ(FocusedIndex(), 2);  // 200
}

TEST_F(IncrementalSearchTest, KeysWithinThePauseExtendThePrefix) {
  Type("2", 1000);
  EXPECT_EQ(Type("0", 1100), Result::Found);
  EXPECT_EQ(FocusedIndex(), 2);  // "20": 200, the focused row itself
  EXPECT_EQ(Type("4", 1200), Result::Found);
  EXPECT_EQ(search_.SearchText(), "204");
  EXPECT_EQ(FocusedIndex(), 3);  // 2048
}

TEST_F(IncrementalSearchTest, FocusedRowIsIncluded) {
  FocusAndSelect(2);
  EXPECT_EQ(Type("2", 1000), Result::Found);
  EXPECT_EQ(FocusedIndex(), 2);
}

TEST_F(IncrementalSearchTest, WrapsAroundPastTheLastRow) {
  FocusAndSelect(3);  // 2048; below it only 31
  EXPECT_EQ(Type("1", 1000), Result::Found);
  EXPECT_EQ(FocusedIndex(), 0);  // 100
}

TEST_F(IncrementalSearchTest, FoundRowBecomesTheOnlySelectedOne) {
  view_.SelectRow(view_.RowAt(1));
  view_.FocusRow(view_.RowAt(1));
  EXPECT_EQ(Type("2", 1000), Result::Found);
  EXPECT_EQ(FocusedIndex(), 2);
  EXPECT_FALSE(view_.RowAt(1)->selected);
  EXPECT_TRUE(view_.RowAt(2)->selected);
  EXPECT_EQ(view_.SelectedRow(), view_.RowAt(2));
  EXPECT_EQ(view_.SelectedCount(), 1u);
}

struct PauseCase {
  std::int64_t pauseMs;
  std::string searchText;
  int focusedIndex;
};

class IncrementalSearchPause : public IncrementalSearchTest,
                               public ::testing::WithParamInterface<PauseCase> {};

// "3" finds 31; then "1": within the pause that is "31" (31 again), after it a new "1", which
// starts at 31 and wraps to 100.
TEST_P(IncrementalSearchPause, MoreThan200MsStartsANewSearchText) {
  const PauseCase& c = GetParam();
  ASSERT_EQ(Type("3", 5000), Result::Found);
  EXPECT_EQ(Type("1", 5000 + c.pauseMs), Result::Found);
  EXPECT_EQ(search_.SearchText(), c.searchText);
  EXPECT_EQ(FocusedIndex(), c.focusedIndex);
}

INSTANTIATE_TEST_SUITE_P(Pauses, IncrementalSearchPause,
                         ::testing::Values(PauseCase{0, "31", 4}, PauseCase{199, "31", 4},
                                           PauseCase{200, "31", 4}, PauseCase{201, "1", 0},
                                           PauseCase{5000, "1", 0}));

TEST_F(IncrementalSearchTest, PauseCountsFromTheLastKey) {
  Type("1", 0);
  Type("0", 200);
  EXPECT_EQ(Type("2", 400), Result::Found);  // 200 ms after "0": still one text
  EXPECT_EQ(search_.SearchText(), "102");
  EXPECT_EQ(FocusedIndex(), 1);  // 1024
}

TEST_F(IncrementalSearchTest, PrefixOnlyNotSubstring) {
  EXPECT_EQ(Type("4", 1000), Result::NotFound);  // 1024 and 2048 contain a 4 but do not begin so
  EXPECT_EQ(FocusedIndex(), -1);
}

TEST_F(IncrementalSearchTest, NotFoundLeavesFocusAndSelection) {
  FocusAndSelect(3);
  EXPECT_EQ(Type("9", 1000), Result::NotFound);
  EXPECT_EQ(FocusedIndex(), 3);
  EXPECT_EQ(search_.SearchText(), "9");
}

TEST_F(IncrementalSearchTest, NoFocusColumnMatchesNothing) {
  FocusAndSelect(1);
  EXPECT_EQ(Type("1", 1000, ConnectionViewModel::kNoColumn), Result::NotFound);
  EXPECT_EQ(FocusedIndex(), 1);
}

TEST(IncrementalSearch, ComparesCaseSensitively) {
  ConnectionViewModel view;
  TMyRec upper = RecWithPid("1");
  upper.ProcessName = "Chrome.exe";
  TMyRec lower = RecWithPid("2");
  lower.ProcessName = "chrome.exe";
  AppendRowsInOrder(view, {upper, lower});
  IncrementalSearch search;
  EXPECT_EQ(search.KeyTyped(view, "c", 0, 1, kNotEnabled), IncrementalSearch::Result::Found);
  EXPECT_EQ(view.FocusedRow(), view.RowAt(1));
  EXPECT_EQ(search.KeyTyped(view, "C", 1000, 1, kNotEnabled), IncrementalSearch::Result::Found);
  EXPECT_EQ(view.FocusedRow(), view.RowAt(0));
  EXPECT_EQ(search.KeyTyped(view, "H", 1100, 1, kNotEnabled), IncrementalSearch::Result::NotFound);
}

TEST(IncrementalSearch, SearchesTheCellTextOfTheFocusColumn) {
  // Column 2 shows the same text for every row, so the first row from the top matches.
  ConnectionViewModel view;
  AppendRowsInOrder(view, {RecWithPid("1"), RecWithPid("2")});
  IncrementalSearch search;
  EXPECT_EQ(search.KeyTyped(view, "未", 0, 2, kNotEnabled), IncrementalSearch::Result::Found);
  EXPECT_EQ(view.FocusedRow(), view.RowAt(0));
  // The manage column's cells are empty: nothing to find there.
  EXPECT_EQ(search.KeyTyped(view, "1", 1000, 9, kNotEnabled), IncrementalSearch::Result::NotFound);
}

TEST(IncrementalSearch, EmptyViewFindsNothing) {
  ConnectionViewModel view;
  IncrementalSearch search;
  EXPECT_EQ(search.KeyTyped(view, "1", 0, 0, kNotEnabled), IncrementalSearch::Result::NotFound);
  EXPECT_EQ(view.FocusedRow(), nullptr);
}

}  // namespace
}  // namespace halvane
