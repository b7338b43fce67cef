#include "ui/qt/glyph_button.h"

#include <QPainter>

#include "ui/qt/glyphs.h"
#include "ui/qt/window_style.h"

namespace halvane {

namespace {
constexpr int kGlyphTextGap = 4;
}

GlyphButton::GlyphButton(const QString& caption, const QPixmap& glyph, QWidget* parent)
    : QAbstractButton(parent),
      glyph_(glyph),
      disabledGlyph_(glyph.isNull() ? QPixmap() : GreyForm(glyph)),
      colours_{kButtonFace, kButtonHighlight, kButtonHotTrack} {
  setText(caption);
  setFont(WindowFont());
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
}

QSize GlyphButton::sizeHint() const {
  const int textWidth = fontMetrics().horizontalAdvance(text());
  return {GlyphSpace() + textWidth + 16, 26};
}

void GlyphButton::SetColours(const ButtonColours& colours) {
  colours_ = colours;
  update();
}

int GlyphButton::GlyphSpace() const {
  return glyph_.isNull() ? 0 : glyph_.width() + kGlyphTextGap;
}

void GlyphButton::enterEvent(QEnterEvent* event) {
  hot_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void GlyphButton::leaveEvent(QEvent* event) {
  hot_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

QColor GlyphButton::FrameColor() const {
  if (!isEnabled())
    return {190, 190, 190};
  if (isDown() || hasFocus())
    return colours_.highlight;
  if (hot_)
    return colours_.hotTrack;
  return {160, 160, 160};
}

QColor GlyphButton::FaceColor() const {
  if (isEnabled() && isDown())
    return colours_.face.darker(108);
  if (isEnabled() && hot_)
    return QColor(255, 244, 214);  // a light shade of the hot-track colour
  return colours_.face;
}

void GlyphButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(FrameColor(), hot_ && isEnabled() && !isDown() ? 1.6 : 1.0));
  painter.setBrush(FaceColor());
  painter.drawRoundedRect(face, 3, 3);

  const int textWidth = fontMetrics().horizontalAdvance(text());
  const int contentWidth = GlyphSpace() + textWidth;
  const int shift = isDown() ? 1 : 0;
  const int left = (width() - contentWidth) / 2 + shift;
  if (!glyph_.isNull()) {
    const int glyphTop = (height() - glyph_.height()) / 2 + shift;
    painter.drawPixmap(left, glyphTop, isEnabled() ? glyph_ : disabledGlyph_);
  }
  painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(150, 150, 150));
  const QRect textRect(left + GlyphSpace(), shift, textWidth + 1, height());
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text());
}

}  // namespace halvane
