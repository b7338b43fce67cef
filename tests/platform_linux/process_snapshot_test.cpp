#include "platform/linux/process_snapshot.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/linux/linux_identity.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/program_path.h"
#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

using identity_test::FakeRoot;

// A /proc with a running program, a program whose file was replaced, a kernel thread, a
// process whose comm cannot be read, one that is exiting, and the entries that are no process.
void LayOutProc(const FakeRoot& root) {
  root.Link("/proc/100/exe", "/usr/bin/bash");
  root.Write("/proc/100/comm", "bash\n");
  root.Link("/proc/101/exe", "/usr/lib/firefox/firefox (deleted)");
  root.Write("/proc/101/comm", "MainThread\n");
  root.Write("/proc/2/comm", "kthreadd\n");
  root.Write("/proc/2/stat", "2 (kthreadd) S 0 0 0 0 -1 ...\n");
  root.Write("/proc/103/stat", "103 (my (odd) name) S 1 103 103 0 -1\n");
  root.Link("/proc/104/exe", "/opt/a program/with spaces");
  root.MakeDir("/proc/105");
  root.Link("/proc/self", "100");
  root.Write("/proc/uptime", "1.0 1.0\n");
  root.MakeDir("/proc/12abc");
}

struct NameCase {
  std::uint32_t pid;
  const char* name;
  const char* path;
};

class ProcessSnapshotTest : public ::testing::TestWithParam<NameCase> {
 protected:
  static void SetUpTestSuite() {
    root_ = new FakeRoot;
    LayOutProc(*root_);
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static FakeRoot* root_;
};
FakeRoot* ProcessSnapshotTest::root_ = nullptr;

TEST_P(ProcessSnapshotTest, NamesAndPaths) {
  LinuxProcessIdentity identity(root_->path());
  const std::unique_ptr<IProcessSnapshot> snapshot = identity.CreateProcessSnapshot();
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(snapshot->GetProcessNameByPid(GetParam().pid), GetParam().name) << GetParam().pid;
  EXPECT_EQ(identity.GetProcessPathByPid(GetParam().pid), GetParam().path) << GetParam().pid;
}

INSTANTIATE_TEST_SUITE_P(
    FakeProc, ProcessSnapshotTest,
    ::testing::Values(NameCase{100, "bash", "/usr/bin/bash"},
                      NameCase{101, "firefox", "/usr/lib/firefox/firefox"},
                      NameCase{2, "kthreadd", ""}, NameCase{103, "my (odd) name", ""},
                      NameCase{104, "with spaces", "/opt/a program/with spaces"},
                      NameCase{105, "", ""}, NameCase{0, "", ""}, NameCase{999, "", ""},
                      NameCase{12, "", ""}));

TEST_F(ProcessSnapshotTest, ListsOnlyProcessesThatCouldBeRead) {
  const std::unique_ptr<LinuxProcessSnapshot> snapshot = LinuxProcessSnapshot::Take(root_->path());
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(snapshot->size(), 5u);
  // The snapshot stays as it was when taken; lookups in any order give the same names.
  EXPECT_EQ(snapshot->GetProcessNameByPid(999), "");
  EXPECT_EQ(snapshot->GetProcessNameByPid(100), "bash");
  EXPECT_EQ(snapshot->GetProcessNameByPid(2), "kthreadd");
}

TEST(ProcessSnapshotMissing, NoProcGivesNoSnapshotAndEmptyPaths) {
  FakeRoot root;
  LinuxProcessIdentity identity(root.path());
  EXPECT_EQ(identity.CreateProcessSnapshot(), nullptr);
  EXPECT_EQ(identity.GetProcessPathByPid(1), "");
}

TEST(ProcessNameParts, ParsesTheKernelTexts) {
  EXPECT_EQ(ImageNameFromExeTarget("/usr/bin/bash (deleted)"), "bash");
  EXPECT_EQ(ImageNameFromExeTarget("/usr/bin/bash"), "bash");
  EXPECT_EQ(ImageNameFromExeTarget(""), "");
  EXPECT_EQ(WithoutDeletedSuffix("/x (deleted)"), "/x");
  EXPECT_EQ(WithoutDeletedSuffix("/x (deleted) (deleted)"), "/x (deleted)");
  EXPECT_EQ(CommandNameFromStat("7 (a) b) S 1"), "a) b");
  EXPECT_EQ(CommandNameFromStat("7 broken"), "");
  EXPECT_EQ(CommandNameFromStat(") before ("), "");
  EXPECT_EQ(CommandNameFromComm("name\n"), "name");
  EXPECT_EQ(CommandNameFromComm(""), "");
  std::uint32_t pid = 7;
  EXPECT_TRUE(ParsePidDirName("4294967295", pid));
  EXPECT_EQ(pid, 4294967295u);
  EXPECT_FALSE(ParsePidDirName("4294967296", pid));
  EXPECT_FALSE(ParsePidDirName("self", pid));
  EXPECT_FALSE(ParsePidDirName("", pid));
  EXPECT_FALSE(ParsePidDirName("-1", pid));
}

TEST(ProcessSnapshotRealSystem, FindsThisProcess) {
  const std::string own_exe = std::filesystem::read_symlink("/proc/self/exe").string();
  const auto pid = static_cast<std::uint32_t>(::getpid());
  const std::unique_ptr<IProcessIdentity> identity = MakeLinuxProcessIdentity();
  const std::unique_ptr<IProcessSnapshot> snapshot = identity->CreateProcessSnapshot();
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(snapshot->GetProcessNameByPid(pid), "platform_linux_tests");
  EXPECT_EQ(identity->GetProcessPathByPid(pid), own_exe);
  EXPECT_EQ(snapshot->GetProcessNameByPid(0), "");
  EXPECT_EQ(identity->GetProcessPathByPid(0), "");
  // A program that no package ships is unknown.
  std::string company = "stale";
  EXPECT_EQ(identity->GetFileVersionStrings(own_exe, company), "");
  EXPECT_EQ(company, "");
}

TEST(ProcessSnapshotRealSystem, PackagedShellIsDescribed) {
  if (!std::filesystem::exists("/var/lib/dpkg/info/bash.list")) {
    GTEST_SKIP() << "no dpkg database with bash";
  }
  const std::unique_ptr<IProcessIdentity> identity = MakeLinuxProcessIdentity();
  std::string company;
  EXPECT_NE(identity->GetFileVersionStrings("/usr/bin/bash", company), "");
  EXPECT_NE(company, "");
}

}  // namespace
}  // namespace halvane
