// MergeRows places a whole batch at once; adding the rows one by one, each addition sorting the
// view, is the reference for the order and for the row that is first before the final sort.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "connlist/my_rec_fields.h"
#include "view/connection_view_model.h"
#include "view_rows.h"

namespace halvane {
namespace {

const std::vector<int> kColumns = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12};

std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {"", "a", "A", "b", "B", "_", "\xe7\xb3\xbb"};
  std::string text;
  const int length = std::uniform_int_distribution<int>(0, 2)(random);
  for (int i = 0; i < length; ++i)
    text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
  return text;
}

TMyRec RandomRecord(std::mt19937& random, int id) {
  TMyRec rec;
  for (const MyRecField& field : kMyRecFields)
    rec.*field.member = RandomText(random);
  rec.PID = std::to_string(id);
  return rec;
}

struct Batch {
  std::vector<TMyRec> kept;
  std::vector<TMyRec> added;
  std::vector<bool> dropped;  // per added record: deleted again at once
};

Batch RandomBatch(std::mt19937& random) {
  Batch batch;
  int id = 0;
  const int kept = std::uniform_int_distribution<int>(0, 30)(random);
  for (int i = 0; i < kept; ++i)
    batch.kept.push_back(RandomRecord(random, id++));
  const int added = std::uniform_int_distribution<int>(0, 12)(random);
  for (int i = 0; i < added; ++i) {
    batch.added.push_back(RandomRecord(random, id++));
    batch.dropped.push_back(std::uniform_int_distribution<int>(0, 3)(random) == 0);
  }
  return batch;
}

void StartWith(ConnectionViewModel& view, const Batch& batch, int column, SortDirection direction) {
  view_test::AppendRowsInOrder(view, batch.kept);
  view.SetDirection(direction);
  view.SetSortColumn(column);
}

TEST(ViewModelMergeTest, MergeGivesWhatAddingTheRowsOneByOneGives) {
  std::mt19937 random(5);
  for (int round = 0; round < 60 && !::testing::Test::HasFailure(); ++round) {
    const Batch batch = RandomBatch(random);
    for (const int column : kColumns) {
      for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        ConnectionViewModel oneByOne;
        StartWith(oneByOne, batch, column, direction);
        for (std::size_t i = 0; i < batch.added.size(); ++i) {
          ListRow* row = oneByOne.AddRow();
          *oneByOne.RecordOf(row) = batch.added[i];
          if (batch.dropped[i])
            oneByOne.DeleteRow(row);
        }
        ListRow* expectedFirst = oneByOne.FirstRow();
        const std::string expectedFirstPid =
            expectedFirst ? expectedFirst->record.PID.str() : "none";
        oneByOne.SortRows();

        ConnectionViewModel merged;
        StartWith(merged, batch, column, direction);
        RowAdditions additions;
        for (std::size_t i = 0; i < batch.added.size(); ++i)
          if (!batch.dropped[i])
            additions.Add(batch.added[i]);
        additions.addCount = batch.added.size();
        additions.lastDropped = !batch.dropped.empty() && batch.dropped.back();
        ListRow* first = merged.MergeRows({}, std::move(additions));

        const std::string context = "round " + std::to_string(round) + ", column " +
                                    std::to_string(column) +
                                    (direction == SortDirection::Ascending ? " asc" : " desc");
        ASSERT_EQ(view_test::PidsInOrder(merged), view_test::PidsInOrder(oneByOne)) << context;
        EXPECT_EQ(first ? first->record.PID : "none", expectedFirstPid) << context;
      }
    }
  }
}

}  // namespace
}  // namespace halvane
