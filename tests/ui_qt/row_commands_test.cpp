#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>

#include "app/app_urls.h"
#include "ui_qt/window_fixture.h"

namespace halvane::testing_qt {
namespace {

// The next control that the Tab key moves to.
QWidget* NextTabStop(QWidget* from) {
  for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible())
      return next;
  }
  return from;
}

class RowCommandsWindowTest : public WindowTest {
 protected:
  // A right click on the process's row: the row focused, the menu prepared and shown.
  void OpenMenuOn(const QString& process) {
    const int row = RowOfProcess(process);
    ASSERT_GE(row, 0) << process.toStdString();
    QTest::mouseClick(window->VTS->viewport(), Qt::RightButton, {}, CellCentre(row, 4));
    ASSERT_TRUE(window->PmTree->isVisible());
  }

  void Choose(QAction* item) {
    window->PmTree->hide();
    item->trigger();
  }

  void DoubleClick(const QString& process) {
    const int row = RowOfProcess(process);
    ASSERT_GE(row, 0);
    QTest::mouseDClick(window->VTS->viewport(), Qt::LeftButton, {}, CellCentre(row, 4));
  }
};

TEST_F(RowCommandsWindowTest, CopyPutsTheReportOnTheClipboard) {
  Open();
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("before"));
  OpenMenuOn("firefox");

  Choose(window->PmTree->NCopy);

  const std::string separator("―――――――――――――――――――――――");
  const std::string expected =
      separator + "\r\n程序名称:firefox\r\n程序说明:Firefox\r\n路径:/usr/lib/firefox/firefox\r\n" +
      "PID:1500\r\n网络协议:TCP\r\n本机地址:192.168.1.5\r\n本地端口:40000\r\n" +
      "目标地址:93.184.216.34\r\n目标端口:443\r\n状态:已建立\r\n生成:Halvane\r\n主页:" +
      DefaultHomeUrl() + "\r\n" + separator + "\r\n";
  EXPECT_EQ(clipboard->text().toStdString(), expected);
}

TEST_F(RowCommandsWindowTest, TheMenuItemsRunTheirCommandsOnTheFocusedRow) {
  Open();
  OpenMenuOn("firefox");
  Choose(window->PmTree->NLocate);
  Choose(window->PmTree->NProperty);
  Choose(window->PmTree->NEndProc);
  EXPECT_EQ(services->commands, (std::vector<std::string>{"locate /usr/lib/firefox/firefox",
                                                          "properties /usr/lib/firefox/firefox",
                                                          "end 1500 /usr/lib/firefox/firefox"}));
  EXPECT_TRUE(surface.questions.empty());
}

TEST_F(RowCommandsWindowTest, ASystemProgramAsksFirstAndNoEndsNothing) {
  Open();
  OpenMenuOn("sshd");
  surface.answerYes = false;
  Choose(window->PmTree->NEndProc);
  EXPECT_EQ(surface.questions,
            (std::vector<std::string>{"这是系统进程，结束该进程可能引起系统无法运行，仍要结束?"}));
  EXPECT_TRUE(services->commands.empty());
}

TEST_F(RowCommandsWindowTest, TheEndProcessButtonFollowsTheLastMenuPreparation) {
  Open();
  OpenMenuOn("System");
  window->PmTree->hide();
  QTest::mouseClick(window->VTS->viewport(), Qt::LeftButton, {},
                    CellCentre(RowOfProcess("firefox"), 4));
  window->PBottom->BTNEndPro->click();
  EXPECT_TRUE(services->commands.empty());

  OpenMenuOn("firefox");
  window->PmTree->hide();
  window->PBottom->BTNEndPro->click();
  EXPECT_EQ(services->commands, (std::vector<std::string>{"end 1500 /usr/lib/firefox/firefox"}));
}

TEST_F(RowCommandsWindowTest, ADoubleClickShowsTheDetailsUnlessTheMenuWasLastPathless) {
  Open();
  DoubleClick("firefox");
  EXPECT_EQ(surface.dialogsMade, 1);

  OpenMenuOn("avahi-daemon");  // no program file: the items go disabled
  window->PmTree->hide();
  DoubleClick("firefox");
  EXPECT_EQ(surface.dialogsMade, 1);

  OpenMenuOn("sshd");
  window->PmTree->hide();
  DoubleClick("sshd");
  EXPECT_EQ(surface.dialogsMade, 2);
}

