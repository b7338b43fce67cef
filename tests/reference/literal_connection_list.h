#pragma once
#include <string>

#include "connlist/connection_list.h"

namespace halvane {

// The fill and the refresh as plain loops: a linear search through the snapshot per row and a
// full sort per added row. Slow, and kept as the reference the fast list must agree with.
class LiteralConnectionList {
 public:
  LiteralConnectionList(ConnectionSnapshot& snapshot, IListView& view, IListWindow& window,
                        PathlessDescriptions descriptions)
      : snapshot_(snapshot), view_(view), window_(window), texts_(std::move(descriptions)) {}

  void FillConnectionList();
  void RefreshConnectionList();

  // The merge half of a refresh, over the snapshot already read.
  void MergeSnapshot();

 private:
  ListRow* AddRowFrom(File_Rec& rec, bool tcp, const char* mark);
  bool ExamineRow(ListRow* row);
  void CollectProgram(const std::string& name);
  bool IsLoopback(const TMyRec& rec) const;
  void ShowProgramCount();

  ConnectionSnapshot& snapshot_;
  IListView& view_;
  IListWindow& window_;
  PathlessDescriptions texts_;
  std::string programCountText_;
};

}  // namespace halvane
