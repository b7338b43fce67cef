#include "ui/qt/bottom_panel.h"

#include "ui/qt/glyphs.h"
#include "ui/qt/window_style.h"

namespace halvane {

namespace {

QCheckBox* OptionCheckBox(const QString& caption, OptionBox tag, bool checked, QRect place,
                          QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setFont(WindowFont());
  QPalette palette = box->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  box->setPalette(palette);
  box->setProperty("Tag", static_cast<int>(tag));
  box->setChecked(checked);
  box->setGeometry(place);
  return box;
}

GlyphButton* CommandButton(const QString& caption, const QPixmap& glyph, QRect place,
                           QWidget* parent) {
  auto* button = new GlyphButton(caption, glyph, parent);
  button->setGeometry(place);
  return button;
}

}  // namespace

BottomPanel::BottomPanel(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kHeight);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, kPanelColor);
  setPalette(background);

  CBShowLocal = OptionCheckBox(QStringLiteral("显示本地连接"), OptionBox::ShowLocal, true,
                               {8, 6, 145, 17}, this);
  CBAutoRefresh = OptionCheckBox(QStringLiteral("自动刷新"), OptionBox::AutoRefresh, false,
                                 {157, 6, 124, 17}, this);
  CBAlwaysTop = OptionCheckBox(QStringLiteral("始终保持在其他窗口前端"), OptionBox::AlwaysTop, true,
                               {282, 6, 182, 17}, this);
  BTNRefresh = CommandButton(QStringLiteral("刷新"), CircularArrowGlyph(), {553, 1, 80, 26}, this);
  BTNEndPro = CommandButton(QStringLiteral("结束进程"), StopPlateGlyph(), {633, 1, 110, 26}, this);
  CBShowInfo = OptionCheckBox(QStringLiteral("显示文件详细信息"), OptionBox::ShowInfo, false,
                              {755, 6, 166, 17}, this);

  LabEmail = new QLabel(QStringLiteral("Email:"), this);
  LabEmail->setFont(WindowFont());
  LabEmail->setGeometry(930, 6, 34, 17);
  const QString address = QString::fromLatin1(kMailAddress).mid(7);
  LabMailLink = new QLabel(
      QStringLiteral("<a href=\"%1\">%2</a>").arg(QString::fromLatin1(kMailAddress), address),
      this);
  LabMailLink->setFont(WindowFont());
  LabMailLink->setTextFormat(Qt::RichText);
  LabMailLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  LabMailLink->setOpenExternalLinks(false);
  LabMailLink->setCursor(Qt::PointingHandCursor);
  LabMailLink->setGeometry(966, 6, 180, 17);
}

QCheckBox* BottomPanel::Box(OptionBox box) const {
  switch (box) {
    case OptionBox::ShowLocal:
      return CBShowLocal;
    case OptionBox::AutoRefresh:
      return CBAutoRefresh;
    case OptionBox::AlwaysTop:
      return CBAlwaysTop;
    case OptionBox::ShowInfo:
      return CBShowInfo;
  }
  return nullptr;
}

}  // namespace halvane
