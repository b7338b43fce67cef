#include "view/connection_view_model.h"

#include <algorithm>

#include "view/row_compare.h"

namespace halvane {

ListRow* ConnectionViewModel::AddRow() {
  rows_.push_back(std::make_unique<ListRow>());
  ListRow* row = rows_.back().get();
  row->index = rows_.size() - 1;
  // The view sorts at once, so the new row is placed by its still empty record.
  SortRows();
  return row;
}

void ConnectionViewModel::DeleteRow(ListRow* row) {
  if (row == nullptr) return;
  const std::size_t at = row->index;
  if (focused_ == row) focused_ = nullptr;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
  Renumber(at);
}

ListRow* ConnectionViewModel::NextRow(ListRow* row) {
  if (row == nullptr || row->index + 1 >= rows_.size()) return nullptr;
  return rows_[row->index + 1].get();
}

void ConnectionViewModel::SelectRow(ListRow* row) {
  for (auto& r : rows_) r->selected = false;
  if (row) row->selected = true;
}

std::size_t ConnectionViewModel::SelectedCount() const {
  return static_cast<std::size_t>(
      std::count_if(rows_.begin(), rows_.end(), [](const auto& r) { return r->selected; }));
}

void ConnectionViewModel::SetSortColumn(int column) {
  if (column == sortColumn_) return;
  sortColumn_ = column;
  SortRows();
}

void ConnectionViewModel::SetDirection(SortDirection direction) {
  if (direction == direction_) return;
  direction_ = direction;
  SortRows();
}

// A stable merge sort: rows that compare equal keep their order in both directions.
void ConnectionViewModel::SortBy(int column, SortDirection direction) {
  if (column == kNoColumn) return;
  const bool ascending = direction == SortDirection::Ascending;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
    const int result = CompareRows(&a->record, &b->record, column);
    return ascending ? result < 0 : result > 0;
  });
  Renumber(0);
}

void ConnectionViewModel::Renumber(std::size_t from) {
  for (std::size_t i = from; i < rows_.size(); ++i) rows_[i]->index = i;
}

}  // namespace halvane
