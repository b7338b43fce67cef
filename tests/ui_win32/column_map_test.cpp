#include "ui/win32/column_map.h"

#include <gtest/gtest.h>

namespace halvane {
namespace {

TEST(ColumnMapTest, VisibleColumnsTakeConsecutivePositionsInIndexOrder) {
  ColumnMap map;
  for (int column : {1, 3, 4, 5, 6, 7, 8, 9})
    map.Show(column);
  EXPECT_EQ(map.Count(), 8);
  EXPECT_EQ(map.ColumnAt(0), 1);
  EXPECT_EQ(map.ColumnAt(7), 9);
  EXPECT_EQ(map.PositionOf(5), 3);
  EXPECT_EQ(map.PositionOf(0), -1);
  EXPECT_EQ(map.ColumnAt(8), -1);
  EXPECT_EQ(map.ColumnAt(-1), -1);
}

TEST(ColumnMapTest, ShowingAndHidingTellWhereTheControlChanges) {
  ColumnMap map;
  for (int column : {1, 9})
    map.Show(column);
  struct Step {
    bool show;
    int column;
    int position;
  };
  const Step steps[] = {
      {true, 10, 2},  {true, 12, 3},   {true, 11, 3}, {true, 11, -1},  // shown already
      {false, 11, 3}, {false, 11, -1},                                 // hidden already
      {true, 3, 1},   {false, 1, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.column);
    EXPECT_EQ(step.show ? map.Show(step.column) : map.Hide(step.column), step.position);
  }
  EXPECT_EQ(map.Count(), 4);  // 3, 9, 10, 12
  EXPECT_EQ(map.ColumnAt(3), 12);
}

}  // namespace
}  // namespace halvane
