#include "ui/qt/pm_tree_menu.h"

#include "ui/qt/window_style.h"

namespace halvane {

PmTreeMenu::PmTreeMenu(QWidget* parent) : QMenu(parent) {
  setFont(WindowFont());
  NProcInfo = addAction(QStringLiteral("进程信息"));
  N1 = addSeparator();
  NEndProc = addAction(QStringLiteral("结束进程(&E)"));
  N3 = addSeparator();
  NCopy = addAction(QStringLiteral("拷贝到剪贴板"));
  NLocate = addAction(QStringLiteral("定位文件"));
  NProperty = addAction(QStringLiteral("属性(&R)"));
}

void PmTreeMenu::ApplyState(const RowMenuState& state) {
  NProcInfo->setEnabled(state.NProcInfo);
  NEndProc->setEnabled(state.NEndProc);
  NLocate->setEnabled(state.NLocate);
  NProperty->setEnabled(state.NProperty);
}

void PmTreeMenu::PopUp(const RowMenuState& state, const QPoint& screenPosition) {
  ApplyState(state);
  popup(screenPosition);
}

}  // namespace halvane
