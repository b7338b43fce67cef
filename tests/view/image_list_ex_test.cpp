#include "view/image_list_ex.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// File names mapped to system indexes; unknown names have no icon.
class FakeSystemIcons : public ISystemIcons {
 public:
  std::map<std::string, int> indexes;
  std::vector<std::string> asked;
  bool throws = false;

  int SystemIconIndex(const std::string& path) override {
    asked.push_back(path);
    if (throws)
      throw std::runtime_error("no shell");
    const auto found = indexes.find(path);
    return found == indexes.end() ? -1 : found->second;
  }
};

struct CopiedIcon {
  int systemIndex;
  bool smallSystemList;
  bool operator==(const CopiedIcon&) const = default;
};

// Holds `loaded` images from a stored layout, then the copies in order.
class FakeImageStore : public IImageStore {
 public:
  int loaded = 0;
  std::vector<CopiedIcon> copies;
  int attempts = 0;
  int failuresLeft = 0;  // the next attempts that find no icon
  std::set<int> throwingIndexes;

  int ImageCount() const override { return loaded + static_cast<int>(copies.size()); }
  int AddSystemIcon(int systemIndex, bool smallSystemList) override {
    ++attempts;
    if (throwingIndexes.count(systemIndex))
      throw std::runtime_error("fetch failed");
    if (failuresLeft > 0) {
      --failuresLeft;
      return -1;
    }
    copies.push_back({systemIndex, smallSystemList});
    return ImageCount() - 1;
  }
};

class ImageListExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icons_.indexes = {
        {"/usr/bin/ssh", 3}, {"/usr/bin/curl", 3}, {"/opt/app/run.sh", 8}, {"/usr/lib/helper", 12}};
  }

  FakeSystemIcons icons_;
  FakeImageStore store_;
  TImageListEx list_{icons_, store_};
};

TEST_F(ImageListExTest, CreatedEmpty) {
  EXPECT_EQ(list_.LoadedCount(), 0);
  EXPECT_FALSE(list_.HasSystemList());
  EXPECT_EQ(list_.SystemIndexes(), nullptr);
  EXPECT_EQ(list_.Width(), 16);
  EXPECT_EQ(list_.Height(), 16);
}

TEST_F(ImageListExTest, PathsSharingAnIconShareOneCopy) {
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/curl"), 0);
  EXPECT_THAT(store_.copies, ElementsAre(CopiedIcon{3, true}));
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(3));
}

TEST_F(ImageListExTest, AskingAgainCopiesNothing) {
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 0);
  EXPECT_EQ(store_.attempts, 1);
  EXPECT_THAT(icons_.asked, ElementsAre("/opt/app/run.sh", "/opt/app/run.sh"));
}

TEST_F(ImageListExTest, ListMadeInCodeNumbersCopiesFromZero) {
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 1);
  EXPECT_EQ(list_.IconIndexForFile("/usr/lib/helper"), 2);
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/curl"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 1);
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(3, 8, 12));
}

TEST_F(ImageListExTest, ListLoadedWithThreeImagesNumbersCopiesFromThree) {
  store_.loaded = 3;
  list_.Loaded();
  EXPECT_EQ(list_.LoadedCount(), 3);
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), 3);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 4);
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/curl"), 3);
}

TEST_F(ImageListExTest, UnknownFileGivesMinusOneAndCreatesNothing) {
  EXPECT_EQ(list_.IconIndexForFile("/no/such/type"), -1);
  EXPECT_FALSE(list_.HasSystemList());
  EXPECT_EQ(list_.SystemIndexes(), nullptr);
  EXPECT_EQ(store_.attempts, 0);
}

TEST_F(ImageListExTest, NegativeSystemIndexGivesMinusOneAndCreatesNothing) {
  EXPECT_EQ(list_.IndexOfSystemIcon(-1), -1);
  EXPECT_EQ(list_.IndexOfSystemIcon(-7), -1);
  EXPECT_FALSE(list_.HasSystemList());
  EXPECT_EQ(store_.attempts, 0);
}

TEST_F(ImageListExTest, SystemIndexZeroIsAnIcon) {
  EXPECT_EQ(list_.IndexOfSystemIcon(0), 0);
  EXPECT_TRUE(list_.HasSystemList());
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(0));
}

