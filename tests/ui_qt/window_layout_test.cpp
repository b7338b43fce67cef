#include <QCheckBox>
#include <QLabel>

#include "ui_qt/window_fixture.h"
#include "view/columns.h"

namespace halvane::testing_qt {
namespace {

TEST_F(WindowTest, OpensAlreadyFilledFromTheFirstSnapshot) {
  Open(/*show=*/false);
  // The list is filled before the window is first shown.
  ASSERT_EQ(window->VTS->model()->rowCount(), 5);
  const QStringList processes{Cell(0, 1), Cell(1, 1), Cell(2, 1), Cell(3, 1), Cell(4, 1)};
  EXPECT_EQ(processes, (QStringList{"avahi-daemon", "firefox", "sshd", "System", "System"}));
  const int firefox = RowOfProcess("firefox");
  EXPECT_EQ(Cell(firefox, 3), "TCP");
  EXPECT_EQ(Cell(firefox, 4), "192.168.1.5");
  EXPECT_EQ(Cell(firefox, 5), "40000");
  EXPECT_EQ(Cell(firefox, 6), "93.184.216.34");
  EXPECT_EQ(Cell(firefox, 7), "443");
  EXPECT_EQ(Cell(firefox, 10), "/usr/lib/firefox/firefox");
  EXPECT_EQ(Cell(firefox, 2), QStringLiteral("未启用"));
  EXPECT_EQ(Cell(firefox, 9), "");
  EXPECT_EQ(window->PTop->LabNetCount->text(), "5");
  EXPECT_EQ(window->PTop->LabAppCount->text().toStdString(), form->AppCountText());
  EXPECT_NE(window->PTop->LabAppCount->text(), "0");
}

TEST_F(WindowTest, EveryProcessCellShowsAnIcon) {
  Open();
  for (int row = 0; row < window->VTS->model()->rowCount(); ++row) {
    const QVariant icon = window->VTS->model()->index(row, 1).data(Qt::DecorationRole);
    ASSERT_TRUE(icon.isValid()) << row;
    EXPECT_EQ(icon.value<QPixmap>().size(), QSize(16, 16));
    EXPECT_FALSE(window->VTS->model()->index(row, 3).data(Qt::DecorationRole).isValid());
  }
}

TEST_F(WindowTest, HasTheLayoutsCaptionSizesAndPanels) {
  Open();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Halvane V2.5(网络连接查看器)"));
  EXPECT_EQ(window->size(), QSize(746, 433));
  EXPECT_EQ(window->minimumSize(), QSize(672, 200));
  EXPECT_TRUE(window->IsTopmost());
  EXPECT_EQ(window->PTop->height(), 34);
  EXPECT_EQ(window->PBottom->height(), 28);
  EXPECT_EQ(window->PTop->palette().color(QPalette::Window), QColor(236, 245, 248));
  EXPECT_EQ(window->PTop->BTNHelp->size(), QSize(74, 32));
  EXPECT_EQ(window->PTop->BTNHomePage->geometry().right(), window->PTop->width() - 1);
  EXPECT_LT(window->PTop->BTNUpdate->x(), window->PTop->BTNHomePage->x());
  EXPECT_LT(window->PTop->BTNHelp->x(), window->PTop->BTNUpdate->x());
  EXPECT_EQ(window->PBottom->CBAlwaysTop->geometry(), QRect(282, 6, 182, 17));
  EXPECT_EQ(window->PBottom->BTNEndPro->geometry(), QRect(633, 1, 110, 26));
  EXPECT_GE(window->PBottom->CBShowInfo->x(), window->width());
  EXPECT_EQ(window->VTS->horizontalHeader()->height(), 20);
  EXPECT_EQ(window->VTS->rowHeight(0), 22);
}

TEST_F(WindowTest, TheSentenceHasNoGapsAndMovesWithTheCounts) {
  Open();
  const TopPanel& top = *window->PTop;
  const auto gapAfter = [](const QLabel* left, const QLabel* right) {
    return right->x() - (left->x() + left->width());
  };
  EXPECT_EQ(gapAfter(top.Label1, top.LabAppCount), 0);
  EXPECT_EQ(gapAfter(top.LabAppCount, top.Label3), 0);
  EXPECT_EQ(gapAfter(top.Label3, top.LabNetCount), 0);
  EXPECT_EQ(gapAfter(top.LabNetCount, top.Label5), 0);
  const int before = top.Label5->x();
  surface.SetNetCountText("12345");
  QApplication::processEvents();
  EXPECT_GT(top.Label5->x(), before);
  EXPECT_EQ(gapAfter(top.LabNetCount, top.Label5), 0);
}

TEST_F(WindowTest, ColumnsHaveTheirWidthsAndStartVisibility) {
  Open();
  for (const ColumnInfo& info : ViewColumns()) {
    EXPECT_EQ(window->VTS->isColumnHidden(info.index), !info.visibleAtStart) << info.index;
    // A hidden column keeps its width for when it is shown.
    window->VTS->setColumnHidden(info.index, false);
    EXPECT_EQ(window->VTS->columnWidth(info.index), info.width) << info.index;
    window->VTS->setColumnHidden(info.index, !info.visibleAtStart);
  }
  EXPECT_EQ(window->VTS->horizontalHeader()->sectionResizeMode(kManageColumn), QHeaderView::Fixed);
  EXPECT_EQ(window->VTS->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

TEST_F(WindowTest, TabOrderRunsFromTheViewThroughBothPanels) {
  Open();
  std::vector<QWidget*> expected{window->VTS,
                                 window->PTop->BTNHelp,
                                 window->PTop->BTNHomePage,
                                 window->PTop->BTNUpdate,
                                 window->PBottom->BTNRefresh,
                                 window->PBottom->BTNEndPro,
                                 window->PBottom->CBShowLocal,
                                 window->PBottom->CBAutoRefresh,
                                 window->PBottom->CBAlwaysTop,
                                 window->PBottom->CBShowInfo};
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
    expected[i]->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), expected[i]) << i;
    QTest::keyClick(expected[i], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), expected[i + 1]) << i;
  }
}

}  // namespace
}  // namespace halvane::testing_qt
