#pragma once
#include <QLabel>
#include <QWidget>

#include "ui/qt/glyph_button.h"

namespace halvane {

// PTop: the counter sentence packed from the left and the three link buttons at the right.
class TopPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 34;
  explicit TopPanel(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* LabAppCount;
  QLabel* Label3;
  QLabel* LabNetCount;
  QLabel* Label5;
  GlyphButton* BTNHelp;
  GlyphButton* BTNUpdate;
  GlyphButton* BTNHomePage;
};

}  // namespace halvane
