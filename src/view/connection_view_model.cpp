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
  if (row == nullptr)
    return;
  const std::size_t at = row->index;
  if (focused_ == row)
    focused_ = nullptr;
  if (selected_ == row)
    selected_ = nullptr;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
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
void ConnectionViewModel::SortList(RowList& rows) const {
  const int column = sortColumn_;
  const bool ascending = direction_ == SortDirection::Ascending;
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    const int result = CompareRows(&a->record, &b->record, column);
    return ascending ? result < 0 : result > 0;
  });
}

void ConnectionViewModel::SortRows() {
  if (sortColumn_ == kNoColumn)
    return;
  SortList(rows_);
  Renumber(0);
}

void ConnectionViewModel::Renumber(std::size_t from) {
  for (std::size_t i = from; i < rows_.size(); ++i)
    rows_[i]->index = i;
}

void ConnectionViewModel::RemoveRows(const std::vector<ListRow*>& removed) {
  if (removed.empty())
    return;
  std::vector<char> gone(rows_.size(), 0);
  for (ListRow* row : removed) {
    gone[row->index] = 1;
    if (focused_ == row)
      focused_ = nullptr;
    if (selected_ == row)
      selected_ = nullptr;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (!gone[i])
      rows_[kept++] = std::move(rows_[i]);
  rows_.resize(kept);
}

// Adding rows one by one, each addition sorting while the new record is empty, leaves every
// earlier row in sorted place and the newest one where an empty text goes: in ascending order
// just after the rows whose sort field is empty, in descending order at the end. So before the
// final sort the first row is the first of the others in sorted order, or, ascending, the newest
// row when none of the others has an empty sort field.
ListRow* ConnectionViewModel::FirstBeforeFinalSort(const RowList& kept, const RowList& added,
                                                   const RowAdditions& additions) const {
  const bool newestPending = !additions.lastDropped && !added.empty();
  ListRow* newest = newestPending ? added.back().get() : nullptr;
  const std::size_t othersAdded = added.size() - (newestPending ? 1 : 0);
  const int column = sortColumn_;
  const bool ascending = direction_ == SortDirection::Ascending;
  // Equal rows: ascending, later additions before earlier ones before kept rows (empty fields:
  // kept rows, then additions in order); descending, kept rows then additions in order.
  ListRow* best = nullptr;
  auto consider = [&](ListRow* row) {
    if (best == nullptr) {
      best = row;
      return;
    }
    const int result = CompareRows(&row->record, &best->record, column);
    if (ascending ? result < 0 : result > 0)
      best = row;
  };
  if (ascending) {
    for (std::size_t i = othersAdded; i-- > 0;)
      if (!SortFieldOf(added[i]->record, column)->empty())
        consider(added[i].get());
    for (const auto& row : kept)
      consider(row.get());
    for (std::size_t i = 0; i < othersAdded; ++i)
      if (SortFieldOf(added[i]->record, column)->empty())
        consider(added[i].get());
    if (newest && (best == nullptr || !SortFieldOf(best->record, column)->empty()))
      return newest;
    return best;
  }
  for (const auto& row : kept)
    consider(row.get());
  for (std::size_t i = 0; i < othersAdded; ++i)
    consider(added[i].get());
  return best ? best : newest;
}

ListRow* ConnectionViewModel::MergeRows(const std::vector<ListRow*>& removed,
                                        RowAdditions additions) {
  RemoveRows(removed);
  RowList added;
  added.reserve(additions.records.size());
  for (TMyRec& rec : additions.records)
    added.push_back(std::make_unique<ListRow>(std::move(rec)));

  if (sortColumn_ == kNoColumn || !ColumnOrdersRows()) {
    // No order: rows stay where they were and additions follow in order.
    for (auto& row : added)
      rows_.push_back(std::move(row));
    Renumber(0);
    return FirstRow();
  }
  ListRow* first =
      additions.addCount == 0 ? FirstRow() : FirstBeforeFinalSort(rows_, added, additions);

  RowList order;
  order.reserve(rows_.size() + added.size());
  if (direction_ == SortDirection::Ascending) {
    for (std::size_t i = added.size(); i-- > 0;)
      if (!SortFieldOf(added[i]->record, sortColumn_)->empty())
        order.push_back(std::move(added[i]));
    for (auto& row : rows_)
      order.push_back(std::move(row));
    for (auto& row : added)
      if (row)
        order.push_back(std::move(row));
  } else {
    for (auto& row : rows_)
      order.push_back(std::move(row));
    for (auto& row : added)
      order.push_back(std::move(row));
  }
  SortList(order);
  rows_ = std::move(order);
  Renumber(0);
  return first;
}

}  // namespace halvane
