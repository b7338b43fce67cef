#include "platform/linux/root_files.h"

#include <gtest/gtest.h>

#include "platform/linux/merged_usr.h"
#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

using identity_test::FakeRoot;

class ResolveInRootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.Link("/bin", "usr/bin");
    root_.Write("/usr/bin/vim.basic", "");
    root_.Link("/etc/alternatives/vim", "/usr/bin/vim.basic");
    root_.Link("/usr/bin/vim", "/etc/alternatives/vim");
    root_.Link("/usr/bin/up", "../lib/tool");
    root_.Link("/loop/a", "b");
    root_.Link("/loop/b", "a");
  }
  FakeRoot root_;
};

TEST_F(ResolveInRootTest, FollowsLinksInsideTheRoot) {
  EXPECT_EQ(ResolveInRoot(root_.path(), "/bin/vim"), "/usr/bin/vim.basic");
  EXPECT_EQ(ResolveInRoot(root_.path(), "/usr/bin/up"), "/usr/lib/tool");
  EXPECT_EQ(ResolveInRoot(root_.path(), "/usr/bin/../../bin/./vim.basic"), "/usr/bin/vim.basic");
  EXPECT_EQ(ResolveInRoot(root_.path(), "/../../bin"), "/usr/bin");
  EXPECT_EQ(ResolveInRoot(root_.path(), "/no/such//file"), "/no/such/file");
  EXPECT_EQ(ResolveInRoot(root_.path(), ""), "/");
}

TEST_F(ResolveInRootTest, LinkLoopGivesEmpty) {
  EXPECT_EQ(ResolveInRoot(root_.path(), "/loop/a"), "");
}

TEST(MergedUsr, DetectsLinkedDirectoriesOnly) {
  FakeRoot root;
  root.Link("/bin", "usr/bin");
  root.Link("/lib", "/usr/lib");
  root.MakeDir("/sbin");
  root.Link("/lib64", "usr/lib");  // not its own /usr counterpart
  const MergedUsr merged = MergedUsr::Detect(root.path());
  EXPECT_EQ(merged.Canonical("/bin/bash"), "/usr/bin/bash");
  EXPECT_EQ(merged.Canonical("/lib/x86_64-linux-gnu/libc.so.6"),
            "/usr/lib/x86_64-linux-gnu/libc.so.6");
  EXPECT_EQ(merged.Canonical("/sbin/init"), "/sbin/init");
  EXPECT_EQ(merged.Canonical("/lib64/ld-linux-x86-64.so.2"), "/lib64/ld-linux-x86-64.so.2");
  EXPECT_EQ(merged.Canonical("/binary/x"), "/binary/x");
  EXPECT_EQ(merged.Canonical("/usr/bin/bash"), "/usr/bin/bash");
  EXPECT_EQ(merged.Canonical(""), "");
}

TEST(ReadFileBytes, ReadsProcFilesAndGivesEmptyForMissingOnes) {
  EXPECT_NE(ReadFileBytes("/proc/self/stat").find(") "), std::string::npos);
  EXPECT_EQ(ReadFileBytes("/nonexistent/file"), "");
  FakeRoot root;
  root.Write("/f", "0123456789");
  EXPECT_EQ(ReadFileBytes(root.At("/f"), 4), "0123");
}

TEST(StampOf, ChangesWithContentAndExistence) {
  FakeRoot root;
  EXPECT_FALSE(StampOf(root.At("/f")).exists);
  root.Write("/f", "one");
  root.Age("/f");
  const FileStamp first = StampOf(root.At("/f"));
  EXPECT_TRUE(first.exists);
  root.Write("/f", "one");
  EXPECT_NE(StampOf(root.At("/f")), first);
}

}  // namespace
}  // namespace halvane
