#pragma once
#include <QElapsedTimer>
#include <QTableView>
#include <cstdint>
#include <functional>

#include "app/form_netrova.h"
#include "ui/qt/cell_delegate.h"
#include "ui/qt/connection_table_model.h"
#include "ui/qt/pm_tree_menu.h"
#include "ui/qt/sort_header.h"
#include "view/incremental_search.h"

namespace halvane {

// VTS: the connection list. It draws what the form's view model holds and hands the user's
// clicks, menu requests and typed characters to the form's handlers.
class ConnectionView : public QTableView {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 22;

  ConnectionView(TFormNetrova& form, const PixmapImageStore& smallImages, PmTreeMenu& menu,
                 QWidget* parent = nullptr);

  // The model's rows, order, selection or focus changed: show them.
  void SyncFromModel();
  int HotRow() const { return hotRow_; }
  // The clock the incremental search measures its pauses with, in milliseconds.
  void SetSearchClock(std::function<std::int64_t()> nowMs) { searchClock_ = std::move(nowMs); }
  ConnectionTableModel& TableModel() { return *model_; }
  SortHeader& Header() { return *header_; }

 signals:
  // A double click of the left button in the rows area.
  void DoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void SetUpColumns();
  void SelectAndFocus(int position);
  void CurrentRowChanged(const QModelIndex& current);
  void ShowMenuIfAsked(bool show, const QPoint& screenPosition);
  bool SearchTyped(const QString& text);
  void ShowCellToolTip(QHelpEvent* event);
  int FirstVisibleColumn() const;

  TFormNetrova& form_;
  PmTreeMenu& menu_;
  ConnectionTableModel* model_;
  SortHeader* header_;
  CellDelegate* delegate_;
  IncrementalSearch search_;
  QElapsedTimer sinceStart_;
  std::function<std::int64_t()> searchClock_;
  int focusColumn_ = -1;  // none until the user first clicks into the rows
  int leftPressColumn_ = -1;
  int hotRow_ = -1;
  bool syncing_ = false;
};

}  // namespace halvane
