#include "connlist/pathless_texts.h"
#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;

using FormCreateTest = FormTest;

TEST_F(FormCreateTest, WithoutSettingsFileFillsTheListAndWritesNothing) {
  Form().FormCreate();

  EXPECT_THAT(log,
              ElementsAre("tcp table", "udp table", "NetCount 4", "AppCount 3", "ViewChanged"));
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "postgres", "sshd", "System"));
  EXPECT_EQ(Form().NetCountText(), "4");
  EXPECT_EQ(Form().AppCountText(), "3");
  EXPECT_FALSE(Form().Creating());
  EXPECT_FALSE(fs::exists(IniBeside()));
  EXPECT_FALSE(fs::exists(IniInConfig()));
  EXPECT_EQ(fs::directory_iterator(BinDir()), fs::directory_iterator());  // no leftovers
}

TEST_F(FormCreateTest, AppliesEverySettingInOrderBeforeTheFill) {
  WriteFileBytes(IniBeside(), "[Set]\nShowLocal=0\nAutoRefresh=1\nAlwaysTop=0\nShowInfo=1\n");

  Form().FormCreate();

  EXPECT_THAT(
      log, ElementsAre("ShowChecked 1 0", "ShowChecked 2 1", "StartTimer 10000", "ShowChecked 3 0",
                       "Topmost 0", "ShowChecked 4 1", "ColumnVisible 10 1", "ColumnVisible 11 1",
                       "ColumnVisible 12 1", "tcp table", "udp table", "NetCount 3", "AppCount 3",
                       "ViewChanged"));
  EXPECT_EQ(ReadFileBytes(IniBeside()),
            "[Set]\nShowLocal=0\nAutoRefresh=1\nAlwaysTop=0\nShowInfo=1\n");
}

TEST_F(FormCreateTest, ShowLocalOffDoesNotRefreshWhileCreatingAndTheFillLeavesOutLoopback) {
  WriteFileBytes(IniBeside(), "[Set]\nShowLocal=0\n");

  Form().FormCreate();

  EXPECT_LT(IndexOf("ShowChecked 1 0"), IndexOf("tcp table"));
  EXPECT_EQ(Count("tcp table"), 1);  // only the fill read the tables
  EXPECT_EQ(Count("RefreshEnabled 0"), 0);
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "sshd", "System"));
  EXPECT_EQ(Form().AppCountText(), "3");  // the hidden loopback program still counts
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nShowLocal=0\n");

  // Once created, the same box refreshes at once, and the refresh follows its new state.
  log.clear();
  Click(OptionBox::ShowLocal, true);
  RunPosted();
  EXPECT_EQ(Count("tcp table"), 1);
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "postgres", "sshd", "System"));
  EXPECT_EQ(Form().VTS().RowAt(1)->record.Mark, "add");
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nShowLocal=1\n");
}

TEST_F(FormCreateTest, RaisesTheDebugPrivilegeBeforeTheFirstSnapshot) {
  Form().FormCreate();
  const auto& calls = services.identity.log;
  const auto privilege = std::find(calls.begin(), calls.end(), "debug privilege");
  const auto snapshot = std::find(calls.begin(), calls.end(), "snapshot");
  ASSERT_NE(privilege, calls.end());
  EXPECT_LT(privilege, snapshot);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "debug privilege"), 1);
}

TEST_F(FormCreateTest, SetsTheFieldsAndTexts) {
  Form().FormCreate();

  EXPECT_EQ(Form().HomeUrl(), kHomeUrl);
  EXPECT_EQ(Form().UpdateUrl(), kUpdateUrl);
  EXPECT_EQ(Form().ExeDir(), ExeDir());
  EXPECT_EQ(Form().SysDirUpper(), "/USR/LIB/X86_64-LINUX-GNU");
  EXPECT_EQ(Form().SettingsFilePath(), IniBeside().string());
  EXPECT_EQ(Form().MsgSystemProcess(), "系统进程，不能结束。");
  EXPECT_EQ(Form().TextNotEnabled(), "未启用");
  EXPECT_EQ(Form().MsgConfirmExit(), "您确认要退出网络连接查看器?");
  EXPECT_EQ(Form().MsgCannotEnd(), "无法结束进程!");
  EXPECT_EQ(Form().DescSystem(), kDescSystemText);
  EXPECT_EQ(Form().DescIdle(), kDescIdleText);
  EXPECT_EQ(Form().MsgConfirmEndSystem(),
            "这是系统进程，结束该进程可能引起系统无法运行，仍要结束?");
  EXPECT_EQ(Form().LargeIcons().Width(), 32);
  EXPECT_EQ(Form().LargeIcons().Height(), 32);
  EXPECT_EQ(Form().SmallIcons().Width(), 16);
  EXPECT_EQ(Form().SmallIcons().Height(), 16);
  // The path-less process rows carry the descriptions just set.
  EXPECT_EQ(Form().VTS().RowAt(3)->record.Description, kDescSystemText);
}

