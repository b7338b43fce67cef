#include "reference/literal_connection_list.h"

#include "connlist/program_count.h"
#include "connlist/tcp_state_text.h"

namespace halvane {
namespace {

constexpr const char* kProgramMarker = "@$!";
constexpr const char* kLoopback = "127.0.0.1";

bool SameTcpKey(const TMyRec& row, const File_Rec& rec) {
  return row.PID == rec.PID && row.LocalIP == rec.LocalIP && row.LocalPort == rec.LocalPort &&
         row.RemoteIP == rec.RemoteIP && row.RemotePort == rec.RemotePort;
}

bool SameUdpKey(const TMyRec& row, const File_Rec& rec) {
  return row.PID == rec.PID && row.LocalIP == rec.LocalIP && row.LocalPort == rec.LocalPort;
}

}  // namespace

bool LiteralConnectionList::IsLoopback(const TMyRec& rec) const {
  return rec.LocalIP == kLoopback && rec.RemoteIP == kLoopback;
}

// A name is collected unless the text already holds marker + name, even inside a longer name.
void LiteralConnectionList::CollectProgram(const std::string& name) {
  const std::string entry = kProgramMarker + name;
  if (programCountText_.find(entry) == std::string::npos)
    programCountText_ += entry;
}

void LiteralConnectionList::ShowProgramCount() {
  window_.SetAppCount(std::to_string(CountPrograms(programCountText_)));
}

ListRow* LiteralConnectionList::AddRowFrom(File_Rec& e, bool tcp, const char* mark) {
  ListRow* row = view_.AddRow();
  TMyRec& r = *view_.RecordOf(row);
  r.Protocol = tcp ? "TCP" : "UDP";
  if (tcp)
    r.State = TcpStateText(e.StateCode);
  r.LocalIP = e.LocalIP;
  r.LocalPort = e.LocalPort;
  if (tcp) {
    r.RemoteIP = e.RemoteIP;
    r.RemotePort = e.RemotePort;
  }
  r.PID = e.PID;
  r.ProcessName = e.ProcessName;
  r.ProcessPath = e.ProcessPath;
  if (!e.ProcessPath.empty())
    r.Description = e.Description;
  else
    r.Description = r.ProcessName == "System" ? texts_.DescSystem : texts_.DescIdle;
  r.Company = e.Company;
  r.Mark = mark;
  // Counted before the loopback rule, so hidden loopback rows still count as programs.
  if (!e.ProcessPath.empty())
    CollectProgram(r.ProcessName.str());
  if (tcp && !window_.ShowLocalChecked() && IsLoopback(r)) {
    view_.DeleteRow(row);
    return nullptr;
  }
  return row;
}

void LiteralConnectionList::FillConnectionList() {
  snapshot_.ReadConnectionTables();
  programCountText_.clear();
  for (File_Rec& e : snapshot_.TcpRecs)
    AddRowFrom(e, true, "");
  for (File_Rec& e : snapshot_.UdpRecs)
    AddRowFrom(e, false, "");
  window_.SetNetCount(std::to_string(view_.RowCount()));
  // The selection falls on the row that the running sorts left first, before the final sort.
  if (ListRow* first = view_.FirstRow()) {
    view_.SelectRow(first);
    view_.FocusRow(first);
  }
  view_.SortRows();
  ShowProgramCount();
}

void LiteralConnectionList::RefreshConnectionList() {
  snapshot_.ReadConnectionTables();
  MergeSnapshot();
}

// Pairs one existing row with the first endpoint of its key that no other row has taken; false
// when the row must go. Several sockets can share one key (SO_REUSEPORT listeners, UDP sockets
// of one process on one port): skipping the taken ones keeps one row per socket, where pairing
// them all with the first would add a new row for the others on every refresh.
bool LiteralConnectionList::ExamineRow(ListRow* row) {
  TMyRec& r = *view_.RecordOf(row);
  bool found = false;
  if (r.Protocol == "TCP") {
    for (File_Rec& e : snapshot_.TcpRecs) {
      if (e.Matched == "ok" || !SameTcpKey(r, e))
        continue;
      if (window_.ShowLocalChecked() || !IsLoopback(r)) {
        found = true;
        e.Matched = "ok";
        std::string state = TcpStateText(e.StateCode);
        if (state == r.State) {
          r.Mark.clear();
        } else {
          r.Mark = "md";
          r.State = std::move(state);
        }
      }
      break;
    }
  } else {
    for (File_Rec& e : snapshot_.UdpRecs) {
      if (e.Matched == "ok" || !SameUdpKey(r, e))
        continue;
      found = true;
      e.Matched = "ok";
      break;
    }
  }
  if (found && !r.ProcessPath.empty())
    CollectProgram(r.ProcessName.str());
  return found;
}

void LiteralConnectionList::MergeSnapshot() {
  programCountText_.clear();
  for (ListRow* row = view_.FirstRow(); row != nullptr;) {
    ListRow* next = view_.NextRow(row);
    if (!ExamineRow(row))
      view_.DeleteRow(row);
    row = next;
  }
  for (File_Rec& e : snapshot_.TcpRecs)
    if (e.Matched != "ok")
      AddRowFrom(e, true, "add");
  for (File_Rec& e : snapshot_.UdpRecs)
    if (e.Matched != "ok")
      AddRowFrom(e, false, "add");
  view_.SortRows();
  window_.SetNetCount(std::to_string(view_.RowCount()));
  view_.TakeKeyboardFocus();
  if (view_.SelectedCount() == 0) {
    if (ListRow* first = view_.FirstRow()) {
      view_.SelectRow(first);
      view_.FocusRow(first);
    }
  }
  ShowProgramCount();
  view_.Repaint();
}

}  // namespace halvane