TEST_F(ImageListExTest, EmptyPathIsLookedUpLikeAnyName) {
  icons_.indexes[""] = 5;
  EXPECT_EQ(list_.IconIndexForFile(""), 0);
  EXPECT_THAT(icons_.asked, ElementsAre(""));
  EXPECT_THAT(store_.copies, ElementsAre(CopiedIcon{5, true}));
}

TEST_F(ImageListExTest, EmptyPathWithoutIconGivesMinusOne) {
  EXPECT_EQ(list_.IconIndexForFile(""), -1);
  EXPECT_THAT(icons_.asked, ElementsAre(""));
  EXPECT_FALSE(list_.HasSystemList());
}

TEST_F(ImageListExTest, FailedCopyIsNotRememberedAndTriedAgain) {
  store_.failuresLeft = 1;
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), -1);
  EXPECT_TRUE(list_.HasSystemList());
  EXPECT_THAT(*list_.SystemIndexes(), IsEmpty());
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 0);
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(8));  // exactly one entry
  EXPECT_EQ(store_.attempts, 2);
}

TEST_F(ImageListExTest, FailedCopyDoesNotShiftLaterIndexes) {
  store_.failuresLeft = 1;
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), -1);
  EXPECT_EQ(list_.IconIndexForFile("/opt/app/run.sh"), 0);
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), 1);
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(8, 3));
}

TEST_F(ImageListExTest, StoreErrorGivesMinusOneAndIsNotRemembered) {
  store_.throwingIndexes = {12};
  EXPECT_EQ(list_.IconIndexForFile("/usr/lib/helper"), -1);
  EXPECT_THAT(*list_.SystemIndexes(), IsEmpty());
  store_.throwingIndexes.clear();
  EXPECT_EQ(list_.IconIndexForFile("/usr/lib/helper"), 0);
}

TEST_F(ImageListExTest, IconSourceErrorGivesMinusOne) {
  icons_.throws = true;
  EXPECT_EQ(list_.IconIndexForFile("/usr/bin/ssh"), -1);
  EXPECT_FALSE(list_.HasSystemList());
}

TEST_F(ImageListExTest, EnsureSystemListCreatesOnce) {
  list_.EnsureSystemList();
  EXPECT_TRUE(list_.HasSystemList());
  ASSERT_NE(list_.SystemIndexes(), nullptr);
  list_.IconIndexForFile("/usr/bin/ssh");
  list_.EnsureSystemList();
  EXPECT_THAT(*list_.SystemIndexes(), ElementsAre(3));
}

struct SizeCase {
  int height;  // set first, as the main window sizes its large list
  int width;
  bool small;
};

class ImageListExSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageListExSize, OnlyAWidthOf16SharesTheSmallSystemList) {
  const SizeCase& c = GetParam();
  FakeSystemIcons icons;
  icons.indexes = {{"/usr/bin/ssh", 3}};
  FakeImageStore store;
  TImageListEx list(icons, store);
  list.SetHeight(c.height);
  list.SetWidth(c.width);
  EXPECT_EQ(list.IconIndexForFile("/usr/bin/ssh"), 0);
  EXPECT_EQ(list.UsesSmallSystemList(), c.small);
  EXPECT_THAT(store.copies, ElementsAre(CopiedIcon{3, c.small}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageListExSize,
                         ::testing::Values(SizeCase{16, 16, true}, SizeCase{32, 16, true},
                                           SizeCase{48, 16, true}, SizeCase{32, 32, false},
                                           SizeCase{16, 32, false}, SizeCase{24, 24, false},
                                           SizeCase{16, 24, false}, SizeCase{48, 48, false}));

TEST(ImageListExSizeChoice, MadeOnFirstUseAndKept) {
  FakeSystemIcons icons;
  icons.indexes = {{"a", 1}, {"b", 2}};
  FakeImageStore store;
  TImageListEx list(icons, store);
  list.IconIndexForFile("a");
  list.SetWidth(32);  // the system list is already attached
  list.IconIndexForFile("b");
  EXPECT_THAT(store.copies, ElementsAre(CopiedIcon{1, true}, CopiedIcon{2, true}));
}

}  // namespace
}  // namespace halvane
