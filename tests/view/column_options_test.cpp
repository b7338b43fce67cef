#include "view/column_options.h"

#include <gtest/gtest.h>

namespace halvane {
namespace {

TEST(ColumnOptions, OptionSetValues) {
  EXPECT_EQ(kShownColumnOptions, 2293);
  EXPECT_EQ(kHiddenColumnOptions, 2165);
  EXPECT_EQ(kShownColumnOptions ^ kHiddenColumnOptions, coVisible);
}

TEST(ColumnOptions, VisibilityAtStartFollowsTheColumnTable) {
  const ColumnOptions options;
  for (const ColumnInfo& column : ViewColumns()) {
    EXPECT_EQ(options.IsVisible(column.index), column.visibleAtStart) << "column " << column.index;
  }
  for (int hidden : {0, 2, 10, 11, 12, 13})
    EXPECT_FALSE(options.IsVisible(hidden));
  for (int shown : {1, 3, 4, 5, 6, 7, 8, 9})
    EXPECT_TRUE(options.IsVisible(shown));
}

TEST(ColumnOptions, FileInfoColumnsShowAndHideTogether) {
  ColumnOptions options;
  options.ShowFileInfoColumns(true);
  for (int column : {10, 11, 12})
    EXPECT_EQ(options.Options(column), kShownColumnOptions);
  for (int column : {0, 2, 13})
    EXPECT_FALSE(options.IsVisible(column));
  options.ShowFileInfoColumns(false);
  for (int column : {10, 11, 12})
    EXPECT_EQ(options.Options(column), kHiddenColumnOptions);
  EXPECT_TRUE(options.IsVisible(9));
}

TEST(ColumnOptions, SetsReplaceTheWholeOptionSet) {
  ColumnOptions options;
  options.SetOptions(11, coVisible);
  options.ShowFileInfoColumns(false);
  EXPECT_EQ(options.Options(11), kHiddenColumnOptions);
}

TEST(ColumnOptions, IndexesOutsideTheColumnsAreIgnored) {
  ColumnOptions options;
  options.SetOptions(-1, kShownColumnOptions);
  options.SetOptions(14, kShownColumnOptions);
  EXPECT_EQ(options.Options(-1), 0);
  EXPECT_EQ(options.Options(14), 0);
  EXPECT_FALSE(options.IsVisible(14));
}

}  // namespace
}  // namespace halvane
