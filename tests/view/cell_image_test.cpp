#include "view/cell_image.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace halvane {
namespace {

class PathIcons : public ISystemIcons {
 public:
  std::map<std::string, int> indexes;
  std::vector<std::string> asked;
  int SystemIconIndex(const std::string& path) override {
    asked.push_back(path);
    const auto found = indexes.find(path);
    return found == indexes.end() ? -1 : found->second;
  }
};

class CountingStore : public IImageStore {
 public:
  int count = 0;
  int ImageCount() const override { return count; }
  int AddSystemIcon(int, bool) override { return count++; }
};

class ProcessIconTest : public ::testing::Test {
 protected:
  TMyRec Rec(std::string path) {
    TMyRec rec;
    rec.ProcessName = "prog";
    rec.ProcessPath = std::move(path);
    return rec;
  }

  PathIcons icons_;
  CountingStore store_;
  TImageListEx smallIcons_{icons_, store_};
};

TEST_F(ProcessIconTest, ProcessColumnAsksForTheProgramsIcon) {
  icons_.indexes = {{"/usr/bin/ssh", 4}, {"/usr/sbin/sshd", 9}};
  const TMyRec ssh = Rec("/usr/bin/ssh");
  const TMyRec sshd = Rec("/usr/sbin/sshd");
  EXPECT_EQ(VTSGetImageIndex(smallIcons_, &ssh, 1), 0);
  EXPECT_EQ(VTSGetImageIndex(smallIcons_, &sshd, 1), 1);
  EXPECT_EQ(VTSGetImageIndex(smallIcons_, &ssh, 1), 0);
  EXPECT_EQ(store_.count, 2);
}

TEST_F(ProcessIconTest, OtherColumnsHaveNoIconAndAskNothing) {
  icons_.indexes = {{"/usr/bin/ssh", 4}};
  const TMyRec ssh = Rec("/usr/bin/ssh");
  for (int column : {-1, 0, 2, 3, 8, 9, 10, 13, 14}) {
    EXPECT_EQ(VTSGetImageIndex(smallIcons_, &ssh, column), -1) << "column " << column;
  }
  EXPECT_TRUE(icons_.asked.empty());
}

TEST_F(ProcessIconTest, NoRowHasNoIcon) {
  EXPECT_EQ(VTSGetImageIndex(smallIcons_, nullptr, 1), -1);
  EXPECT_TRUE(icons_.asked.empty());
}

TEST_F(ProcessIconTest, FileWithoutIconShowsNone) {
  const TMyRec unknown = Rec("");  // System and Idle: asked like any name, no icon here
  EXPECT_EQ(VTSGetImageIndex(smallIcons_, &unknown, 1), -1);
  EXPECT_EQ(icons_.asked, std::vector<std::string>{""});
}

}  // namespace
}  // namespace halvane
