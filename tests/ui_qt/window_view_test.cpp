#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include "ui_qt/window_fixture.h"
#include "view/columns.h"

namespace halvane::testing_qt {
namespace {

QWidget* HeaderArea(FormNetrovaWindow& window) {
  return window.VTS->horizontalHeader()->viewport();
}

class WindowViewTest : public WindowTest {
 protected:
  QStringList ColumnTexts(int column) const {
    QStringList texts;
    for (int row = 0; row < window->VTS->model()->rowCount(); ++row)
      texts << Cell(row, column);
    return texts;
  }
  QStringList Processes() const { return ColumnTexts(1); }
  QStringList Protocols() const { return ColumnTexts(3); }
  void ClickCaption(int column) {
    QTest::mouseClick(HeaderArea(*window), Qt::LeftButton, {}, CaptionCentre(column));
  }
};

TEST_F(WindowViewTest, HeaderClicksSortAndFlipTheDirection) {
  Open();
  ClickCaption(1);
  EXPECT_EQ(form->VTS().SortColumn(), 1);
  EXPECT_EQ(form->VTS().Direction(), SortDirection::Descending);
  EXPECT_EQ(Processes(), (QStringList{"System", "System", "sshd", "firefox", "avahi-daemon"}));
  ClickCaption(1);
  EXPECT_EQ(form->VTS().Direction(), SortDirection::Ascending);
  EXPECT_EQ(Processes().front(), "avahi-daemon");
  // Another column: sorted by it, and the direction flips again.
  ClickCaption(3);
  EXPECT_EQ(form->VTS().SortColumn(), 3);
  EXPECT_EQ(form->VTS().Direction(), SortDirection::Descending);
  EXPECT_EQ(Protocols(), (QStringList{"UDP", "UDP", "TCP", "TCP", "TCP"}));
}

TEST_F(WindowViewTest, PressOnOneCaptionAndReleaseOnAnotherLeavesNoSortColumn) {
  Open();
  const QStringList before = Processes();
  QTest::mousePress(HeaderArea(*window), Qt::LeftButton, {}, CaptionCentre(1));
  QTest::mouseRelease(HeaderArea(*window), Qt::LeftButton, {}, CaptionCentre(4));
  EXPECT_EQ(form->VTS().SortColumn(), -1);
  EXPECT_EQ(form->VTS().Direction(), SortDirection::Descending);
  EXPECT_EQ(Processes(), before);
}

TEST_F(WindowViewTest, TheManageCaptionChangesNothing) {
  Open();
  ClickCaption(kManageColumn);
  EXPECT_EQ(form->VTS().SortColumn(), 1);
  EXPECT_EQ(form->VTS().Direction(), SortDirection::Ascending);
}

TEST_F(WindowViewTest, RightClickSelectsTheRowAndEnablesTheMenuByItsProgramFile) {
  Open();
  struct Case {
    const char* process;
    bool pathItemsEnabled;
  };
  for (const Case& c : {Case{"System", false}, Case{"sshd", true}, Case{"avahi-daemon", false}}) {
    const int row = RowOfProcess(c.process);
    QTest::mouseClick(window->VTS->viewport(), Qt::RightButton, {}, CellCentre(row, 4));
    PmTreeMenu& menu = *window->PmTree;
    ASSERT_TRUE(menu.isVisible()) << c.process;
    EXPECT_EQ(form->VTS().FocusedRow(), form->VTS().RowAt(static_cast<std::size_t>(row)));
    EXPECT_TRUE(form->VTS().FocusedRow()->selected);
    EXPECT_EQ(menu.NProcInfo->isEnabled(), c.pathItemsEnabled) << c.process;
    EXPECT_EQ(menu.NEndProc->isEnabled(), c.pathItemsEnabled) << c.process;
    EXPECT_EQ(menu.NLocate->isEnabled(), c.pathItemsEnabled) << c.process;
    EXPECT_EQ(menu.NProperty->isEnabled(), c.pathItemsEnabled) << c.process;
    EXPECT_TRUE(menu.NCopy->isEnabled());
    menu.hide();
  }
}

TEST_F(WindowViewTest, TheMenuHasItsSevenItemsInOrder) {
  Open();
  QStringList captions;
  for (const QAction* action : window->PmTree->actions())
    captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
  EXPECT_EQ(captions, (QStringList{QStringLiteral("进程信息"), "-", QStringLiteral("结束进程(&E)"),
                                   "-", QStringLiteral("拷贝到剪贴板"), QStringLiteral("定位文件"),
                                   QStringLiteral("属性(&R)")}));
}

TEST_F(WindowViewTest, RightClickBelowTheLastRowShowsNoMenu) {
  Open();
  const QPoint below(CellCentre(0, 4).x(), window->VTS->viewport()->height() - 3);
  ASSERT_FALSE(window->VTS->indexAt(below).isValid());
  QTest::mouseClick(window->VTS->viewport(), Qt::RightButton, {}, below);
  EXPECT_FALSE(window->PmTree->isVisible());
}

TEST_F(WindowViewTest, ALeftClickOnTheManagePictureOpensTheMenuForThatRow) {
  Open();
  const int row = RowOfProcess("System");
  QTest::mouseClick(window->VTS->viewport(), Qt::LeftButton, {}, CellCentre(row, kManageColumn));
  ASSERT_TRUE(window->PmTree->isVisible());
  EXPECT_FALSE(window->PmTree->NEndProc->isEnabled());
  window->PmTree->hide();
  // Another column opens nothing.
  QTest::mouseClick(window->VTS->viewport(), Qt::LeftButton, {}, CellCentre(row, 4));
  EXPECT_FALSE(window->PmTree->isVisible());
}

TEST_F(WindowViewTest, TheSelectionFollowsTheModel) {
  Open();
  const int row = RowOfProcess("firefox");
  QTest::mouseClick(window->VTS->viewport(), Qt::LeftButton, {}, CellCentre(row, 3));
  EXPECT_EQ(form->VTS().SelectedCount(), 1u);
  EXPECT_TRUE(
      window->VTS->model()->index(row, 3).data(ConnectionTableModel::SelectedRole).toBool());
  // Down moves the focus and the selection to the next row.
  QTest::keyClick(window->VTS, Qt::Key_Down);
  EXPECT_EQ(form->VTS().FocusedRow()->index, static_cast<std::size_t>(row + 1));
  EXPECT_TRUE(form->VTS().FocusedRow()->selected);
  EXPECT_EQ(form->VTS().SelectedCount(), 1u);
}

TEST_F(WindowViewTest, TypingSearchesThePidsAfterTheFirstClick) {
  Open();
  std::int64_t now = 0;
  window->VTS->SetSearchClock([&now] { return now; });
  // Before any click into the rows there is no focus column: nothing matches.
  window->VTS->setFocus();
  QTest::keyClicks(window->VTS, "8");
  const std::size_t selectedBefore = form->VTS().SelectedCount();
  QTest::mouseClick(window->VTS->viewport(), Qt::LeftButton, {},
                    CellCentre(RowOfProcess("avahi-daemon"), 3));
  now += 1000;  // a pause ends the search text typed before
  QTest::keyClicks(window->VTS, "8");
  ASSERT_NE(form->VTS().FocusedRow(), nullptr);
  EXPECT_EQ(form->VTS().FocusedRow()->record.ProcessName, "sshd");
  EXPECT_LE(selectedBefore, 1u);
}

TEST_F(WindowViewTest, ShowInfoShowsTheFileColumnsWithoutMovingTheOthers) {
  Open();
  const int stateLeft = window->VTS->columnViewportPosition(8);
  window->PBottom->CBShowInfo->click();
  for (int column : {10, 11, 12})
    EXPECT_FALSE(window->VTS->isColumnHidden(column)) << column;
  EXPECT_EQ(window->VTS->columnWidth(10), 260);
  EXPECT_EQ(window->VTS->columnViewportPosition(8), stateLeft);
  window->PBottom->CBShowInfo->click();
  for (int column : {10, 11, 12})
    EXPECT_TRUE(window->VTS->isColumnHidden(column)) << column;
}

TEST_F(WindowViewTest, OnlyTextsThatDoNotFitGetATooltip) {
  Open();
  const int row = RowOfProcess("avahi-daemon");
  const auto tooltipAt = [&](int column) {
    QToolTip::hideText();
    const QPoint at = CellCentre(row, column);
    QHelpEvent help(QEvent::ToolTip, at, window->VTS->viewport()->mapToGlobal(at));
    QApplication::sendEvent(window->VTS->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tooltipAt(3), "");
  window->VTS->setColumnWidth(1, 40);
  EXPECT_EQ(tooltipAt(1), "avahi-daemon");
  QToolTip::hideText();
}

}  // namespace
}  // namespace halvane::testing_qt
