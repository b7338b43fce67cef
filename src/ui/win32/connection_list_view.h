#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/form_netrova.h"
#include "platform/windows/shell_icons.h"
#include "ui/win32/column_map.h"
#include "ui/win32/dpi_scale.h"
#include "ui/win32/pm_tree_menu.h"
#include "ui/win32/row_painter.h"
#include "ui/win32/window_fonts.h"
#include "view/incremental_search.h"

namespace halvane {

// VTS: the connection list, an owner-data list view. It holds no texts: it asks the form for
// every cell (LVN_GETDISPINFO and its own painting), draws each row itself, and hands the
// user's clicks, menu requests and typed characters to the form's handlers.
class ConnectionListView {
 public:
  static constexpr int kRowHeight = 22;
  static constexpr int kHeaderHeight = 20;

  ConnectionListView(TFormNetrova& form, const SystemImageListStore& smallImages, PmTreeMenu& menu,
                     const WindowFonts& fonts, const DpiScale& scale);
  ~ConnectionListView();
  ConnectionListView(const ConnectionListView&) = delete;
  ConnectionListView& operator=(const ConnectionListView&) = delete;

  HWND Create(HWND parent, int controlId);
  HWND Handle() const { return list_; }

  // The model's rows, order, selection or focus changed: show them.
  void SyncFromModel();
  void SetColumnVisible(int column, bool visible);
  int ShownColumn(int position) const { return columns_.ColumnAt(position); }

  // WM_NOTIFY from the list view, sent to its parent. Sets `handled` when it answered.
  LRESULT OnNotify(NMHDR* header, bool& handled);
  // WM_CONTEXTMENU from the menu key (a mouse menu opens on the right button's release).
  void OnContextMenu(LPARAM position);

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK HeaderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
  LRESULT OnListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OnHeaderMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  void InsertColumn(int position, int column);
  void SetRowHeight(int height);
  void ShowSortGlyph();
  ListRow* RowAt(int index) const;
  int ColumnAtClientX(int x) const;
  int HeaderItemAt(POINT headerPoint, bool& onDivider) const;
  void TakeSelectionFromControl();
  void ShowMenuIfAsked(bool show, POINT screen);
  LRESULT PaintRow(NMLVCUSTOMDRAW* draw);
  void FillDisplayInfo(NMLVDISPINFOW* info);
  void FillInfoTip(NMLVGETINFOTIPW* tip);
  void LeftClickInRows();
  void CharTyped(wchar_t unit);

  TFormNetrova& form_;
  const SystemImageListStore& smallImages_;
  PmTreeMenu& menu_;
  const WindowFonts& fonts_;
  DpiScale scale_;
  SIZE pictureSize_;
  HBITMAP managePicture_;
  RowPainter painter_;
  HWND list_ = nullptr;
  HWND header_ = nullptr;
  HIMAGELIST rowHeightImages_ = nullptr;
  ColumnMap columns_;
  IncrementalSearch search_;
  int focusColumn_ = -1;      // none until the user first clicks into the rows
  int leftPressColumn_ = -1;  // the column under the last left press in the rows area
  int headerPressItem_ = -1;  // the caption under the last left press on the header
  wchar_t highSurrogate_ = 0;
  bool syncing_ = false;
};

}  // namespace halvane
