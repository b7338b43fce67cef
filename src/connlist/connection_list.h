#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "connlist/list_view.h"
#include "connlist/program_count.h"
#include "connlist/row_pairing.h"
#include "snapshot/connection_snapshot.h"

namespace halvane {

// The texts given to rows of processes without a program file.
struct PathlessDescriptions {
  std::string DescSystem;  // the process named "System"
  std::string DescIdle;    // any other
};

// Turns snapshots into rows: the first fill, then merges of every later snapshot. Rows keep
// their place and values; vanished endpoints lose their row, changed TCP states are marked "md",
// new endpoints get rows marked "add".
class ConnectionList {
 public:
  ConnectionList(ConnectionSnapshot& snapshot, IListView& view, IListWindow& window,
                 PathlessDescriptions descriptions)
      : snapshot_(snapshot), view_(view), window_(window), texts_(std::move(descriptions)) {}

  void FillConnectionList();
  void RefreshConnectionList();

  // The merge half of a refresh, over the snapshot already read.
  void MergeSnapshot();

  // A refresh that reads the tables on another thread can pair the rows there as well:
  // NoteRowsForPairing on the GUI thread before the read starts, PairNotedRows on the reading
  // thread after ReadConnectionTables, then MergeSnapshot on the GUI thread. Between the first
  // and the last, only the view's order, the selection and the loopback option may change; the
  // merge pairs the rows itself when the order or the option did.
  void NoteRowsForPairing();
  void PairNotedRows();

 private:
  struct NotedRows {
    std::uint64_t generation = 0;
    bool showLocal = true;
    std::vector<ListRow*> rows;
    std::vector<const TMyRec*> records;
    bool paired = false;
    RowPairing pairing;
  };

  void AddRowsFor(FileRecArray& endpoints, bool tcp, const char* mark, bool onlyUnmatched,
                  RowAdditions& additions);
  std::vector<const TMyRec*> RecordsInOrder(std::vector<ListRow*>& rows) const;
  RowPairing CurrentPairing(std::vector<ListRow*>& rows);
  void WriteChanges(const RowPairing& pairing, const std::vector<ListRow*>& rows);

  ConnectionSnapshot& snapshot_;
  IListView& view_;
  IListWindow& window_;
  PathlessDescriptions texts_;
  ProgramCountText programs_;
  std::unique_ptr<NotedRows> noted_;
};

}  // namespace halvane
