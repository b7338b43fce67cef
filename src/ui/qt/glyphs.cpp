#include "ui/qt/glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "ui/qt/window_style.h"

namespace halvane {

namespace {

constexpr int kGlyphSize = 16;

QPixmap TransparentPixmap(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
}

}  // namespace

QPixmap QuestionMarkGlyph() {
  QPixmap pixmap = TransparentPixmap(kGlyphSize, kGlyphSize);
  QPainter painter(&pixmap);
  Smooth(painter);
  QRadialGradient fill(QPointF(6, 5), 10);
  fill.setColorAt(0, QColor(110, 170, 255));
  fill.setColorAt(1, QColor(20, 80, 200));
  painter.setPen(QPen(QColor(15, 60, 160), 1));
  painter.setBrush(fill);
  painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QPainterPath hook;
  hook.moveTo(5.3, 6.0);
  hook.cubicTo(5.3, 2.6, 10.7, 2.6, 10.7, 5.8);
  hook.cubicTo(10.7, 7.8, 8.0, 7.8, 8.0, 10.0);
  painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(hook);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(6.8, 11.3, 2.4, 2.4));
  return pixmap;
}

QPixmap DownArrowGlyph() {
  QPixmap pixmap = TransparentPixmap(kGlyphSize, kGlyphSize);
  QPainter painter(&pixmap);
  Smooth(painter);
  QPolygonF arrow{{5.5, 0.5},  {10.5, 0.5}, {10.5, 6.5}, {14.5, 6.5},
                  {8.0, 13.0}, {1.5, 6.5},  {5.5, 6.5}};
  QLinearGradient fill(0, 0, 16, 0);
  fill.setColorAt(0, QColor(90, 200, 90));
  fill.setColorAt(1, QColor(20, 130, 30));
  painter.setPen(QPen(QColor(15, 100, 25), 1));
  painter.setBrush(fill);
  painter.drawPolygon(arrow);
  painter.setPen(QPen(QColor(60, 60, 60), 1.5));
  painter.drawLine(QPointF(2, 15), QPointF(14, 15));
  return pixmap;
}

QPixmap GlobeGlyph() {
  QPixmap pixmap = TransparentPixmap(kGlyphSize, kGlyphSize);
  QPainter painter(&pixmap);
  Smooth(painter);
  const QRectF ball(0.5, 0.5, 15, 15);
  QRadialGradient sea(QPointF(5, 5), 11);
  sea.setColorAt(0, QColor(150, 210, 255));
  sea.setColorAt(1, QColor(30, 110, 210));
  painter.setPen(Qt::NoPen);
  painter.setBrush(sea);
  painter.drawEllipse(ball);
  // Two patches of land.
  painter.setBrush(QColor(60, 170, 70));
  painter.drawEllipse(QRectF(3, 3.5, 5, 4));
  painter.drawEllipse(QRectF(8.5, 8.5, 4.5, 4));
  // Meridians and parallels.
  painter.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(4.5, 0.5, 7, 15));
  painter.drawLine(QPointF(8, 0.5), QPointF(8, 15.5));
  painter.drawLine(QPointF(0.5, 8), QPointF(15.5, 8));
  painter.drawLine(QPointF(2, 4.3), QPointF(14, 4.3));
  painter.drawLine(QPointF(2, 11.7), QPointF(14, 11.7));
  painter.setPen(QPen(QColor(20, 70, 160), 1));
  painter.drawEllipse(ball);
  return pixmap;
}

QPixmap CircularArrowGlyph() {
  QPixmap pixmap = TransparentPixmap(kGlyphSize, kGlyphSize);
  QPainter painter(&pixmap);
  Smooth(painter);
  const QColor green(30, 150, 40);
  painter.setPen(QPen(green, 2.4, Qt::SolidLine, Qt::FlatCap));
  painter.setBrush(Qt::NoBrush);
  // Angles in 1/16 degree, counter-clockwise from three o'clock: an open ring.
  painter.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 290 * 16);
  // The arrow head at the ring's open end, pointing on around the ring.
  painter.setPen(Qt::NoPen);
  painter.setBrush(green);
  painter.drawPolygon(QPolygonF{{7.0, 0.0}, {7.0, 6.6}, {11.5, 3.3}});
  return pixmap;
}

