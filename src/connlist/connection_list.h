#pragma once
#include <string>

#include "connlist/list_view.h"
#include "connlist/program_count.h"
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

 private:
  void AddRowsFor(FileRecArray& endpoints, bool tcp, const char* mark, bool onlyUnmatched,
                  RowAdditions& additions);
  std::vector<ListRow*> PairRows();
  bool ExamineTcpRow(TMyRec& r, class EndpointIndex& index);
  bool ExamineUdpRow(TMyRec& r, class EndpointIndex& index);
  bool IsLoopback(const TMyRec& rec) const;

  ConnectionSnapshot& snapshot_;
  IListView& view_;
  IListWindow& window_;
  PathlessDescriptions texts_;
  ProgramCountText programs_;
};

}  // namespace halvane
