#pragma once
#include <QPixmap>
#include <QStyledItemDelegate>
#include <functional>

namespace halvane {

// Paints one cell of VTS: white, or the selection green over the whole row whether or not the
// view has the focus; the process icon before the text of column 1; the manage picture in
// column 9; the grid lines on the right and bottom edges; the hot row's text underlined.
class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  static constexpr int kTextPadding = 4;
  static constexpr int kIconGap = 2;

  CellDelegate(std::function<int()> hotRow, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The width the cell's text gets, for the tooltip of texts that do not fit.
  static int TextWidthInCell(const QModelIndex& index, int cellWidth);

 private:
  QPixmap managePicture_;
  std::function<int()> hotRow_;
};

}  // namespace halvane
