#pragma once
#include <string>

#include "connlist/list_view.h"
#include "snapshot/connection_snapshot.h"

namespace halvane {

// The texts given to rows of processes without a program file.
struct PathlessDescriptions {
  std::string DescSystem;  // the process named "System"
  std::string DescIdle;    // any other
};

// Turns snapshots into rows: the first fill, then merges of every later snapshot.
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

// The number of "@$!" markers in the collected text, each counted once from left to right.
int CountPrograms(std::string text);

}  // namespace halvane
