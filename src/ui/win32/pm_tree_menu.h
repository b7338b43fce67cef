#pragma once
#include <windows.h>

#include "view/row_menu.h"

namespace halvane {

// PmTree, the per-row menu: its seven items in order. The enabled state of four of them follows
// the last menu preparation; a chosen item reaches the owner window as WM_COMMAND with its ID.
class PmTreeMenu {
 public:
  enum ItemId : UINT {
    NProcInfo = 40001,
    NEndProc = 40002,
    NCopy = 40003,
    NLocate = 40004,
    NProperty = 40005,
  };

  PmTreeMenu();
  ~PmTreeMenu();
  PmTreeMenu(const PmTreeMenu&) = delete;
  PmTreeMenu& operator=(const PmTreeMenu&) = delete;

  void ApplyState(const RowMenuState& state);
  // Applies the state and shows the menu at a screen position until the user chooses or leaves.
  void PopUp(const RowMenuState& state, POINT screen, HWND owner);
  bool Enabled(ItemId item) const;
  HMENU Handle() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace halvane
