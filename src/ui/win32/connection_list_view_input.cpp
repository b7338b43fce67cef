// The connection view's input: clicks in the rows and on the header, the menu key, and typed
// characters for the incremental search.
#include "ui/win32/connection_list_view.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/windows/wide_text.h"
#include "view/columns.h"

namespace halvane {
namespace {

constexpr int kMenuKeyOffset = 8;  // where the menu key's menu opens below the focused row

}  // namespace

void ConnectionListView::LeftClickInRows() {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(list_, &at);
  const int pressed = leftPressColumn_;
  leftPressColumn_ = ConnectionViewModel::kNoColumn;
  if (pressed < 0 || ColumnAtClientX(at.x) != pressed)
    return;
  bool show = false;
  form_.HandleEvent([&] { show = form_.VTSColumnClick(pressed); });
  POINT screen{};
  GetCursorPos(&screen);
  ShowMenuIfAsked(show, screen);
}

void ConnectionListView::OnContextMenu(LPARAM position) {
  ListRow* focused = form_.VTS().FocusedRow();
  bool show = false;
  form_.HandleEvent([&] { show = form_.VTSGetPopupMenu(focused); });
  if (!show || focused == nullptr)
    return;
  POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (screen.x == -1 && screen.y == -1) {
    RECT row{};
    ListView_GetItemRect(list_, static_cast<int>(focused->index), &row, LVIR_BOUNDS);
    screen = POINT{row.left + scale_(kMenuKeyOffset), row.bottom};
    ClientToScreen(list_, &screen);
  }
  ShowMenuIfAsked(show, screen);
}

// ---- Typed characters: the view's incremental search

void ConnectionListView::CharTyped(wchar_t unit) {
  std::wstring typed;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    highSurrogate_ = unit;  // the rest of the character comes with the next message
    return;
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_ != 0)
    typed.push_back(highSurrogate_);
  highSurrogate_ = 0;
  typed.push_back(unit);
  const IncrementalSearch::Result result =
      search_.KeyTyped(form_.VTS(), WideToUtf8(typed), static_cast<std::int64_t>(GetTickCount64()),
                       focusColumn_, form_.TextNotEnabled());
  if (result == IncrementalSearch::Result::NotFound) {
    MessageBeep(MB_OK);
    return;
  }
  SyncFromModel();
  if (const ListRow* focused = form_.VTS().FocusedRow())
    ListView_EnsureVisible(list_, static_cast<int>(focused->index), FALSE);
}

// ---- Subclassed messages

LRESULT CALLBACK ConnectionListView::ListProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  bool handled = false;
  const LRESULT result = reinterpret_cast<ConnectionListView*>(self)->OnListMessage(
      window, message, wParam, lParam, handled);
  return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ConnectionListView::HeaderProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  bool handled = false;
  const LRESULT result = reinterpret_cast<ConnectionListView*>(self)->OnHeaderMessage(
      window, message, wParam, lParam, handled);
  return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

LRESULT ConnectionListView::OnListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          bool& handled) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      LVHITTESTINFO hit{};
      hit.pt = at;
      if (ListView_HitTest(window, &hit) >= 0)
        focusColumn_ = 0;  // the search goes by the tree column once the rows were clicked
      if (message == WM_LBUTTONDOWN)
        leftPressColumn_ = ColumnAtClientX(at.x);
      return 0;
    }
    case WM_CHAR:
      if (wParam >= 0x20 && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        handled = true;
        CharTyped(static_cast<wchar_t>(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lParam);
      if (note->hwndFrom != header_)
        return 0;
      const auto* item = reinterpret_cast<const NMHEADERW*>(lParam);
      const bool fixed =
          ViewColumns()[static_cast<std::size_t>(std::max(0, columns_.ColumnAt(item->iItem)))]
              .fixedWidth;
      if ((note->code == HDN_BEGINTRACKW || note->code == HDN_DIVIDERDBLCLICKW) && fixed) {
        handled = true;
        return TRUE;  // the manage column keeps its width
      }
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT ConnectionListView::OnHeaderMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            bool& handled) {
  switch (message) {
    case HDM_LAYOUT: {
      handled = true;
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
      const int height = scale_(kHeaderHeight);
      layout->pwpos->cy = height;
      layout->prc->top = layout->pwpos->y + height;
      return result;
    }
    case WM_LBUTTONDOWN: {
      bool onDivider = false;
      headerPressItem_ = HeaderItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, onDivider);
      if (onDivider)
        headerPressItem_ = -1;
      return 0;
    }
    case WM_LBUTTONUP: {
      // Pressed on one caption and released over another: a click on no column.
      bool onDivider = false;
      const int released =
          HeaderItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, onDivider);
      const int pressed = headerPressItem_;
      headerPressItem_ = -1;
      if (pressed >= 0 && released != pressed && GetCapture() == window) {
        handled = true;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        form_.HandleEvent([&] { form_.VTSHeaderClick(ConnectionViewModel::kNoColumn); });
        SyncFromModel();
        return result;
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace halvane
