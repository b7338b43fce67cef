#pragma once
#include <QAction>
#include <QMenu>

#include "view/row_menu.h"

namespace halvane {

// PmTree, the per-row menu: its seven items in order. The row commands attach to the five
// command items; the enabled state of four of them follows the last menu preparation.
class PmTreeMenu : public QMenu {
  Q_OBJECT
 public:
  explicit PmTreeMenu(QWidget* parent = nullptr);

  void ApplyState(const RowMenuState& state);
  // Applies the state and pops up at a screen position, without waiting for a choice.
  void PopUp(const RowMenuState& state, const QPoint& screenPosition);

  QAction* NProcInfo;
  QAction* N1;
  QAction* NEndProc;
  QAction* N3;
  QAction* NCopy;
  QAction* NLocate;
  QAction* NProperty;
};

}  // namespace halvane
