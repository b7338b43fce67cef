#include "ui/win32/connection_list_view.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/windows/wide_text.h"
#include "ui/win32/glyphs.h"
#include "view/columns.h"

namespace halvane {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kManagePictureWidth = 19;
constexpr int kManagePictureHeight = 18;
constexpr int kTipMargin = 8;
#ifndef HDF_FIXEDWIDTH
constexpr int HDF_FIXEDWIDTH = 0x0100;
#endif

std::wstring Wide(const std::string& text) {
  return Utf8ToWide(text);
}

}  // namespace

ConnectionListView::ConnectionListView(TFormNetrova& form, const SystemImageListStore& smallImages,
                                       PmTreeMenu& menu, const WindowFonts& fonts,
                                       const DpiScale& scale)
    : form_(form),
      smallImages_(smallImages),
      menu_(menu),
      fonts_(fonts),
      scale_(scale),
      pictureSize_{scale(kManagePictureWidth), scale(kManagePictureHeight)},
      managePicture_(MakeManagePicture(pictureSize_.cx, pictureSize_.cy)),
      painter_(scale, fonts.Normal(), managePicture_, pictureSize_) {}

ConnectionListView::~ConnectionListView() {
  if (list_ != nullptr)
    RemoveWindowSubclass(list_, ListProc, kSubclassId);
  if (header_ != nullptr)
    RemoveWindowSubclass(header_, HeaderProc, kSubclassId);
  if (rowHeightImages_ != nullptr)
    ImageList_Destroy(rowHeightImages_);
  DeleteObject(managePicture_);
}

HWND ConnectionListView::Create(HWND parent, int controlId) {
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"VTS",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                              LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR{controlId}),
                          GetModuleHandleW(nullptr), nullptr);
  if (list_ == nullptr)
    return nullptr;
  ListView_SetExtendedListViewStyle(
      list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
  ListView_SetBkColor(list_, GetSysColor(COLOR_WINDOW));
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), FALSE);
  header_ = ListView_GetHeader(list_);
  SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Header()), FALSE);
  SetWindowSubclass(list_, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(header_, HeaderProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  for (const ColumnInfo& info : ViewColumns()) {
    if (form_.ColumnVisible(info.index))
      InsertColumn(columns_.Show(info.index), info.index);
  }
  SetRowHeight(scale_(kRowHeight));
  ShowSortGlyph();
  return list_;
}

void ConnectionListView::InsertColumn(int position, int column) {
  const ColumnInfo& info = ViewColumns()[static_cast<std::size_t>(column)];
  std::wstring caption = Wide(info.caption);
  LVCOLUMNW item{};
  item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  item.fmt = info.align == ColumnAlign::Center ? LVCFMT_CENTER : LVCFMT_LEFT;
  item.cx = scale_(info.width);
  item.pszText = caption.data();
  item.iSubItem = column;
  ListView_InsertColumn(list_, position, &item);
  if (info.fixedWidth) {
    HDITEMW header{};
    header.mask = HDI_FORMAT;
    Header_GetItem(header_, position, &header);
    header.fmt |= HDF_FIXEDWIDTH;
    Header_SetItem(header_, position, &header);
  }
}

// The list view takes its row height from its small image list: a blank list sets it. The
// padding the control adds differs between versions, so the height is measured and corrected.
void ConnectionListView::SetRowHeight(int height) {
  int imageHeight = height;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (rowHeightImages_ != nullptr)
      ImageList_Destroy(rowHeightImages_);
    rowHeightImages_ = ImageList_Create(1, imageHeight, ILC_COLOR32, 0, 0);
    ListView_SetImageList(list_, rowHeightImages_, LVSIL_SMALL);
    syncing_ = true;
    ListView_SetItemCountEx(list_, 1, LVSICF_NOSCROLL);
    RECT row{};
    ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS);
    ListView_SetItemCountEx(list_, 0, LVSICF_NOSCROLL);
    syncing_ = false;
    const int measured = row.bottom - row.top;
    if (measured == height || measured <= 0)
      return;
    imageHeight += height - measured;
    if (imageHeight < 1)
      return;
  }
}

void ConnectionListView::SetColumnVisible(int column, bool visible) {
  if (list_ == nullptr)
    return;
  if (visible) {
    const int position = columns_.Show(column);
    if (position >= 0)
      InsertColumn(position, column);
  } else {
    const int position = columns_.Hide(column);
    if (position >= 0)
      ListView_DeleteColumn(list_, position);
  }
  ShowSortGlyph();
  InvalidateRect(list_, nullptr, FALSE);
}

void ConnectionListView::ShowSortGlyph() {
  const ConnectionViewModel& vts = form_.VTS();
  for (int position = 0; position < columns_.Count(); ++position) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header_, position, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (columns_.ColumnAt(position) == vts.SortColumn())
      item.fmt |= vts.Direction() == SortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header_, position, &item);
  }
}

ListRow* ConnectionListView::RowAt(int index) const {
  const ConnectionViewModel& vts = form_.VTS();
  if (index < 0 || static_cast<std::size_t>(index) >= vts.RowCount())
    return nullptr;
  return vts.RowAt(static_cast<std::size_t>(index));
}

