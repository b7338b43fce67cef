#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include "app/window_surface.h"
#include "ui/qt/glyph_button.h"

namespace halvane {

// PBottom: the four option boxes and the two command buttons at fixed places from the left,
// then the mail link beyond the initial width.
class BottomPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 28;
  static constexpr const char* kMailAddress = "mailto:support@halvane.example";
  explicit BottomPanel(QWidget* parent = nullptr);

  QCheckBox* Box(OptionBox box) const;

  QCheckBox* CBShowLocal;
  QCheckBox* CBAutoRefresh;
  QCheckBox* CBAlwaysTop;
  GlyphButton* BTNRefresh;
  GlyphButton* BTNEndPro;
  QCheckBox* CBShowInfo;
  QLabel* LabEmail;
  QLabel* LabMailLink;
};

}  // namespace halvane
