#include <cstdlib>

#include "app/app_urls.h"
#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using CloseTest = FormTest;

TEST_F(CloseTest, YesMayClose) {
  Created();
  surface.answerYes = true;
  EXPECT_TRUE(Form().FormCloseQuery());
  EXPECT_THAT(log, ElementsAre("Ask 您确认要退出网络连接查看器? icon=1 defaultNo=0"));
}

TEST_F(CloseTest, NoKeepsTheWindowAndItsState) {
  Created();
  Click(OptionBox::AutoRefresh, true);
  Form().VTS().SelectRow(Form().VTS().RowAt(2));
  log.clear();
  surface.answerYes = false;

  EXPECT_FALSE(Form().FormCloseQuery());

  EXPECT_THAT(log, ElementsAre("Ask 您确认要退出网络连接查看器? icon=1 defaultNo=0"));
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
  EXPECT_TRUE(Form().VTS().RowAt(2)->selected);
  EXPECT_TRUE(Form().TimerRunning());
  EXPECT_TRUE(Form().OptionChecked(OptionBox::AutoRefresh));
}

TEST_F(CloseTest, ClosingStopsTheTimerAndSavesNothing) {
  Created();
  Click(OptionBox::AutoRefresh, true);
  const auto saved = ReadFileBytes(IniBeside());
  log.clear();

  Form().FormClose();

  EXPECT_THAT(log, ElementsAre("StopTimer"));
  EXPECT_EQ(ReadFileBytes(IniBeside()), saved);
}

using LinksTest = FormTest;

TEST_F(LinksTest, HelpOpensTheHtmlHelpBesideTheProgram) {
  Created();
  Form().BTNHelpClick();
  EXPECT_THAT(services.openedDocuments, ElementsAre(ExeDir() + "NetrovaHelp.html"));
}

TEST_F(LinksTest, HelpTakesTheProgramDirectoryAgain) {
  Created();
  services.programFilePath = "/usr/local/bin/halvane";
  Form().BTNHelpClick();
  EXPECT_THAT(services.openedDocuments, ElementsAre("/usr/local/bin/NetrovaHelp.html"));
}

TEST_F(LinksTest, HomePageAndUpdateOpenTheirAddresses) {
  Created();
  Form().BTNHomePageClick();
  Form().BTNUpdateClick();
  EXPECT_THAT(services.openedUrls, ElementsAre(kHomeUrl, kUpdateUrl));
  EXPECT_TRUE(services.openedDocuments.empty());
}

TEST(AppUrlsTest, DefaultAddressesLieUnderTheExampleDomain) {
  EXPECT_THAT(DefaultHomeUrl(), HasSubstr("://"));
  EXPECT_THAT(DefaultUpdateUrl(), HasSubstr("://"));
  EXPECT_NE(DefaultHomeUrl(), DefaultUpdateUrl());
}

TEST(HelpFileTest, ExplainsTheWindowItsOptionsCommandsAndTheConsoleCompanion) {
  const char* data = std::getenv("HALVANE_TEST_DATA");
  if (data == nullptr)
    GTEST_SKIP() << "HALVANE_TEST_DATA is not set (run through ctest)";
  const auto help =
      ReadFileBytes(fs::path(data) / ".." / ".." / "src" / "app" / "help" / "NetrovaHelp.html");
  ASSERT_TRUE(help.has_value());
  for (const char* needle : {"<meta charset=\"utf-8\">",
                             "当前有",
                             "显示本地连接",
                             "自动刷新",
                             "始终保持在其他窗口前端",
                             "显示文件详细信息",
                             "进程信息",
                             "结束进程",
                             "拷贝到剪贴板",
                             "定位文件",
                             "属性",
                             "备注",
                             "add",
                             "md",
                             "10 秒",
                             "Netrova.ini",
                             "~/.config/halvane/Netrova.ini",
                             "sudo setcap cap_sys_ptrace,cap_dac_read_search,cap_kill+p halvane",
                             "halvane-cli",
                             "--csv",
                             "--json",
                             "--hide-local",
                             "--watch",
                             "--rounds",
                             "--help"}) {
    EXPECT_THAT(*help, HasSubstr(needle));
  }
}

// ---- The view's handlers

using ViewHandlersTest = FormTest;

TEST_F(ViewHandlersTest, CellTextsComeFromTheRecord) {
  Created();
  ListRow* sshd = Form().VTS().RowAt(2);
  EXPECT_EQ(Form().VTSGetText(sshd, 1), "sshd");
  EXPECT_EQ(Form().VTSGetText(sshd, 2), "未启用");
  EXPECT_EQ(Form().VTSGetText(sshd, 5), "22");
  EXPECT_EQ(Form().VTSGetText(sshd, 9), "");
  EXPECT_EQ(Form().VTSGetText(sshd, 10), "/usr/sbin/sshd");
  EXPECT_EQ(Form().VTSGetText(sshd, -1), "");
  EXPECT_EQ(Form().VTSGetText(nullptr, 1), "");
}

TEST_F(ViewHandlersTest, ProcessColumnShowsTheProgramIconFromTheSmallList) {
  systemIcons.indexes = {{"/usr/sbin/sshd", 7}, {"/usr/lib/firefox/firefox", 3}};
  Created();
  ListRow* firefox = Form().VTS().RowAt(0);
  ListRow* sshd = Form().VTS().RowAt(2);
  ListRow* system = Form().VTS().RowAt(3);

  EXPECT_EQ(Form().VTSGetImageIndex(sshd, 1), 0);
  EXPECT_EQ(Form().VTSGetImageIndex(firefox, 1), 1);
  EXPECT_EQ(Form().VTSGetImageIndex(sshd, 1), 0);  // copied once
  EXPECT_EQ(Form().VTSGetImageIndex(sshd, 3), -1);
  EXPECT_EQ(Form().VTSGetImageIndex(system, 1), -1);
  EXPECT_EQ(Form().VTSGetImageIndex(nullptr, 1), -1);
  EXPECT_THAT(smallImages.added, ElementsAre(7, 3));
  EXPECT_TRUE(largeImages.added.empty());
}

TEST_F(ViewHandlersTest, HeaderClickSortsAndRepaints) {
  Created();
  Form().VTSHeaderClick(1);
  EXPECT_EQ(Form().VTS().Direction(), SortDirection::Descending);
  EXPECT_THAT(RowNames(), ElementsAre("System", "sshd", "postgres", "firefox"));
  EXPECT_THAT(log, ElementsAre("ViewChanged"));
}

TEST_F(ViewHandlersTest, RowMenuEnablesByProgramPath) {
  Created();
  ListRow* system = Form().VTS().RowAt(3);
  EXPECT_TRUE(Form().VTSGetPopupMenu(system));
  EXPECT_FALSE(Form().PmTreeState().NProcInfo);
  EXPECT_FALSE(Form().PmTreeState().NProperty);
  EXPECT_FALSE(Form().VTSGetPopupMenu(nullptr));
  EXPECT_FALSE(Form().PmTreeState().NEndProc);  // as last prepared

  Form().VTS().FocusRow(Form().VTS().RowAt(0));
  EXPECT_FALSE(Form().VTSColumnClick(3));
  EXPECT_TRUE(Form().VTSColumnClick(kManageColumn));
  EXPECT_TRUE(Form().PmTreeState().NLocate);
}

}  // namespace
}  // namespace halvane
