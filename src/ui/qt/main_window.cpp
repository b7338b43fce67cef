#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/qt/window_style.h"

namespace halvane {

FormNetrovaWindow::FormNetrovaWindow(TFormNetrova& form, IAppServices& services,
                                     const PixmapImageStore& smallImages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), form_(form) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setFont(WindowFont());
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(kClientWidth, kClientHeight);

  PmTree = new PmTreeMenu(this);
  PTop = new TopPanel(this);
  VTS = new ConnectionView(form, smallImages, *PmTree, this);
  PBottom = new BottomPanel(this);
  Timer1 = new QTimer(this);
  Timer1->setInterval(TFormNetrova::kTimerIntervalMs);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PTop);
  layout->addWidget(VTS, 1);
  layout->addWidget(PBottom);

  ConnectControls(services);
  SetTabOrder();
  VTS->setFocus();
}

void FormNetrovaWindow::ConnectButton(QAbstractButton* button, std::function<void()> handler) {
  connect(button, &QAbstractButton::clicked, this,
          [this, handler = std::move(handler)] { form_.HandleEvent(handler); });
}

void FormNetrovaWindow::ConnectMenuItem(QAction* item, std::function<void()> handler) {
  connect(item, &QAction::triggered, this,
          [this, handler = std::move(handler)] { form_.HandleEvent(handler); });
}

void FormNetrovaWindow::ConnectControls(IAppServices& services) {
  ConnectButton(PTop->BTNHelp, [this] { form_.BTNHelpClick(); });
  ConnectButton(PTop->BTNHomePage, [this] { form_.BTNHomePageClick(); });
  ConnectButton(PTop->BTNUpdate, [this] { form_.BTNUpdateClick(); });
  ConnectButton(PBottom->BTNRefresh, [this] { form_.BTNRefreshClick(); });
  ConnectButton(PBottom->BTNEndPro, [this] { form_.BTNEndProClick(); });
  ConnectMenuItem(PmTree->NProcInfo, [this] { form_.NProcInfoClick(); });
  ConnectMenuItem(PmTree->NEndProc, [this] { form_.NEndProcClick(); });
  ConnectMenuItem(PmTree->NCopy, [this] { form_.NCopyClick(); });
  ConnectMenuItem(PmTree->NLocate, [this] { form_.NLocateClick(); });
  ConnectMenuItem(PmTree->NProperty, [this] { form_.NPropertyClick(); });
  connect(VTS, &ConnectionView::DoubleClicked, this,
          [this] { form_.HandleEvent([this] { form_.VTSDblClick(); }); });
  for (OptionBox box :
       {OptionBox::ShowLocal, OptionBox::AutoRefresh, OptionBox::AlwaysTop, OptionBox::ShowInfo}) {
    connect(PBottom->Box(box), &QCheckBox::clicked, this, [this, box](bool checked) {
      form_.HandleEvent([&] { form_.OptionBoxClicked(box, checked); });
    });
  }
  connect(Timer1, &QTimer::timeout, this,
          [this] { form_.HandleEvent([&] { form_.Timer1Timer(); }); });
  connect(PBottom->LabMailLink, &QLabel::linkActivated, this,
          [&services](const QString& url) { services.OpenUrl(url.toStdString()); });
}

void FormNetrovaWindow::SetTabOrder() {
  QWidget* order[] = {VTS,
                      PTop->BTNHelp,
                      PTop->BTNHomePage,
                      PTop->BTNUpdate,
                      PBottom->BTNRefresh,
                      PBottom->BTNEndPro,
                      PBottom->CBShowLocal,
                      PBottom->CBAutoRefresh,
                      PBottom->CBAlwaysTop,
                      PBottom->CBShowInfo};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    QWidget::setTabOrder(order[i], order[i + 1]);
}

void FormNetrovaWindow::SetTopmost(bool topmost) {
  if (IsTopmost() == topmost)
    return;
  const bool shown = isVisible();
  const QRect place = geometry();
  // Changing the flag takes the window down; put it back where it was.
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (shown) {
    setGeometry(place);
    show();
  }
}

void FormNetrovaWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr)
    return;
  QRect place(QPoint(), size());
  place.moveCenter(screen->availableGeometry().center());
  move(place.topLeft());
}

void FormNetrovaWindow::closeEvent(QCloseEvent* event) {
  if (!closeApproved_) {
    bool mayClose = false;
    form_.HandleEvent([&] { mayClose = form_.FormCloseQuery(); });
    if (!mayClose) {
      event->ignore();
      return;
    }
  }
  form_.HandleEvent([&] { form_.FormClose(); });
  event->accept();
}

void FormNetrovaWindow::AskAtLogout(QSessionManager& manager) {
  if (!manager.allowsInteraction())
    return;
  bool mayClose = false;
  form_.HandleEvent([&] { mayClose = form_.FormCloseQuery(); });
  manager.release();
  if (!mayClose) {
    manager.cancel();
    return;
  }
  closeApproved_ = true;
  QTimer::singleShot(0, this, &QWidget::close);
}

}  // namespace halvane
