#pragma once
#include <QAbstractButton>
#include <QPixmap>

namespace halvane {

// A push button with a 16 x 16 glyph before its caption: a flat face, a hot-track frame while
// the pointer is over it, the highlight colour while pressed or focused, and the glyph's grey
// form while disabled.
class GlyphButton : public QAbstractButton {
  Q_OBJECT
 public:
  GlyphButton(const QString& caption, const QPixmap& glyph, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor FrameColor() const;
  QColor FaceColor() const;

  QPixmap glyph_;
  QPixmap disabledGlyph_;
  bool hot_ = false;
};

}  // namespace halvane
