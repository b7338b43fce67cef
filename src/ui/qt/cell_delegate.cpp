#include "ui/qt/cell_delegate.h"

#include <QPainter>

#include "ui/qt/connection_table_model.h"
#include "ui/qt/glyphs.h"
#include "ui/qt/window_style.h"
#include "view/columns.h"

namespace halvane {

namespace {
constexpr QPoint kManagePictureOffset(12, 3);
constexpr int kIconSize = 16;
}  // namespace

CellDelegate::CellDelegate(std::function<int()> hotRow, QObject* parent)
    : QStyledItemDelegate(parent), managePicture_(ManagePicture()), hotRow_(std::move(hotRow)) {}

int CellDelegate::TextWidthInCell(const QModelIndex& index, int cellWidth) {
  int used = 2 * kTextPadding;
  if (index.data(Qt::DecorationRole).isValid())
    used += kIconSize + kIconGap;
  return cellWidth - used;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const QRect cell = option.rect;
  const bool selected = index.data(ConnectionTableModel::SelectedRole).toBool();
  painter->save();
  painter->fillRect(cell, selected ? kSelectionColor : QColor(Qt::white));

  QRect textRect = cell.adjusted(kTextPadding, 0, -kTextPadding, 0);
  const QVariant icon = index.data(Qt::DecorationRole);
  if (icon.isValid()) {
    const QPixmap pixmap = icon.value<QPixmap>();
    painter->drawPixmap(cell.left() + kIconGap, cell.top() + (cell.height() - kIconSize) / 2,
                        kIconSize, kIconSize, pixmap);
    textRect.setLeft(cell.left() + kIconGap + kIconSize + kTextPadding);
  }

  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty()) {
    QFont font = option.font;
    const bool hot = !selected && hotRow_ && hotRow_() == index.row();
    font.setUnderline(hot);
    painter->setFont(font);
    painter->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, textRect.width());
    const int alignment = index.data(Qt::TextAlignmentRole).toInt();
    painter->drawText(textRect, alignment, shown);
  }

  if (index.column() == kManageColumn)
    painter->drawPixmap(cell.topLeft() + kManagePictureOffset, managePicture_);

  painter->setPen(kGridColor);
  painter->drawLine(cell.topRight(), cell.bottomRight());
  painter->drawLine(cell.bottomLeft(), cell.bottomRight());
  painter->restore();
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  int width = QFontMetrics(option.font).horizontalAdvance(text) + 2 * kTextPadding + 1;
  if (index.data(Qt::DecorationRole).isValid())
    width += kIconSize + kIconGap;
  return {width, 22};
}

}  // namespace halvane
