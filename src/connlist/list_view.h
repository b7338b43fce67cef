#pragma once
#include <cstddef>

#include "connlist/my_rec.h"

namespace halvane {

// A row of the connection view; what it holds beside its record is the view's business.
class ListRow;

// The operations of the connection view that the fill and the refresh use.
class IListView {
 public:
  virtual ~IListView() = default;
  // Appends a row with an empty record; the view re-sorts at once, before the caller fills it.
  virtual ListRow* AddRow() = 0;
  virtual TMyRec* RecordOf(ListRow* row) = 0;
  // Deletes the row and releases its record.
  virtual void DeleteRow(ListRow* row) = 0;
  virtual ListRow* FirstRow() = 0;
  virtual ListRow* NextRow(ListRow* row) = 0;
  virtual void SelectRow(ListRow* row) = 0;
  virtual void FocusRow(ListRow* row) = 0;
  virtual std::size_t SelectedCount() const = 0;
  virtual std::size_t RowCount() const = 0;
  // Sorts all rows by the current sort column and direction.
  virtual void SortRows() = 0;
  virtual void TakeKeyboardFocus() = 0;
  virtual void Repaint() = 0;
};

// What the list reads from and writes to the main window.
class IListWindow {
 public:
  virtual ~IListWindow() = default;
  virtual bool ShowLocalChecked() const = 0;  // CBShowLocal
  virtual void SetNetCount(const std::string& text) = 0;  // LabNetCount
  virtual void SetAppCount(const std::string& text) = 0;  // LabAppCount
};

}  // namespace halvane
