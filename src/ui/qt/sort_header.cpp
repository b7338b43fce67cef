#include "ui/qt/sort_header.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/window_style.h"

namespace halvane {

namespace {
constexpr int kCaptionPadding = 4;
constexpr int kGlyphWidth = 8;
}  // namespace

SortHeader::SortHeader(const ConnectionViewModel& view, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), view_(view) {
  setFixedHeight(kHeight);
  setSectionsClickable(true);
  setSectionsMovable(false);
  setSortIndicatorShown(false);
  setHighlightSections(false);
  setStretchLastSection(false);
  setMouseTracking(true);
  setFont(WindowFont(kHeaderFontPixels));
  // White also right of the last caption.
  QPalette colours = palette();
  colours.setColor(QPalette::Button, Qt::white);
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  // Qt reports a press on a caption here, and not when the press grabs a divider.
  connect(this, &QHeaderView::sectionPressed, this,
          [this](int section) { pressedSection_ = section; });
}

void SortHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  painter->save();
  painter->fillRect(rect, Qt::white);
  painter->setPen(kHeaderLineColor);
  painter->drawLine(rect.topRight(), rect.bottomRight());
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());

  const bool sorted = logicalIndex == view_.SortColumn();
  QRect captionRect = rect.adjusted(kCaptionPadding, 0, -kCaptionPadding, -1);
  if (sorted)
    captionRect.setRight(captionRect.right() - kGlyphWidth - kCaptionPadding);
  const QString caption =
      model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
  const int alignment =
      model() ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole).toInt()
              : int(Qt::AlignLeft | Qt::AlignVCenter);
  painter->setFont(font());
  painter->setPen(logicalIndex == hotSection_ ? kHeaderHotColor : QColor(Qt::black));
  painter->drawText(
      captionRect, alignment,
      painter->fontMetrics().elidedText(caption, Qt::ElideRight, captionRect.width()));
  if (sorted)
    PaintSortGlyph(painter, rect);
  painter->restore();
}

// A small triangle at the right end of the caption: pointing up ascending, down descending.
void SortHeader::PaintSortGlyph(QPainter* painter, const QRect& rect) const {
  const double right = rect.right() - kCaptionPadding;
  const double left = right - kGlyphWidth;
  const double middle = rect.center().y() + 0.5;
  QPolygonF triangle;
  if (view_.Direction() == SortDirection::Ascending)
    triangle << QPointF(left, middle + 2) << QPointF(right, middle + 2)
             << QPointF((left + right) / 2, middle - 2);
  else
    triangle << QPointF(left, middle - 2) << QPointF(right, middle - 2)
             << QPointF((left + right) / 2, middle + 2);
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setPen(Qt::NoPen);
  painter->setBrush(QColor(110, 110, 110));
  painter->drawPolygon(triangle);
}

void SortHeader::paintEvent(QPaintEvent* event) {
  QHeaderView::paintEvent(event);
  // The header stays white right of the last caption, where the style would paint its own.
  const int end = length() - offset();
  const QRect empty(end, 0, viewport()->width() - end, viewport()->height());
  if (empty.width() <= 0)
    return;
  QPainter painter(viewport());
  painter.fillRect(empty, Qt::white);
  painter.setPen(kHeaderLineColor);
  painter.drawLine(empty.bottomLeft(), empty.bottomRight());
}

void SortHeader::mousePressEvent(QMouseEvent* event) {
  pressedSection_ = -1;
  QHeaderView::mousePressEvent(event);
}

void SortHeader::mouseReleaseEvent(QMouseEvent* event) {
  QHeaderView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || pressedSection_ < 0)
    return;
  const QPoint at = event->position().toPoint();
  const int released = rect().contains(at) ? logicalIndexAt(at.x()) : -1;
  const int clicked = released == pressedSection_ ? released : -1;
  pressedSection_ = -1;
  emit CaptionClicked(clicked);
}

void SortHeader::mouseMoveEvent(QMouseEvent* event) {
  SetHotSection(logicalIndexAt(event->position().toPoint().x()));
  QHeaderView::mouseMoveEvent(event);
}

void SortHeader::leaveEvent(QEvent* event) {
  SetHotSection(-1);
  QHeaderView::leaveEvent(event);
}

void SortHeader::SetHotSection(int section) {
  if (section == hotSection_)
    return;
  hotSection_ = section;
  viewport()->update();
}

}  // namespace halvane
