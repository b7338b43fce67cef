#include "platform/windows/shell_icons.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <optional>
#include <utility>

#include "view/image_list_ex.h"

namespace halvane {
namespace {

// The shell wants the thread in a single-threaded apartment.
class ShellIconsTest : public ::testing::Test {
 protected:
  ShellIconsTest() { com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  ~ShellIconsTest() override {
    if (com_)
      CoUninitialize();
  }
  bool com_ = false;
};

TEST_F(ShellIconsTest, FilesOfOneTypeShareOneSystemIconWithoutTheFilesExisting) {
  ShellSystemIcons icons;
  const int first = icons.SystemIconIndex("C:\\no\\such\\folder\\one.exe");
  EXPECT_GE(first, 0);
  EXPECT_EQ(icons.SystemIconIndex("D:\\elsewhere\\two.EXE"), first);
  EXPECT_NE(SystemImageList(true), nullptr);
  EXPECT_NE(SystemImageList(false), nullptr);
}

// Two file names to which the shell gives different icons; a fresh Wine prefix knows few types.
std::optional<std::pair<std::string, std::string>> TwoNamesWithDistinctIcons(ISystemIcons& icons) {
  const char* names[] = {"C:\\c\\notes.txt", "C:\\c\\setup.msi", "C:\\c\\page.html",
                         "C:\\c\\picture.bmp", "C:\\c\\library.dll"};
  const std::string program = "C:\\a\\one.exe";
  const int programIcon = icons.SystemIconIndex(program);
  for (const char* name : names) {
    const int icon = icons.SystemIconIndex(name);
    if (icon >= 0 && icon != programIcon)
      return std::make_pair(program, std::string(name));
  }
  return std::nullopt;
}

TEST_F(ShellIconsTest, TheImageListCopiesEachSystemIconOnceAtTheSystemListsSize) {
  ShellSystemIcons icons;
  const auto names = TwoNamesWithDistinctIcons(icons);
  if (!names)
    GTEST_SKIP() << "the shell gives every file type the same icon";
  SystemImageListStore small;
  SystemImageListStore large;
  TImageListEx smallIcons(icons, small);
  TImageListEx largeIcons(icons, large);
  largeIcons.SetHeight(32);
  largeIcons.SetWidth(32);

  EXPECT_EQ(smallIcons.IconIndexForFile(names->first), 0);
  EXPECT_EQ(smallIcons.IconIndexForFile("C:\\b\\two.exe"), 0);
  EXPECT_EQ(smallIcons.IconIndexForFile(names->second), 1);
  EXPECT_EQ(small.ImageCount(), 2);
  EXPECT_EQ(largeIcons.IconIndexForFile(names->first), 0);
  EXPECT_EQ(large.ImageCount(), 1);

  int smallWidth = 0, smallHeight = 0, largeWidth = 0, largeHeight = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small.Handle(), &smallWidth, &smallHeight));
  ASSERT_TRUE(ImageList_GetIconSize(large.Handle(), &largeWidth, &largeHeight));
  EXPECT_EQ(smallWidth, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(largeWidth, GetSystemMetrics(SM_CXICON));
}

TEST_F(ShellIconsTest, ASystemIndexThatHoldsNoIconAddsNothing) {
  SystemImageListStore store;
  EXPECT_EQ(store.AddSystemIcon(1 << 20, true), -1);
  EXPECT_EQ(store.ImageCount(), 0);
}

}  // namespace
}  // namespace halvane
