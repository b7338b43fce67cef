#include "view/incremental_search.h"

#include "view/columns.h"

namespace halvane {
namespace {

bool RowMatches(ConnectionViewModel& view, ListRow* row, int focusColumn,
                const std::string& textNotEnabled, const std::string& searchText) {
  return CellText(view.RecordOf(row), focusColumn, textNotEnabled).starts_with(searchText);
}

}  // namespace

IncrementalSearch::Result IncrementalSearch::KeyTyped(ConnectionViewModel& view,
                                                      const std::string& utf8Char,
                                                      std::int64_t nowMs, int focusColumn,
                                                      const std::string& textNotEnabled) {
  if (!started_ || nowMs - lastKeyMs_ > kTimeoutMs)
    text_.clear();
  started_ = true;
  lastKeyMs_ = nowMs;
  text_ += utf8Char;

  // Before the first click into the rows there is no focus column, and no text to compare.
  if (focusColumn == ConnectionViewModel::kNoColumn || text_.empty())
    return Result::NotFound;
  const std::size_t count = view.RowCount();
  const ListRow* focused = view.FocusedRow();
  const std::size_t start = focused ? focused->index : 0;
  for (std::size_t step = 0; step < count; ++step) {
    ListRow* row = view.RowAt((start + step) % count);
    if (!RowMatches(view, row, focusColumn, textNotEnabled, text_))
      continue;
    view.FocusRow(row);
    view.SelectRow(row);
    return Result::Found;
  }
  return Result::NotFound;
}

}  // namespace halvane
