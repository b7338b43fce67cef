#include "ui/qt/connection_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "ui/qt/window_style.h"
#include "view/columns.h"

namespace halvane {

ConnectionView::ConnectionView(TFormNetrova& form, const PixmapImageStore& smallImages,
                               PmTreeMenu& menu, QWidget* parent)
    : QTableView(parent),
      form_(form),
      menu_(menu),
      model_(new ConnectionTableModel(form, smallImages, this)),
      header_(new SortHeader(form.VTS(), this)),
      delegate_(new CellDelegate([this] { return hotRow_; }, this)) {
  setHorizontalHeader(header_);
  setModel(model_);
  setItemDelegate(delegate_);
  setFont(WindowFont());
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setShowGrid(false);  // the cells draw the grid lines themselves
  setWordWrap(false);
  setMouseTracking(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setAutoScroll(false);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  setPalette(colours);

  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SetUpColumns();

  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { CurrentRowChanged(current); });
  connect(header_, &SortHeader::CaptionClicked, this, [this](int column) {
    form_.HandleEvent([&] { form_.VTSHeaderClick(column); });
    SyncFromModel();
  });
  sinceStart_.start();
  searchClock_ = [this] { return sinceStart_.elapsed(); };
}

void ConnectionView::SetUpColumns() {
  header_->setMinimumSectionSize(8);
  for (const ColumnInfo& info : ViewColumns()) {
    setColumnWidth(info.index, info.width);
    setColumnHidden(info.index, !info.visibleAtStart);
    header_->setSectionResizeMode(info.index,
                                  info.fixedWidth ? QHeaderView::Fixed : QHeaderView::Interactive);
  }
}

int ConnectionView::FirstVisibleColumn() const {
  for (int column = 0; column < kColumnCount; ++column) {
    if (!isColumnHidden(column))
      return column;
  }
  return 0;
}

void ConnectionView::SyncFromModel() {
  syncing_ = true;
  model_->Refresh();
  QItemSelection selection;
  const ConnectionViewModel& vts = form_.VTS();
  if (const ListRow* selected = vts.SelectedRow()) {
    const int position = static_cast<int>(selected->index);
    selection.select(model_->index(position, 0), model_->index(position, kColumnCount - 1));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  const ListRow* focused = vts.FocusedRow();
  selectionModel()->setCurrentIndex(
      focused ? model_->index(static_cast<int>(focused->index), FirstVisibleColumn())
              : QModelIndex(),
      QItemSelectionModel::NoUpdate);
  syncing_ = false;
  viewport()->update();
  header_->viewport()->update();
}

void ConnectionView::SelectAndFocus(int position) {
  ListRow* row = model_->RowAt(position);
  if (row == nullptr)
    return;
  form_.VTS().SelectRow(row);
  form_.VTS().FocusRow(row);
  viewport()->update();
}

void ConnectionView::CurrentRowChanged(const QModelIndex& current) {
  if (!syncing_ && current.isValid())
    SelectAndFocus(current.row());
}

void ConnectionView::ShowMenuIfAsked(bool show, const QPoint& screenPosition) {
  if (show)
    menu_.PopUp(form_.PmTreeState(), screenPosition);
}

void ConnectionView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QModelIndex cell = indexAt(at);
  if (event->button() == Qt::LeftButton)
    leftPressColumn_ = columnAt(at.x());
  // Either button selects and focuses the row under the pointer before any menu shows.
  if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton) && cell.isValid()) {
    focusColumn_ = 0;
    SelectAndFocus(cell.row());
  }
  QTableView::mousePressEvent(event);
}

void ConnectionView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  const bool inRows = viewport()->rect().contains(at);
  if (event->button() == Qt::LeftButton) {
    const int pressed = leftPressColumn_;
    leftPressColumn_ = -1;
    if (!inRows || pressed < 0 || columnAt(at.x()) != pressed)
      return;
    bool show = false;
    form_.HandleEvent([&] { show = form_.VTSColumnClick(pressed); });
    ShowMenuIfAsked(show, QCursor::pos());
  } else if (event->button() == Qt::RightButton && inRows) {
    ListRow* row = model_->RowAt(indexAt(at).row());
    bool show = false;
    form_.HandleEvent([&] { show = form_.VTSGetPopupMenu(row); });
    ShowMenuIfAsked(show, event->globalPosition().toPoint());
  }
}

void ConnectionView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton)
    emit DoubleClicked();
}

void ConnectionView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // A mouse menu opens on the right button's release; here only the menu key counts.
  if (event->reason() != QContextMenuEvent::Keyboard)
    return;
  ListRow* focused = form_.VTS().FocusedRow();
  bool show = false;
  form_.HandleEvent([&] { show = form_.VTSGetPopupMenu(focused); });
  if (!show || focused == nullptr)
    return;
  const QRect cell =
      visualRect(model_->index(static_cast<int>(focused->index), FirstVisibleColumn()));
  ShowMenuIfAsked(show, viewport()->mapToGlobal(cell.bottomLeft()));
}

void ConnectionView::mouseMoveEvent(QMouseEvent* event) {
  const int row = indexAt(event->position().toPoint()).row();
  if (row != hotRow_) {
    hotRow_ = row;
    viewport()->update();
  }
  QTableView::mouseMoveEvent(event);
}

void ConnectionView::leaveEvent(QEvent* event) {
  hotRow_ = -1;
  viewport()->update();
  QTableView::leaveEvent(event);
}

void ConnectionView::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool typed =
      !text.isEmpty() && text.at(0).isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (!typed) {
    QTableView::keyPressEvent(event);
    return;
  }
  event->accept();
  if (!SearchTyped(text))
    QApplication::beep();
}

bool ConnectionView::SearchTyped(const QString& text) {
  const IncrementalSearch::Result result = search_.KeyTyped(
      form_.VTS(), text.toStdString(), searchClock_(), focusColumn_, form_.TextNotEnabled());
  if (result == IncrementalSearch::Result::NotFound)
    return false;
  SyncFromModel();
  if (const ListRow* focused = form_.VTS().FocusedRow())
    scrollTo(model_->index(static_cast<int>(focused->index), FirstVisibleColumn()));
  return true;
}

bool ConnectionView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    ShowCellToolTip(static_cast<QHelpEvent*>(event));
    return true;
  }
  return QTableView::viewportEvent(event);
}

// A tooltip with the whole text, only for a cell whose text does not fit.
void ConnectionView::ShowCellToolTip(QHelpEvent* event) {
  const QModelIndex cell = indexAt(event->pos());
  const QString text = cell.isValid() ? cell.data(Qt::DisplayRole).toString() : QString();
  const QRect place = visualRect(cell);
  if (text.isEmpty() ||
      fontMetrics().horizontalAdvance(text) <= CellDelegate::TextWidthInCell(cell, place.width())) {
    QToolTip::hideText();
    event->ignore();
    return;
  }
  QToolTip::showText(event->globalPos(), text, viewport(), place);
}

}  // namespace halvane
