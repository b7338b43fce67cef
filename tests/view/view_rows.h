#pragma once
#include <string>
#include <utility>
#include <vector>

#include "connlist/my_rec.h"
#include "view/connection_view_model.h"

namespace halvane::view_test {

// Appends the records in the given order: the view's sort column is none afterwards, so adding
// does not move them.
inline void AppendRowsInOrder(ConnectionViewModel& view, const std::vector<TMyRec>& records) {
  view.SetSortColumn(ConnectionViewModel::kNoColumn);
  for (const TMyRec& rec : records)
    *view.RecordOf(view.AddRow()) = rec;
}

// The PIDs of the rows in display order.
inline std::vector<std::string> PidsInOrder(const ConnectionViewModel& view) {
  std::vector<std::string> pids;
  for (std::size_t i = 0; i < view.RowCount(); ++i)
    pids.push_back(view.RowAt(i)->record.PID.str());
  return pids;
}

inline TMyRec RecWithPid(std::string pid) {
  TMyRec rec;
  rec.PID = std::move(pid);
  return rec;
}

}  // namespace halvane::view_test
