// The view sorts by ranking the texts of the column; the comparison sort is the reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "connlist/my_rec_fields.h"
#include "view/connection_view_model.h"
#include "view/row_compare.h"
#include "view_rows.h"

namespace halvane {
namespace {

const std::vector<int> kColumns = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12};

// Short texts over a few letters in both cases, '_' (between the cases once folded), a
// Chinese character and a high byte: ties, case variants, prefixes and bytes above 0x7f.
std::string RandomText(std::mt19937& random, bool withZeroBytes) {
  static const std::vector<std::string> kPieces = {
      "a", "A", "b", "B", "_", "z", "0", "9", "\xe7\xb3\xbb", "\xff", " "};
  std::string text;
  const int length = std::uniform_int_distribution<int>(0, 3)(random);
  for (int i = 0; i < length; ++i) {
    text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
    if (withZeroBytes && std::uniform_int_distribution<int>(0, 9)(random) == 0)
      text += '\0';
  }
  return text;
}

std::vector<TMyRec> RandomRecords(std::mt19937& random, std::size_t count, bool withZeroBytes) {
  std::vector<TMyRec> records(count);
  for (std::size_t i = 0; i < count; ++i) {
    for (const MyRecField& field : kMyRecFields)
      records[i].*field.member = RandomText(random, withZeroBytes);
    records[i].PID = std::to_string(i);  // PID never orders rows: it tells the rows apart
  }
  return records;
}

std::vector<TMyRec> RecordsInOrder(const ConnectionViewModel& view) {
  std::vector<TMyRec> records;
  for (std::size_t i = 0; i < view.RowCount(); ++i)
    records.push_back(view.RowAt(i)->record);
  return records;
}

std::vector<std::string> ComparisonSortPids(std::vector<TMyRec> records, int column,
                                            SortDirection direction) {
  std::stable_sort(records.begin(), records.end(), [&](const TMyRec& a, const TMyRec& b) {
    const int result = CompareRows(&a, &b, column);
    return direction == SortDirection::Ascending ? result < 0 : result > 0;
  });
  std::vector<std::string> pids;
  for (const TMyRec& rec : records)
    pids.push_back(rec.PID.str());
  return pids;
}

void ExpectRankSortEqualsComparisonSort(bool withZeroBytes) {
  std::mt19937 random(withZeroBytes ? 99 : 7);
  for (int round = 0; round < 40 && !::testing::Test::HasFailure(); ++round) {
    const std::size_t count = std::uniform_int_distribution<std::size_t>(0, 300)(random);
    const std::vector<TMyRec> records = RandomRecords(random, count, withZeroBytes);
    for (const int column : kColumns) {
      for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        ConnectionViewModel view;
        view_test::AppendRowsInOrder(view, records);
        view.SetDirection(direction);
        view.SetSortColumn(column);
        ASSERT_EQ(view_test::PidsInOrder(view), ComparisonSortPids(records, column, direction))
            << "round " << round << ", column " << column << ", "
            << (direction == SortDirection::Ascending ? "ascending" : "descending");
        const std::vector<TMyRec> sorted = RecordsInOrder(view);
        view.SortRows();
        ASSERT_EQ(view_test::PidsInOrder(view), ComparisonSortPids(sorted, column, direction))
            << "sorting again, round " << round << ", column " << column;
      }
    }
  }
}

TEST(ViewModelRankSortTest, GivesTheOrderOfTheStableComparisonSortOnRandomTexts) {
  ExpectRankSortEqualsComparisonSort(false);
}

// Texts with 0 bytes have no consistent order: the view sorts them by comparing rows.
TEST(ViewModelRankSortTest, TextsWithZeroBytesAreSortedByComparison) {
  ExpectRankSortEqualsComparisonSort(true);
}

// A sort of sorted rows, after a header click turned the direction round, and rows added at
// the ends: each time the comparison sort of the order before.
TEST(ViewModelRankSortTest, SortingTheSortedRowsAgainInTheOtherDirection) {
  std::mt19937 random(3);
  const std::vector<TMyRec> records = RandomRecords(random, 500, false);
  for (const int column : kColumns) {
    ConnectionViewModel view;
    view_test::AppendRowsInOrder(view, records);
    view.SetSortColumn(column);
    const std::vector<TMyRec> before = RecordsInOrder(view);
    view.SetDirection(SortDirection::Descending);
    EXPECT_EQ(view_test::PidsInOrder(view),
              ComparisonSortPids(before, column, SortDirection::Descending))
        << "column " << column;
  }
}

}  // namespace
}  // namespace halvane
