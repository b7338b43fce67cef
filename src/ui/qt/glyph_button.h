#pragma once
#include <QAbstractButton>
#include <QPixmap>

namespace halvane {

// The colours of a styled button: its face, the highlight while pressed or focused, and the
// hot-track frame while the pointer is over it.
struct ButtonColours {
  QColor face;
  QColor highlight;
  QColor hotTrack;
};

// A push button with a 16 x 16 glyph before its caption: a flat face, a hot-track frame while
// the pointer is over it, the highlight colour while pressed or focused, and the glyph's grey
// form while disabled.
class GlyphButton : public QAbstractButton {
  Q_OBJECT
 public:
  // A null glyph gives a caption-only button.
  GlyphButton(const QString& caption, const QPixmap& glyph, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  void SetColours(const ButtonColours& colours);
  const ButtonColours& Colours() const { return colours_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor FrameColor() const;
  QColor FaceColor() const;
  int GlyphSpace() const;

  QPixmap glyph_;
  QPixmap disabledGlyph_;
  bool hot_ = false;
  ButtonColours colours_;
};

}  // namespace halvane
