#include <QCloseEvent>

#include "ui_qt/window_fixture.h"

namespace halvane::testing_qt {
namespace {

constexpr const char* kStoredSettings =
    "; written by hand\r\n"
    "[Other]\r\n"
    "ShowInfo=keep me\r\n"
    "[Set]\r\n"
    "AlwaysTop = 1\r\n"
    "ShowLocal=1\r\n"
    "AutoRefresh=0\r\n"
    "ShowInfo=0\r\n"
    "[Tail]\r\n"
    "x=y\r\n";

std::string WithLine(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class WindowOptionsTest : public WindowTest {};

TEST_F(WindowOptionsTest, EachBoxRewritesOnlyItsOwnKey) {
  const std::vector<std::pair<OptionBox, std::pair<std::string, std::string>>> cases{
      {OptionBox::ShowLocal, {"ShowLocal=1", "ShowLocal=0"}},
      {OptionBox::AutoRefresh, {"AutoRefresh=0", "AutoRefresh=1"}},
      {OptionBox::AlwaysTop, {"AlwaysTop = 1", "AlwaysTop = 0"}},
      {OptionBox::ShowInfo, {"ShowInfo=0\r\n[Tail]", "ShowInfo=1\r\n[Tail]"}},
  };
  for (const auto& [box, lines] : cases) {
    WriteText(SettingsFile(), kStoredSettings);
    window.reset();
    form.reset();
    Open();
    window->PBottom->Box(box)->click();
    EXPECT_EQ(ReadText(SettingsFile()), WithLine(kStoredSettings, lines.first, lines.second))
        << lines.first;
    EXPECT_TRUE(surface.errors.empty());
  }
}

TEST_F(WindowOptionsTest, NoFileMeansTheLayoutStatesAndTheFirstClickCreatesIt) {
  Open();
  EXPECT_TRUE(window->PBottom->CBShowLocal->isChecked());
  EXPECT_FALSE(window->PBottom->CBAutoRefresh->isChecked());
  EXPECT_TRUE(window->PBottom->CBAlwaysTop->isChecked());
  EXPECT_FALSE(window->PBottom->CBShowInfo->isChecked());
  EXPECT_TRUE(ReadText(SettingsFile()).empty());
  window->PBottom->CBAutoRefresh->click();
  EXPECT_NE(ReadText(SettingsFile()).find("AutoRefresh=1"), std::string::npos);
  EXPECT_TRUE(window->Timer1->isActive());
  EXPECT_EQ(window->Timer1->interval(), 10000);
}

TEST_F(WindowOptionsTest, StoredOptionsShowInTheBoxesAtStart) {
  WriteText(SettingsFile(), "[Set]\nShowInfo=1\nAlwaysTop=0\nAutoRefresh=1\n");
  Open();
  EXPECT_TRUE(window->PBottom->CBShowInfo->isChecked());
  EXPECT_FALSE(window->PBottom->CBAlwaysTop->isChecked());
  EXPECT_FALSE(window->IsTopmost());
  EXPECT_TRUE(window->Timer1->isActive());
  for (int column : {10, 11, 12})
    EXPECT_FALSE(window->VTS->isColumnHidden(column)) << column;
}

TEST_F(WindowOptionsTest, UncheckingShowLocalRefreshesWithoutTheLoopbackRow) {
  Open();
  ASSERT_EQ(window->VTS->model()->rowCount(), 5);
  window->PBottom->CBShowLocal->click();
  SettleRefresh();
  EXPECT_EQ(window->VTS->model()->rowCount(), 4);
  EXPECT_EQ(window->PTop->LabNetCount->text(), "4");
  EXPECT_TRUE(window->PBottom->BTNRefresh->isEnabled());
}

TEST_F(WindowOptionsTest, AlwaysTopLeavesTheWindowWhereItIs) {
  Open();
  const QRect before = window->geometry();
  window->PBottom->CBAlwaysTop->click();
  EXPECT_FALSE(window->IsTopmost());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->geometry(), before);
  window->PBottom->CBAlwaysTop->click();
  EXPECT_TRUE(window->IsTopmost());
  EXPECT_EQ(window->geometry(), before);
}

TEST_F(WindowOptionsTest, TheLinkButtonsOpenTheirAddresses) {
  Open();
  window->PTop->BTNHomePage->click();
  window->PTop->BTNUpdate->click();
  window->PTop->BTNHelp->click();
  ASSERT_EQ(services->opened.size(), 3u);
  EXPECT_EQ(services->opened[0], "https://halvane.example/");
  EXPECT_EQ(services->opened[1], "https://halvane.example/update");
  EXPECT_EQ(services->opened[2], programDir + "/NetrovaHelp.html");
}

TEST_F(WindowOptionsTest, ClosingAsksAndNoKeepsTheWindowOpen) {
  Open();
  surface.answerYes = false;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(surface.questions.size(), 1u);
  EXPECT_EQ(surface.questions[0], form->MsgConfirmExit());
  EXPECT_EQ(window->VTS->model()->rowCount(), 5);
  surface.answerYes = true;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace halvane::testing_qt
