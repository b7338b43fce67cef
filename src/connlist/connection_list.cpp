#include "connlist/connection_list.h"

#include "connlist/endpoint_index.h"
#include "connlist/tcp_state_text.h"

namespace halvane {
namespace {
constexpr const char* kLoopback = "127.0.0.1";
}

bool ConnectionList::IsLoopback(const TMyRec& rec) const {
  return rec.LocalIP == kLoopback && rec.RemoteIP == kLoopback;
}

// New rows, one per endpoint in array order. A program is counted before the loopback rule, so
// a program whose only rows are hidden loopback connections still counts.
void ConnectionList::AddRowsFor(FileRecArray& endpoints, bool tcp, const char* mark,
                                bool onlyUnmatched, RowAdditions& additions) {
  const bool hideLoopback = !window_.ShowLocalChecked();
  for (File_Rec& e : endpoints) {
    if (onlyUnmatched && e.Matched == "ok")
      continue;
    TMyRec r;
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
    if (!e.ProcessPath.empty())
      programs_.Collect(r.ProcessName);
    ++additions.addCount;
    additions.lastDropped = tcp && hideLoopback && IsLoopback(r);
    if (!additions.lastDropped)
      additions.records.push_back(std::move(r));
  }
}

void ConnectionList::FillConnectionList() {
  snapshot_.ReadConnectionTables();
  programs_.Clear();
  RowAdditions additions;
  additions.records.reserve(snapshot_.TcpRecs.size() + snapshot_.UdpRecs.size());
  AddRowsFor(snapshot_.TcpRecs, true, "", false, additions);
  AddRowsFor(snapshot_.UdpRecs, false, "", false, additions);
  // The selection falls on the row that was first before the final sort.
  ListRow* first = view_.MergeRows({}, std::move(additions));
  window_.SetNetCount(std::to_string(view_.RowCount()));
  if (first) {
    view_.SelectRow(first);
    view_.FocusRow(first);
  }
  window_.SetAppCount(std::to_string(programs_.Count()));
}

void ConnectionList::RefreshConnectionList() {
  snapshot_.ReadConnectionTables();
  MergeSnapshot();
}

bool ConnectionList::ExamineTcpRow(TMyRec& r, EndpointIndex& index) {
  const std::uint32_t e = index.FirstFree(r);
  // A loopback connection hidden by the option ends the search unpaired: the row goes.
  if (e == EndpointIndex::kNone || (!window_.ShowLocalChecked() && IsLoopback(r)))
    return false;
  index.Take(e);
  std::string state = TcpStateText(index.StateCodeOf(e));
  if (state == r.State) {
    r.Mark.clear();
  } else {
    r.Mark = "md";
    r.State = std::move(state);
  }
  return true;
}

bool ConnectionList::ExamineUdpRow(TMyRec& r, EndpointIndex& index) {
  const std::uint32_t e = index.FirstFree(r);
  if (e == EndpointIndex::kNone)
    return false;
  index.Take(e);
  return true;
}

// Pairs every row, in display order, with the first free endpoint of its key; the rows left
// unpaired are to go. The indexes live only for the pairing, so their memory is free again
// before the view places the new rows.
std::vector<ListRow*> ConnectionList::PairRows() {
  EndpointIndex tcpIndex(snapshot_.TcpRecs, true);
  EndpointIndex udpIndex(snapshot_.UdpRecs, false);
  std::vector<ListRow*> removed;
  const std::size_t rowCount = view_.RowCount();
  for (std::size_t i = 0; i < rowCount; ++i) {
    ListRow* row = view_.RowAt(i);
    TMyRec& r = *view_.RecordOf(row);
    const bool found =
        r.Protocol == "TCP" ? ExamineTcpRow(r, tcpIndex) : ExamineUdpRow(r, udpIndex);
    if (!found)
      removed.push_back(row);
    else if (!r.ProcessPath.empty())
      programs_.Collect(r.ProcessName);
  }
  // The paired endpoints are marked once every row is paired, in array order.
  tcpIndex.MarkTaken();
  udpIndex.MarkTaken();
  return removed;
}

void ConnectionList::MergeSnapshot() {
  programs_.Clear();
  const std::vector<ListRow*> removed = PairRows();
  RowAdditions additions;
  AddRowsFor(snapshot_.TcpRecs, true, "add", true, additions);
  AddRowsFor(snapshot_.UdpRecs, false, "add", true, additions);
  view_.MergeRows(removed, std::move(additions));
  window_.SetNetCount(std::to_string(view_.RowCount()));
  view_.TakeKeyboardFocus();
  if (view_.SelectedCount() == 0) {
    if (ListRow* first = view_.FirstRow()) {
      view_.SelectRow(first);
      view_.FocusRow(first);
    }
  }
  window_.SetAppCount(std::to_string(programs_.Count()));
  view_.Repaint();
}

}  // namespace halvane
