#include "ui/qt/qt_window_surface.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QSignalBlocker>

#include "ui/qt/main_window.h"
#include "ui/qt/proc_info_dialog.h"

namespace halvane {

namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

int RunBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton preselected) {
  QMessageBox box(icon, QString::fromLatin1(QtWindowSurface::kCaption), ToQString(text), buttons,
                  owner);
  box.setDefaultButton(preselected);
  return box.exec();
}

}  // namespace

void QtWindowSurface::SetAppCountText(const std::string& text) {
  if (window_)
    window_->PTop->LabAppCount->setText(ToQString(text));
}

void QtWindowSurface::SetNetCountText(const std::string& text) {
  if (window_)
    window_->PTop->LabNetCount->setText(ToQString(text));
}

void QtWindowSurface::ShowChecked(OptionBox box, bool checked) {
  if (window_ == nullptr)
    return;
  QCheckBox* control = window_->PBottom->Box(box);
  const QSignalBlocker quiet(control);
  control->setChecked(checked);
}

void QtWindowSurface::SetRefreshEnabled(bool enabled) {
  if (window_)
    window_->PBottom->BTNRefresh->setEnabled(enabled);
}

void QtWindowSurface::StartTimer(int intervalMs) {
  if (window_)
    window_->Timer1->start(intervalMs);
}

void QtWindowSurface::StopTimer() {
  if (window_)
    window_->Timer1->stop();
}

void QtWindowSurface::SetTopmost(bool topmost) {
  if (window_)
    window_->SetTopmost(topmost);
}

void QtWindowSurface::SetColumnVisible(int column, bool visible) {
  if (window_)
    window_->VTS->setColumnHidden(column, !visible);
}

void QtWindowSurface::ViewChanged() {
  if (window_)
    window_->VTS->SyncFromModel();
}

void QtWindowSurface::FocusView() {
  if (window_)
    window_->VTS->setFocus();
}

void QtWindowSurface::ShowMessage(const std::string& text) {
  RunBox(window_, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtWindowSurface::AskYesNo(const std::string& text, MessageIcon icon, bool defaultNo) {
  return RunBox(window_, BoxIcon(icon), text, QMessageBox::Yes | QMessageBox::No,
                defaultNo ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

void QtWindowSurface::ShowError(const std::string& text) {
  RunBox(window_, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

std::unique_ptr<IProcInfoSurface> QtWindowSurface::CreateProcInfoSurface(TFormProcInfo& dialog) {
  return std::make_unique<ProcInfoDialog>(dialog, largeImages_, window_);
}

void QtWindowSurface::PostToGuiThread(std::function<void()> task) {
  // The application object lives on the GUI thread and outlives every window; without it no
  // loop would ever run the task.
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr)
    return;
  QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
}

}  // namespace halvane
