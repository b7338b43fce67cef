#pragma once
#include <QHeaderView>

#include "view/connection_view_model.h"

namespace halvane {

// The header of VTS: 20 pixels, white, the caption under the pointer in the hot colour and the
// sort glyph on the view's sort column. Qt's own sorting stays off; a caption click is
// reported as the column pressed and released on, or -1 when those differ.
class SortHeader : public QHeaderView {
  Q_OBJECT
 public:
  static constexpr int kHeight = 20;
  SortHeader(const ConnectionViewModel& view, QWidget* parent = nullptr);

  int HotSection() const { return hotSection_; }

 signals:
  void CaptionClicked(int column);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void SetHotSection(int section);
  void PaintSortGlyph(QPainter* painter, const QRect& rect) const;

  const ConnectionViewModel& view_;
  int pressedSection_ = -1;
  int hotSection_ = -1;
};

}  // namespace halvane
