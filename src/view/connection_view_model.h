#pragma once
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "connlist/list_view.h"
#include "view/text_ranks.h"

namespace halvane {

enum class SortDirection { Ascending, Descending };

class ListRow {
 public:
  ListRow() = default;
  explicit ListRow(TMyRec rec) : record(std::move(rec)) {}
  TMyRec record;
  bool selected = false;
  std::size_t index = 0;  // position in display order
};

// The rows of the connection view in display order, with selection, focus and sort state.
// Toolkit-neutral: a front end draws what it says and forwards input to it. One row at a time
// is selected.
class ConnectionViewModel : public IListView {
 public:
  static constexpr int kNoColumn = -1;

  ListRow* AddRow() override;
  TMyRec* RecordOf(ListRow* row) override { return row ? &row->record : nullptr; }
  void DeleteRow(ListRow* row) override;
  ListRow* FirstRow() override { return rows_.empty() ? nullptr : rows_.front().get(); }
  ListRow* NextRow(ListRow* row) override;
  void SelectRow(ListRow* row) override;
  void FocusRow(ListRow* row) override { focused_ = row; }
  std::size_t SelectedCount() const override { return selected_ ? 1 : 0; }
  std::size_t RowCount() const override { return rows_.size(); }
  void SortRows() override;
  void TakeKeyboardFocus() override { hasKeyboardFocus_ = true; }
  void Repaint() override { ++repaints_; }
  std::uint64_t Generation() const override { return generation_; }
  ListRow* MergeRows(const std::vector<ListRow*>& removed, RowAdditions additions) override;

  ListRow* RowAt(std::size_t index) const override { return rows_[index].get(); }
  ListRow* FocusedRow() const { return focused_; }
  ListRow* SelectedRow() const { return selected_; }
  int SortColumn() const { return sortColumn_; }
  SortDirection Direction() const { return direction_; }
  // Changing the column or the direction sorts at once, as the header does.
  void SetSortColumn(int column);
  void SetDirection(SortDirection direction);
  bool HasKeyboardFocus() const { return hasKeyboardFocus_; }
  int RepaintCount() const { return repaints_; }

 private:
  using RowList = std::vector<std::unique_ptr<ListRow>>;
  static constexpr std::size_t kNoRow = ~std::size_t{0};

  void SortList(RowList& rows) const;
  void SortListByComparison(RowList& rows) const;
  std::vector<std::string_view> SortTexts(const RowList& rows) const;
  void PlaceRows(RowList& rows, const std::optional<TextRanks>& ranks) const;
  bool ColumnOrdersRows() const;
  void RemoveRows(const std::vector<ListRow*>& removed);
  RowList OrderBeforeFinalSort(RowList& added);
  ListRow* FirstBeforeFinalSort(const RowList& order, std::size_t newestAt,
                                const std::vector<std::string_view>& texts,
                                const std::optional<TextRanks>& ranks) const;
  void Renumber(std::size_t from);

  RowList rows_;
  std::uint64_t generation_ = 0;
  ListRow* focused_ = nullptr;
  ListRow* selected_ = nullptr;
  int sortColumn_ = 1;
  SortDirection direction_ = SortDirection::Ascending;
  bool hasKeyboardFocus_ = false;
  int repaints_ = 0;
};

}  // namespace halvane
