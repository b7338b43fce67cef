// The merge of a fill or refresh into the view: removed rows go, added rows are placed where
// adding them one by one would have put them, and all rows are sorted once.
#include <algorithm>

#include "view/connection_view_model.h"
#include "view/row_compare.h"

namespace halvane {

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
// earlier row in sorted place and the newest one where an empty text goes. Equal rows then
// stand, ascending, later additions before earlier ones before kept rows (empty fields: kept
// rows, then additions in order); descending, kept rows then additions in order. This takes the
// kept and the added rows into that order, for the final stable sort.
ConnectionViewModel::RowList ConnectionViewModel::OrderBeforeFinalSort(RowList& added) {
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
  rows_.clear();
  return order;
}

// Before the final sort the first row is the first of the others (every row but the newest
// addition, `newestAt` in `order`) in sorted order, or, ascending, the newest row when none of
// the others has an empty sort field. `order` holds the others in the order in which equal rows
// stand, so the first of the best ones wins. The ranks of the texts tell which is best without a
// look at the rows; without ranks the rows are compared.
ListRow* ConnectionViewModel::FirstBeforeFinalSort(const RowList& order, std::size_t newestAt,
                                                   const std::vector<std::string_view>& texts,
                                                   const std::optional<TextRanks>& ranks) const {
  const bool ascending = direction_ == SortDirection::Ascending;
  auto better = [&](std::size_t a, std::size_t b) {
    if (ranks)
      return ascending ? ranks->ofText[a] < ranks->ofText[b] : ranks->ofText[a] > ranks->ofText[b];
    const int result = CompareRows(&order[a]->record, &order[b]->record, sortColumn_);
    return ascending ? result < 0 : result > 0;
  };
  std::size_t best = kNoRow;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (i != newestAt && (best == kNoRow || better(i, best)))
      best = i;
  ListRow* newest = newestAt == kNoRow ? nullptr : order[newestAt].get();
  if (ascending && newest && (best == kNoRow || !texts[best].empty()))
    return newest;
  return best == kNoRow ? newest : order[best].get();
}

ListRow* ConnectionViewModel::MergeRows(const std::vector<ListRow*>& removed,
                                        RowAdditions additions) {
  ++generation_;
  RemoveRows(removed);
  RowList added;
  added.reserve(additions.RecordCount());
  additions.TakeEach(
      [&added](TMyRec rec) { added.push_back(std::make_unique<ListRow>(std::move(rec))); });

  if (sortColumn_ == kNoColumn || !ColumnOrdersRows()) {
    // No order: rows stay where they were and additions follow in order.
    for (auto& row : added)
      rows_.push_back(std::move(row));
    Renumber(0);
    return FirstRow();
  }
  ListRow* const firstKept = FirstRow();
  const ListRow* newest = !additions.lastDropped && !added.empty() ? added.back().get() : nullptr;
  RowList order = OrderBeforeFinalSort(added);
  const std::vector<std::string_view> texts = SortTexts(order);
  const std::optional<TextRanks> ranks = RankTexts(texts);
  ListRow* first = firstKept;
  if (additions.addCount != 0) {
    std::size_t newestAt = kNoRow;
    if (newest)
      newestAt = order.front().get() == newest ? 0 : order.size() - 1;
    first = FirstBeforeFinalSort(order, newestAt, texts, ranks);
  }
  PlaceRows(order, ranks);
  rows_ = std::move(order);
  Renumber(0);
  return first;
}

}  // namespace halvane