TEST_F(RowCommandsWindowTest, TheDetailsDialogHasItsLayout) {
  Open();
  OpenMenuOn("sshd");
  QPointer<ProcInfoDialog> seen;
  surface.whileDetailsOpen = [&](ProcInfoDialog& dialog) {
    seen = &dialog;
    EXPECT_TRUE(dialog.isModal());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    EXPECT_EQ(dialog.parentWidget(), window.get());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("进程详细信息"));
    EXPECT_EQ(dialog.size(), QSize(425, 237));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));

    EXPECT_EQ(dialog.Panel1->geometry(), QRect(0, 0, 425, 237));
    EXPECT_EQ(dialog.Panel1->palette().color(QPalette::Window), QColor(236, 245, 248));
    EXPECT_EQ(dialog.Image1->geometry(), QRect(16, 16, 32, 32));
    EXPECT_EQ(dialog.LabExe->pos(), QPoint(80, 16));
    EXPECT_EQ(dialog.LabExe->text(), "sshd");
    EXPECT_TRUE(dialog.LabExe->font().bold());
    EXPECT_EQ(dialog.LabExe->size(), dialog.LabExe->sizeHint());  // sized to its text
    EXPECT_EQ(dialog.LabExeDes->pos(), QPoint(80, 45));
    EXPECT_EQ(dialog.LabExeDes->text(), "OpenSSH server  ");
    EXPECT_FALSE(dialog.LabExeDes->isEnabled());
    EXPECT_EQ(dialog.LabPID->pos(), QPoint(80, 69));
    EXPECT_EQ(dialog.LabPID->text(), "PID:812");
    EXPECT_EQ(dialog.Labcomp->pos(), QPoint(80, 91));
    EXPECT_EQ(dialog.Labcomp->text(), "OpenBSD ");
    EXPECT_EQ(dialog.Shape1->geometry(), QRect(8, 114, 409, 1));
    EXPECT_EQ(dialog.Shape1->palette().color(QPalette::Window), QColor(196, 211, 219));
    EXPECT_EQ(dialog.Label5->geometry(), QRect(10, 121, 54, 14));
    EXPECT_EQ(dialog.Label5->text(), QStringLiteral("文件路径: "));
    EXPECT_EQ(dialog.EPath->geometry(), QRect(8, 140, 409, 20));
    EXPECT_TRUE(dialog.EPath->isReadOnly());
    EXPECT_EQ(dialog.EPath->text(), "/usr/sbin/sshd");
    EXPECT_EQ(dialog.LabLocate->geometry(), QRect(12, 179, 48, 14));
    EXPECT_EQ(dialog.LabLocate->text(), QStringLiteral("定位文件"));
    EXPECT_TRUE(dialog.LabLocate->font().underline());
    EXPECT_EQ(dialog.LabLocate->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(dialog.LabLocate->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(dialog.Shape2->geometry(), QRect(8, 198, 409, 1));
    EXPECT_EQ(dialog.BTNOK->geometry(), QRect(321, 202, 97, 26));
    EXPECT_EQ(dialog.BTNOK->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.BTNOK->Colours().face, QColor(209, 218, 238));
    EXPECT_EQ(dialog.BTNOK->Colours().highlight, QColor(106, 141, 244));
    EXPECT_EQ(dialog.BTNOK->Colours().hotTrack, QColor(255, 199, 60));
    // Tab order: BTNOK first, then the path.
    EXPECT_EQ(dialog.focusWidget(), dialog.BTNOK);
    EXPECT_EQ(NextTabStop(dialog.BTNOK), dialog.EPath);
    EXPECT_EQ(NextTabStop(dialog.EPath), dialog.BTNOK);
    // The program icon lies at (1, 1) of the otherwise transparent picture.
    const QImage picture = dialog.Picture().toImage();
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    int drawn = 0;
    for (int y = 1; y < 32; ++y)
      for (int x = 1; x < 32; ++x)
        drawn += qAlpha(picture.pixel(x, y)) > 0 ? 1 : 0;
    EXPECT_GT(drawn, 0);
    for (int i = 0; i < 32; ++i) {
      EXPECT_EQ(qAlpha(picture.pixel(0, i)), 0);
      EXPECT_EQ(qAlpha(picture.pixel(i, 0)), 0);
    }
    dialog.BTNOK->click();
  };

  Choose(window->PmTree->NProcInfo);

  EXPECT_EQ(surface.dialogsMade, 1);
  EXPECT_TRUE(seen.isNull()) << "closing did not free the dialog";
}

TEST_F(RowCommandsWindowTest, TheFrameCloseButtonAlsoClosesAndFreesTheDialog) {
  Open();
  OpenMenuOn("sshd");
  QPointer<ProcInfoDialog> seen;
  surface.whileDetailsOpen = [&](ProcInfoDialog& dialog) {
    seen = &dialog;
    QTest::keyClick(&dialog, Qt::Key_Escape);  // not a way to close it
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
  };

  Choose(window->PmTree->NProcInfo);

  EXPECT_EQ(surface.dialogsMade, 1);
  EXPECT_TRUE(seen.isNull());
  EXPECT_TRUE(surface.errors.empty());
}

TEST_F(RowCommandsWindowTest, TheLocateLinkShowsTheFileInTheFileManager) {
  Open();
  OpenMenuOn("firefox");
  surface.whileDetailsOpen = [&](ProcInfoDialog& dialog) {
    QTest::mouseClick(dialog.LabLocate, Qt::LeftButton, {}, QPoint(5, 5));
    dialog.BTNOK->click();
  };

  Choose(window->PmTree->NProcInfo);

  EXPECT_EQ(services->commands, (std::vector<std::string>{"locate /usr/lib/firefox/firefox"}));
}

}  // namespace
}  // namespace halvane::testing_qt