TEST_F(FormCreateTest, StartsWithTheLayoutStates) {
  Form().FormCreate();

  EXPECT_TRUE(Form().OptionChecked(OptionBox::ShowLocal));
  EXPECT_FALSE(Form().OptionChecked(OptionBox::AutoRefresh));
  EXPECT_TRUE(Form().OptionChecked(OptionBox::AlwaysTop));
  EXPECT_FALSE(Form().OptionChecked(OptionBox::ShowInfo));
  EXPECT_TRUE(Form().Topmost());
  EXPECT_FALSE(Form().TimerRunning());
  EXPECT_TRUE(Form().RefreshEnabled());
  for (const ColumnInfo& column : ViewColumns()) {
    EXPECT_EQ(Form().ColumnVisible(column.index), column.visibleAtStart) << column.index;
  }
}

struct SystemDirectoryCase {
  std::string reported;
  std::string upper;
};

class SystemDirectoryTest : public FormTest,
                            public ::testing::WithParamInterface<SystemDirectoryCase> {};

TEST_P(SystemDirectoryTest, UpperCasesOnlyAsciiLetters) {
  services.systemDirectory = GetParam().reported;
  Form().FormCreate();
  EXPECT_EQ(Form().SysDirUpper(), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, SystemDirectoryTest,
    ::testing::Values(SystemDirectoryCase{"C:\\Windows\\system32", "C:\\WINDOWS\\SYSTEM32"},
                      SystemDirectoryCase{"/usr/lib/x86_64-linux-gnu", "/USR/LIB/X86_64-LINUX-GNU"},
                      SystemDirectoryCase{"/opt/系统/bin", "/OPT/系统/BIN"},
                      SystemDirectoryCase{std::string("/usr/lib\0/junk", 14), "/USR/LIB"},
                      SystemDirectoryCase{"", ""}));

struct ProgramPathCase {
  std::string programFile;
  std::string exeDir;
};

class ProgramDirectoryTest : public FormTest,
                             public ::testing::WithParamInterface<ProgramPathCase> {};

TEST_P(ProgramDirectoryTest, KeepsTheTrailingSeparator) {
  services.programFilePath = GetParam().programFile;
  Form().FormCreate();
  EXPECT_EQ(Form().ExeDir(), GetParam().exeDir);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProgramDirectoryTest,
                         ::testing::Values(ProgramPathCase{"/usr/bin/halvane", "/usr/bin/"},
                                           ProgramPathCase{"/halvane", "/"},
                                           ProgramPathCase{"halvane", ""},
                                           ProgramPathCase{"", ""}));

TEST_F(FormCreateTest, ErrorInAStepGoesToTheErrorBoxAndSkipsTheRest) {
  services.tables.failure = "the tables cannot be read";

  Form().FormCreate();

  EXPECT_THAT(surface.errors, ElementsAre("the tables cannot be read"));
  EXPECT_EQ(Form().VTS().RowCount(), 0u);
  EXPECT_EQ(Count("ViewChanged"), 0);
  EXPECT_EQ(Form().NetCountText(), "0");
  // Steps before the failing one are done, and the window still works afterwards.
  EXPECT_EQ(Form().TextNotEnabled(), "未启用");
  EXPECT_FALSE(Form().Creating());
  services.tables.failure.clear();
  Refreshed();
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
}

}  // namespace
}  // namespace halvane