void ConnectionListView::SyncFromModel() {
  if (list_ == nullptr)
    return;
  ConnectionViewModel& vts = form_.VTS();
  syncing_ = true;
  ListView_SetItemCountEx(list_, static_cast<int>(vts.RowCount()), LVSICF_NOSCROLL);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (const ListRow* selected = vts.SelectedRow()) {
    const int index = static_cast<int>(selected->index);
    ListView_SetItemState(list_, index, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetSelectionMark(list_, index);
  }
  if (const ListRow* focused = vts.FocusedRow())
    ListView_SetItemState(list_, static_cast<int>(focused->index), LVIS_FOCUSED, LVIS_FOCUSED);
  syncing_ = false;
  ShowSortGlyph();
  InvalidateRect(list_, nullptr, FALSE);
}

void ConnectionListView::TakeSelectionFromControl() {
  if (syncing_)
    return;
  ConnectionViewModel& vts = form_.VTS();
  vts.SelectRow(RowAt(ListView_GetNextItem(list_, -1, LVNI_SELECTED)));
  vts.FocusRow(RowAt(ListView_GetNextItem(list_, -1, LVNI_FOCUSED)));
}

int ConnectionListView::ColumnAtClientX(int x) const {
  RECT first{};
  if (!ListView_GetItemRect(list_, 0, &first, LVIR_BOUNDS)) {
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_POS;
    GetScrollInfo(list_, SB_HORZ, &scroll);
    first.left = -scroll.nPos;
  }
  for (int position = 0; position < columns_.Count(); ++position) {
    RECT item{};
    Header_GetItemRect(header_, position, &item);
    if (x >= first.left + item.left && x < first.left + item.right)
      return columns_.ColumnAt(position);
  }
  return ConnectionViewModel::kNoColumn;
}

int ConnectionListView::HeaderItemAt(POINT headerPoint, bool& onDivider) const {
  HDHITTESTINFO hit{};
  hit.pt = headerPoint;
  const int item =
      static_cast<int>(SendMessageW(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  onDivider = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
  return (hit.flags & HHT_ONHEADER) ? item : -1;
}

void ConnectionListView::ShowMenuIfAsked(bool show, POINT screen) {
  if (show)
    menu_.PopUp(form_.PmTreeState(), screen, GetParent(list_));
}

// ---- Notifications

LRESULT ConnectionListView::OnNotify(NMHDR* header, bool& handled) {
  handled = true;
  switch (header->code) {
    case LVN_GETDISPINFOW:
      FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
      return 0;
    case NM_CUSTOMDRAW:
      return PaintRow(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
      TakeSelectionFromControl();
      return 0;
    case LVN_COLUMNCLICK: {
      const int column = columns_.ColumnAt(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      form_.HandleEvent([&] { form_.VTSHeaderClick(column); });
      SyncFromModel();
      return 0;
    }
    case NM_CLICK:
      LeftClickInRows();
      return 0;
    case NM_DBLCLK:
      // On a row or beside the rows alike: the command takes the focused row.
      form_.HandleEvent([this] { form_.VTSDblClick(); });
      return 0;
    case NM_RCLICK: {
      const auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
      ListRow* row = RowAt(click->iItem);
      bool show = false;
      form_.HandleEvent([&] { show = form_.VTSGetPopupMenu(row); });
      POINT screen{};
      GetCursorPos(&screen);
      ShowMenuIfAsked(show, screen);
      return TRUE;  // no WM_CONTEXTMENU after it
    }
    case LVN_GETINFOTIPW:
      FillInfoTip(reinterpret_cast<NMLVGETINFOTIPW*>(header));
      return 0;
    case LVN_ODFINDITEMW:
      return -1;  // typed characters go to the view's own search
    default:
      handled = false;
      return 0;
  }
}

void ConnectionListView::FillDisplayInfo(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  ListRow* row = RowAt(item.iItem);
  const int column = columns_.ColumnAt(item.iSubItem);
  if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
    const std::wstring text = Wide(form_.VTSGetText(row, column));
    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
  }
  if (item.mask & LVIF_IMAGE)
    item.iImage = I_IMAGENONE;  // the rows draw their icons themselves
}

LRESULT ConnectionListView::PaintRow(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      break;
    default:
      return CDRF_DODEFAULT;
  }
  const int index = static_cast<int>(draw->nmcd.dwItemSpec);
  ListRow* row = RowAt(index);
  if (row == nullptr)
    return CDRF_SKIPDEFAULT;
  RowPainter::Row paint{};
  ListView_GetItemRect(list_, index, &paint.bounds, LVIR_BOUNDS);
  paint.selected = row->selected;
  for (int position = 0; position < columns_.Count(); ++position) {
    RECT item{};
    Header_GetItemRect(header_, position, &item);
    paint.cells.push_back(CellPlace{columns_.ColumnAt(position),
                                    RECT{paint.bounds.left + item.left, paint.bounds.top,
                                         paint.bounds.left + item.right, paint.bounds.bottom}});
  }
  paint.text = [this, row](int column) { return Wide(form_.VTSGetText(row, column)); };
  paint.iconIndex = -1;
  form_.HandleEvent([&] { paint.iconIndex = form_.VTSGetImageIndex(row, 1); });
  paint.icons = smallImages_.Handle();
  painter_.Paint(draw->nmcd.hdc, paint);
  return CDRF_SKIPDEFAULT;
}

// A tooltip with the whole text, only for a cell whose text does not fit.
void ConnectionListView::FillInfoTip(NMLVGETINFOTIPW* tip) {
  if (tip->pszText == nullptr || tip->cchTextMax <= 0)
    return;
  tip->pszText[0] = L'\0';
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(list_, &cursor);
  const int column = ColumnAtClientX(cursor.x);
  const int position = columns_.PositionOf(column);
  const std::wstring text = Wide(form_.VTSGetText(RowAt(tip->iItem), column));
  RECT cell{};
  if (text.empty() || position < 0 || !Header_GetItemRect(header_, position, &cell))
    return;
  if (TextWidth(fonts_.Normal(), text.c_str()) + scale_(kTipMargin) > cell.right - cell.left)
    lstrcpynW(tip->pszText, text.c_str(), tip->cchTextMax);
}

}  // namespace halvane
