#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "connlist/my_rec.h"

namespace halvane {

// A row of the connection view; what it holds beside its record is the view's business.
class ListRow;

// Rows added by a fill or a refresh, records filled, in the order they were added. Rows that the
// loopback rule dropped again at once are not among them, but they were added and sorted all the
// same: `addCount` counts every addition, `lastDropped` says whether the last one was dropped.
// The records are kept in chunks, so that the view frees each chunk once it has made rows of
// it: a first fill of hundreds of thousands of rows never holds all records twice.
class RowAdditions {
 public:
  void Add(TMyRec record);
  std::size_t RecordCount() const { return count_; }
  // Hands each record to `take`, in order, and frees them as it goes.
  template <typename Take>
  void TakeEach(Take take) {
    for (std::vector<TMyRec>& chunk : chunks_) {
      for (TMyRec& record : chunk)
        take(std::move(record));
      std::vector<TMyRec>().swap(chunk);
    }
    chunks_.clear();
    count_ = 0;
  }

  std::size_t addCount = 0;
  bool lastDropped = false;

 private:
  static constexpr std::size_t kChunkSize = 4096;
  std::vector<std::vector<TMyRec>> chunks_;
  std::size_t count_ = 0;
};

inline void RowAdditions::Add(TMyRec record) {
  if (chunks_.empty() || chunks_.back().size() == kChunkSize) {
    chunks_.emplace_back();
    chunks_.back().reserve(kChunkSize);
  }
  chunks_.back().push_back(std::move(record));
  ++count_;
}

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
  // The row at a position in display order, 0 to RowCount() - 1. A walk by position finds each
  // row without first looking into the one before it.
  virtual ListRow* RowAt(std::size_t index) const = 0;
  virtual void SelectRow(ListRow* row) = 0;
  virtual void FocusRow(ListRow* row) = 0;
  virtual std::size_t SelectedCount() const = 0;
  virtual std::size_t RowCount() const = 0;
  // Sorts all rows by the current sort column and direction.
  virtual void SortRows() = 0;
  virtual void TakeKeyboardFocus() = 0;
  // The whole change of a fill or refresh at once: deletes `removed`, places the added rows where
  // adding them one by one (each addition sorting all rows while its record was still empty)
  // would have put them, and sorts all rows. Returns the row that would then have been first
  // before that final sort.
  virtual ListRow* MergeRows(const std::vector<ListRow*>& removed, RowAdditions additions) = 0;
  virtual void Repaint() = 0;
  // Changes whenever rows are added, deleted or put in another order.
  virtual std::uint64_t Generation() const = 0;
};

// What the list reads from and writes to the main window.
class IListWindow {
 public:
  virtual ~IListWindow() = default;
  virtual bool ShowLocalChecked() const = 0;              // CBShowLocal
  virtual void SetNetCount(const std::string& text) = 0;  // LabNetCount
  virtual void SetAppCount(const std::string& text) = 0;  // LabAppCount
};

}  // namespace halvane
