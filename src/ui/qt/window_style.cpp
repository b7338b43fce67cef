#include "ui/qt/window_style.h"

#include <QStringList>

namespace halvane {

QFont WindowFont(int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(QStringList{"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans",
                               "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace halvane
