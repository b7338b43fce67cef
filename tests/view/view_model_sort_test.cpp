#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "view/connection_view_model.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Rows given as "name/id"; the id goes into PID, which never orders rows.
void AddRows(ConnectionViewModel& view, const std::vector<std::string>& rows) {
  const int column = view.SortColumn();
  view.SetSortColumn(ConnectionViewModel::kNoColumn);
  for (const std::string& row : rows) {
    TMyRec& rec = *view.RecordOf(view.AddRow());
    const std::size_t slash = row.find('/');
    rec.ProcessName = row.substr(0, slash);
    rec.PID = slash == std::string::npos ? "" : row.substr(slash + 1);
  }
  view.SetSortColumn(column);
}

std::vector<std::string> Order(const ConnectionViewModel& view) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < view.RowCount(); ++i) {
    const TMyRec& rec = view.RowAt(i)->record;
    rows.push_back(rec.ProcessName + "/" + rec.PID);
  }
  return rows;
}

struct SortCase {
  const char* name;
  int column;
  SortDirection direction;
  std::vector<std::string> rows;
  std::vector<std::string> sorted;
};

void PrintTo(const SortCase& c, std::ostream* os) {
  *os << c.name;
}

class StableSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(StableSort, KeepsEqualRowsInTheirOrderInBothDirections) {
  const SortCase& c = GetParam();
  ConnectionViewModel view;
  view.SetDirection(c.direction);
  view.SetSortColumn(ConnectionViewModel::kNoColumn);
  AddRows(view, c.rows);
  ASSERT_EQ(Order(view), c.rows);

  view.SetSortColumn(c.column);
  EXPECT_EQ(Order(view), c.sorted) << "sorting at once on a column change";
  view.SortRows();
  EXPECT_EQ(Order(view), c.sorted) << "sorting again changes nothing";
}

const std::vector<std::string> kMixed = {"b/1", "A/2", "B/3", "a/4", "/5", "c/6"};

INSTANTIATE_TEST_SUITE_P(Directions, StableSort,
                         ::testing::Values(SortCase{"Ascending",
                                                    1,
                                                    SortDirection::Ascending,
                                                    kMixed,
                                                    {"/5", "A/2", "a/4", "b/1", "B/3", "c/6"}},
                                           SortCase{"Descending",
                                                    1,
                                                    SortDirection::Descending,
                                                    kMixed,
                                                    {"c/6", "b/1", "B/3", "A/2", "a/4", "/5"}},
                                           SortCase{"NoSortColumn", ConnectionViewModel::kNoColumn,
                                                    SortDirection::Ascending, kMixed, kMixed},
                                           SortCase{"ColumnThatNeverOrdersAscending", 0,
                                                    SortDirection::Ascending, kMixed, kMixed},
                                           SortCase{"ColumnThatNeverOrdersDescending", 9,
                                                    SortDirection::Descending, kMixed, kMixed}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(ViewModelSort, FlippingTheDirectionSortsAtOnce) {
  ConnectionViewModel view;
  AddRows(view, {"b/1", "a/2", "a/3"});
  EXPECT_THAT(Order(view), ElementsAre("a/2", "a/3", "b/1"));
  view.SetDirection(SortDirection::Descending);
  EXPECT_THAT(Order(view), ElementsAre("b/1", "a/2", "a/3"));
}

// A new row arrives with an empty record and the view sorts at once.
struct AddedRowCase {
  const char* name;
  int column;
  SortDirection direction;
  std::vector<std::string> rows;  // in sorted order already
  std::size_t position;           // where the new row lands
};

void PrintTo(const AddedRowCase& c, std::ostream* os) {
  *os << c.name;
}

class AddedRowPlacement : public ::testing::TestWithParam<AddedRowCase> {};

TEST_P(AddedRowPlacement, PlacesTheRowByItsEmptyRecord) {
  const AddedRowCase& c = GetParam();
  ConnectionViewModel view;
  view.SetDirection(c.direction);
  view.SetSortColumn(c.column);
  AddRows(view, c.rows);
  ASSERT_EQ(Order(view), c.rows);

  ListRow* added = view.AddRow();

  ASSERT_EQ(view.RowCount(), c.rows.size() + 1);
  EXPECT_EQ(view.RowAt(c.position), added);
  EXPECT_EQ(view.RecordOf(added)->ProcessName, "");
  std::vector<std::string> others = Order(view);
  others.erase(others.begin() + static_cast<std::ptrdiff_t>(c.position));
  EXPECT_EQ(others, c.rows) << "the other rows keep their order";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddedRowPlacement,
    ::testing::Values(
        AddedRowCase{"AscendingGoesToTheTop", 1, SortDirection::Ascending, {"a/1", "b/2"}, 0},
        AddedRowCase{"AscendingGoesAfterEmptyFields",
                     1,
                     SortDirection::Ascending,
                     {"/1", "/2", "a/3", "b/4"},
                     2},
        AddedRowCase{"AscendingIntoAnEmptyView", 1, SortDirection::Ascending, {}, 0},
        AddedRowCase{
            "DescendingStaysAtTheEnd", 1, SortDirection::Descending, {"b/1", "a/2", "/3"}, 3},
        AddedRowCase{"NoSortColumnStaysAtTheEnd",
                     ConnectionViewModel::kNoColumn,
                     SortDirection::Ascending,
                     {"b/1", "a/2"},
                     2},
        AddedRowCase{"OtherColumnWithEmptyFieldsStaysAtTheEnd",
                     5,
                     SortDirection::Ascending,
                     {"b/1", "a/2"},
                     2}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(ViewModelRows, WalkDeleteAndSelection) {
  ConnectionViewModel view;
  view.SetSortColumn(ConnectionViewModel::kNoColumn);
  AddRows(view, {"a/1", "b/2", "c/3"});
  ListRow* first = view.FirstRow();
  ListRow* second = view.NextRow(first);
  ListRow* third = view.NextRow(second);
  EXPECT_EQ(view.NextRow(third), nullptr);

  view.SelectRow(second);
  view.FocusRow(second);
  EXPECT_EQ(view.SelectedCount(), 1u);
  view.DeleteRow(second);
  EXPECT_THAT(Order(view), ElementsAre("a/1", "c/3"));
  EXPECT_EQ(view.NextRow(first), third);
  EXPECT_EQ(view.SelectedCount(), 0u);
  EXPECT_EQ(view.FocusedRow(), nullptr);

  view.DeleteRow(first);
  view.DeleteRow(third);
  EXPECT_EQ(view.FirstRow(), nullptr);
  EXPECT_EQ(view.RowCount(), 0u);
}

}  // namespace
}  // namespace halvane