QPixmap StopPlateGlyph() {
  QPixmap pixmap = TransparentPixmap(kGlyphSize, kGlyphSize);
  QPainter painter(&pixmap);
  Smooth(painter);
  const QPolygonF octagon{{5, 0.5},   {11, 0.5}, {15.5, 5}, {15.5, 11},
                          {11, 15.5}, {5, 15.5}, {0.5, 11}, {0.5, 5}};
  QLinearGradient fill(0, 0, 0, 16);
  fill.setColorAt(0, QColor(250, 90, 80));
  fill.setColorAt(1, QColor(190, 20, 20));
  painter.setPen(QPen(QColor(140, 10, 10), 1));
  painter.setBrush(fill);
  painter.drawPolygon(octagon);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(3.5, 6.8, 9, 2.4));
  return pixmap;
}

QPixmap GreyForm(const QPixmap& glyph) {
  QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor color = image.pixelColor(x, y);
      // A light grey of the same brightness, a little faded.
      const int level = 110 + qGray(color.rgb()) / 2;
      image.setPixelColor(x, y, QColor(level, level, level, color.alpha() * 3 / 4));
    }
  }
  return QPixmap::fromImage(image);
}

QPixmap ManagePicture() {
  QPixmap pixmap(19, 18);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  // The window: frame, orange title bar, white client area.
  painter.setPen(QColor(90, 90, 90));
  painter.setBrush(Qt::white);
  painter.drawRect(1, 2, 13, 11);
  painter.fillRect(2, 3, 12, 3, QColor(255, 140, 0));
  painter.fillRect(11, 4, 2, 1, Qt::white);
  painter.setPen(QColor(190, 190, 190));
  painter.drawLine(4, 8, 10, 8);
  painter.drawLine(4, 10, 8, 10);
  // The green plus, bottom right, with a white rim over the window.
  painter.fillRect(12, 8, 5, 9, Qt::white);
  painter.fillRect(10, 10, 9, 5, Qt::white);
  const QColor green(20, 160, 40);
  painter.fillRect(13, 9, 3, 7, green);
  painter.fillRect(11, 11, 7, 3, green);
  return pixmap;
}

QPixmap ProgramIconPicture() {
  QPixmap pixmap = TransparentPixmap(32, 32);
  QPainter painter(&pixmap);
  // A monitor with two linked nodes on it, in a few plain colours.
  painter.setPen(QColor(0, 0, 128));
  painter.setBrush(QColor(192, 192, 192));
  painter.drawRect(2, 3, 27, 20);
  painter.fillRect(5, 6, 22, 14, QColor(0, 0, 128));
  painter.fillRect(12, 23, 8, 3, QColor(128, 128, 128));
  painter.fillRect(7, 26, 18, 3, QColor(192, 192, 192));
  painter.setPen(QPen(QColor(0, 255, 0), 2));
  painter.drawLine(10, 15, 22, 10);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 0));
  painter.drawEllipse(7, 12, 6, 6);
  painter.setBrush(QColor(255, 0, 0));
  painter.drawEllipse(19, 7, 6, 6);
  return pixmap;
}

QPixmap GenericProgramPicture(int size) {
  QPixmap pixmap = TransparentPixmap(size, size);
  QPainter painter(&pixmap);
  painter.scale(size / 16.0, size / 16.0);
  painter.setPen(QColor(70, 90, 130));
  painter.setBrush(Qt::white);
  painter.drawRect(1, 2, 13, 11);
  painter.fillRect(2, 3, 12, 3, QColor(60, 110, 200));
  painter.fillRect(3, 8, 6, 1, QColor(160, 160, 160));
  painter.fillRect(3, 10, 9, 1, QColor(160, 160, 160));
  return pixmap;
}

}  // namespace halvane
