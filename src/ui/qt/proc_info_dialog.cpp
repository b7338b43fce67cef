#include "ui/qt/proc_info_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/window_style.h"

namespace halvane {

namespace {

constexpr int kPictureSize = 32;

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

void Colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// A label as wide and high as its text at (left, top).
QLabel* TextLabel(QWidget* parent, int left, int top, bool bold = false) {
  auto* label = new QLabel(parent);
  label->setFont(WindowFont(kWindowFontPixels, bold));
  label->setMargin(0);
  label->setIndent(0);
  label->move(left, top);
  return label;
}

QFrame* Line(QWidget* parent, int left, int top, int width, const QColor& colour) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::NoFrame);
  line->setGeometry(left, top, width, 1);
  line->setAutoFillBackground(true);
  Colour(line, QPalette::Window, colour);
  return line;
}

}  // namespace

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  QFont font = WindowFont();
  font.setUnderline(true);
  setFont(font);
  Colour(this, QPalette::WindowText, Qt::blue);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
    onClick();
}

ProcInfoDialog::ProcInfoDialog(TFormProcInfo& form, const PixmapImageStore* largeImages,
                               QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      form_(form),
      largeImages_(largeImages),
      picture_(kPictureSize, kPictureSize) {
  setWindowTitle(QString::fromUtf8(TFormProcInfo::kCaption));
  setFont(WindowFont());
  setFixedSize(TFormProcInfo::kClientWidth, TFormProcInfo::kClientHeight);
  setModal(true);
  picture_.fill(Qt::transparent);
  BuildControls();
  setTabOrder(BTNOK, EPath);
  BTNOK->setFocus();
}

void ProcInfoDialog::BuildControls() {
  Panel1 = new QWidget(this);
  Panel1->setGeometry(0, 0, TFormProcInfo::kClientWidth, TFormProcInfo::kClientHeight);
  Panel1->setAutoFillBackground(true);
  Colour(Panel1, QPalette::Window, kPanelColour);

  Image1 = new QLabel(Panel1);
  Image1->setGeometry(16, 16, kPictureSize, kPictureSize);
  Image1->setPixmap(picture_);

  LabExe = TextLabel(Panel1, 80, 16, /*bold=*/true);
  LabExeDes = TextLabel(Panel1, 80, 45);
  LabExeDes->setEnabled(false);  // drawn greyed
  LabPID = TextLabel(Panel1, 80, 69);
  Labcomp = TextLabel(Panel1, 80, 91);

  Shape1 = Line(Panel1, 8, 114, 409, kLineColour);
  Label5 = TextLabel(Panel1, 10, 121);
  Label5->setText(QStringLiteral("文件路径: "));
  Label5->resize(54, 14);

  EPath = new QLineEdit(Panel1);
  EPath->setGeometry(8, 140, 409, 20);
  EPath->setFont(WindowFont());
  EPath->setReadOnly(true);
  EPath->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; }")
                           .arg(kPathColour.name(), kLineColour.name()));

  LabLocate = new LinkLabel(QStringLiteral("定位文件"), Panel1);
  LabLocate->setGeometry(12, 179, 48, 14);
  LabLocate->onClick = [this] { form_.HandleEvent([this] { form_.LabLocateClick(); }); };

  Shape2 = Line(Panel1, 8, 198, 409, kLineColour);

  BTNOK = new GlyphButton(QStringLiteral("确定"), QPixmap(), Panel1);
  BTNOK->setGeometry(321, 202, 97, 26);
  BTNOK->SetColours(kOkColours);
  connect(BTNOK, &QAbstractButton::clicked, this,
          [this] { form_.HandleEvent([this] { form_.BTNOKClick(); }); });
}

QLabel* ProcInfoDialog::Label(ProcInfoLabel label) const {
  switch (label) {
    case ProcInfoLabel::LabExe:
      return LabExe;
    case ProcInfoLabel::LabExeDes:
      return LabExeDes;
    case ProcInfoLabel::LabPID:
      return LabPID;
    case ProcInfoLabel::Labcomp:
      break;
  }
  return Labcomp;
}

void ProcInfoDialog::SetLabelCaption(ProcInfoLabel label, const std::string& caption) {
  QLabel* control = Label(label);
  control->setText(ToQString(caption));
  control->adjustSize();  // sized to its text
}

void ProcInfoDialog::SetPathText(const std::string& text) {
  EPath->setText(ToQString(text));
  EPath->setCursorPosition(0);
}

void ProcInfoDialog::DrawLargeIcon(int largeIconIndex, int x, int y) {
  const QPixmap icon = largeImages_ ? largeImages_->Pixmap(largeIconIndex) : QPixmap();
  if (icon.isNull())
    return;
  {
    QPainter painter(&picture_);
    painter.drawPixmap(x, y, icon);
  }
  Image1->setPixmap(picture_);
}

void ProcInfoDialog::ShowModal() {
  exec();
}

void ProcInfoDialog::Close() {
  close();
}

void ProcInfoDialog::closeEvent(QCloseEvent* event) {
  CloseAction action = CloseAction::Hide;
  form_.FormClose(action);
  // Freeing is the owner's part once the modal showing has ended.
  QDialog::closeEvent(event);
}

// Only BTNOK and the frame close the dialog; Enter clicks BTNOK while it has the focus.
void ProcInfoDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && BTNOK->hasFocus()) {
    BTNOK->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace halvane
