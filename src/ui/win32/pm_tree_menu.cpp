#include "ui/win32/pm_tree_menu.h"

namespace halvane {

PmTreeMenu::PmTreeMenu() : menu_(CreatePopupMenu()) {
  AppendMenuW(menu_, MF_STRING, NProcInfo, L"进程信息");
  AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);  // N1
  AppendMenuW(menu_, MF_STRING, NEndProc, L"结束进程(&E)");
  AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);  // N3
  AppendMenuW(menu_, MF_STRING, NCopy, L"拷贝到剪贴板");
  AppendMenuW(menu_, MF_STRING, NLocate, L"定位文件");
  AppendMenuW(menu_, MF_STRING, NProperty, L"属性(&R)");
}

PmTreeMenu::~PmTreeMenu() {
  DestroyMenu(menu_);
}

void PmTreeMenu::ApplyState(const RowMenuState& state) {
  const auto set = [this](UINT item, bool enabled) {
    EnableMenuItem(menu_, item, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  set(NProcInfo, state.NProcInfo);
  set(NEndProc, state.NEndProc);
  set(NCopy, state.NCopy);
  set(NLocate, state.NLocate);
  set(NProperty, state.NProperty);
}

void PmTreeMenu::PopUp(const RowMenuState& state, POINT screen, HWND owner) {
  ApplyState(state);
  // The owner must be in the foreground for the menu to close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenuEx(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, owner,
                   nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

bool PmTreeMenu::Enabled(ItemId item) const {
  const UINT state = GetMenuState(menu_, item, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace halvane
