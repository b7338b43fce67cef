#include "view/connection_view_model.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "view/row_compare.h"
#include "view/text_ranks.h"

namespace halvane {

ListRow* ConnectionViewModel::AddRow() {
  ++generation_;
  rows_.push_back(std::make_unique<ListRow>());
  ListRow* row = rows_.back().get();
  row->index = rows_.size() - 1;
  // The view sorts at once, so the new row is placed by its still empty record. This is the
  // plain per-row path: it sorts by comparing rows.
  if (sortColumn_ != kNoColumn) {
    SortListByComparison(rows_);
    Renumber(0);
  }
  return row;
}

void ConnectionViewModel::DeleteRow(ListRow* row) {
  if (row == nullptr)
    return;
  const std::size_t at = row->index;
  if (focused_ == row)
    focused_ = nullptr;
  if (selected_ == row)
    selected_ = nullptr;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
  ++generation_;
  Renumber(at);
}

ListRow* ConnectionViewModel::NextRow(ListRow* row) {
  if (row == nullptr || row->index + 1 >= rows_.size())
    return nullptr;
  return rows_[row->index + 1].get();
}

void ConnectionViewModel::SelectRow(ListRow* row) {
  if (selected_)
    selected_->selected = false;
  selected_ = row;
  if (row)
    row->selected = true;
}

void ConnectionViewModel::SetSortColumn(int column) {
  if (column == sortColumn_)
    return;
  sortColumn_ = column;
  SortRows();
}

void ConnectionViewModel::SetDirection(SortDirection direction) {
  if (direction == direction_)
    return;
  direction_ = direction;
  SortRows();
}

bool ConnectionViewModel::ColumnOrdersRows() const {
  static const TMyRec kProbe;
  return sortColumn_ <= 12 && SortFieldOf(kProbe, sortColumn_) != nullptr;
}

// A stable merge sort: rows that compare equal keep their order in both directions.
void ConnectionViewModel::SortListByComparison(RowList& rows) const {
  const int column = sortColumn_;
  const bool ascending = direction_ == SortDirection::Ascending;
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    const int result = CompareRows(&a->record, &b->record, column);
    return ascending ? result < 0 : result > 0;
  });
}

std::vector<std::string_view> ConnectionViewModel::SortTexts(const RowList& rows) const {
  std::vector<std::string_view> texts;
  texts.reserve(rows.size());
  for (const auto& row : rows)
    texts.push_back(*SortFieldOf(row->record, sortColumn_));
  return texts;
}

// The same order as the stable comparison sort, in time linear in the rows: the rows are placed
// by the ranks of their texts, equal ranks in their order. Without ranks (texts with no
// consistent order) the comparison sort itself places them.
void ConnectionViewModel::PlaceRows(RowList& rows, const std::optional<TextRanks>& ranks) const {
  if (!ranks) {
    SortListByComparison(rows);
    return;
  }
  const std::vector<std::uint32_t> order =
      StableOrderByRank(*ranks, direction_ == SortDirection::Ascending);
  RowList sorted;
  sorted.reserve(rows.size());
  for (const std::uint32_t at : order)
    sorted.push_back(std::move(rows[at]));
  rows = std::move(sorted);
}

// A column that never orders rows leaves them as they are, as the comparison (always equal)
// does.
void ConnectionViewModel::SortList(RowList& rows) const {
  if (rows.size() < 2 || !ColumnOrdersRows())
    return;
  PlaceRows(rows, RankTexts(SortTexts(rows)));
}

void ConnectionViewModel::SortRows() {
  if (sortColumn_ == kNoColumn)
    return;
  SortList(rows_);
  ++generation_;
  Renumber(0);
}

void ConnectionViewModel::Renumber(std::size_t from) {
  for (std::size_t i = from; i < rows_.size(); ++i)
    rows_[i]->index = i;
}

}  // namespace halvane
