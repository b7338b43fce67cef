#include "ui/qt/top_panel.h"

#include <QHBoxLayout>

#include "ui/qt/glyphs.h"
#include "ui/qt/window_style.h"

namespace halvane {

namespace {

constexpr int kSentenceLeft = 8;

// A label exactly as wide as its text, so the sentence has no gaps.
QLabel* SentenceLabel(const QString& text, QWidget* parent, bool bold = false,
                      const QColor& color = QColor()) {
  auto* label = new QLabel(text, parent);
  label->setFont(WindowFont(kWindowFontPixels, bold));
  label->setContentsMargins(0, 0, 0, 0);
  label->setMargin(0);
  label->setIndent(0);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  if (color.isValid()) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
  }
  return label;
}

GlyphButton* LinkButton(const QString& caption, const QPixmap& glyph, int width, QWidget* parent) {
  auto* button = new GlyphButton(caption, glyph, parent);
  button->setFixedSize(width, 32);
  return button;
}

}  // namespace

TopPanel::TopPanel(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kHeight);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, kPanelColor);
  setPalette(background);

  Label1 = SentenceLabel(QStringLiteral("当前有"), this);
  LabAppCount = SentenceLabel(QStringLiteral("0"), this, true, Qt::red);
  Label3 = SentenceLabel(QStringLiteral("个程序已连接或尝试连接网络，共建立"), this);
  LabNetCount = SentenceLabel(QStringLiteral("0"), this, true, Qt::blue);
  Label5 = SentenceLabel(QStringLiteral("个连接。"), this);
  BTNHelp = LinkButton(QStringLiteral("帮助"), QuestionMarkGlyph(), 74, this);
  BTNUpdate = LinkButton(QStringLiteral("更新"), DownArrowGlyph(), 86, this);
  BTNHomePage = LinkButton(QStringLiteral("主页"), GlobeGlyph(), 86, this);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(kSentenceLeft, 1, 0, 1);
  layout->setSpacing(0);
  for (QLabel* label : {Label1, LabAppCount, Label3, LabNetCount, Label5})
    layout->addWidget(label, 0, Qt::AlignVCenter);
  layout->addStretch(1);
  for (GlyphButton* button : {BTNHelp, BTNUpdate, BTNHomePage})
    layout->addWidget(button, 0, Qt::AlignVCenter);
}

}  // namespace halvane
