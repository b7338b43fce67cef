#include "connlist/connection_list.h"

#include "connlist/row_pairing.h"
#include "connlist/tcp_state_text.h"

namespace halvane {
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
    additions.lastDropped = tcp && hideLoopback && IsLoopbackRow(r);
    if (!additions.lastDropped)
      additions.Add(std::move(r));
  }
}

void ConnectionList::FillConnectionList() {
  snapshot_.ReadConnectionTables();
  programs_.Clear();
  RowAdditions additions;
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
  // A pairing noted for another read does not hold for this one.
  noted_.reset();
  snapshot_.ReadConnectionTables();
  MergeSnapshot();
}

// The rows in display order into `rows`, and their records as the pairing reads them.
std::vector<const TMyRec*> ConnectionList::RecordsInOrder(std::vector<ListRow*>& rows) const {
  const std::size_t rowCount = view_.RowCount();
  std::vector<const TMyRec*> records(rowCount);
  rows.resize(rowCount);
  for (std::size_t i = 0; i < rowCount; ++i) {
    rows[i] = view_.RowAt(i);
    records[i] = view_.RecordOf(rows[i]);
  }
  return records;
}

void ConnectionList::NoteRowsForPairing() {
  noted_ = std::make_unique<NotedRows>();
  noted_->generation = view_.Generation();
  noted_->showLocal = window_.ShowLocalChecked();
  noted_->records = RecordsInOrder(noted_->rows);
}

void ConnectionList::PairNotedRows() {
  if (!noted_)
    return;
  noted_->pairing =
      PairRows(noted_->records, noted_->showLocal, snapshot_.TcpRecs, snapshot_.UdpRecs);
  noted_->paired = true;
}

// The pairing made while the tables were read, when the rows, their order and the loopback
// option are still what they were then. Otherwise the rows are paired now, after the marks
// that pairing left on the endpoints are taken off again.
RowPairing ConnectionList::CurrentPairing(std::vector<ListRow*>& rows) {
  const std::unique_ptr<NotedRows> noted = std::move(noted_);
  if (noted && noted->paired) {
    if (noted->generation == view_.Generation() && noted->showLocal == window_.ShowLocalChecked()) {
      rows = std::move(noted->rows);
      return std::move(noted->pairing);
    }
    for (FileRecArray* endpoints : {&snapshot_.TcpRecs, &snapshot_.UdpRecs})
      for (File_Rec& e : *endpoints)
        e.Matched.clear();
  }
  const std::vector<const TMyRec*> records = RecordsInOrder(rows);
  return PairRows(records, window_.ShowLocalChecked(), snapshot_.TcpRecs, snapshot_.UdpRecs);
}

// Kept rows lose their marks; TCP rows whose state changed take the new one and "md".
void ConnectionList::WriteChanges(const RowPairing& pairing, const std::vector<ListRow*>& rows) {
  for (const RowPairing::Change& change : pairing.changed) {
    TMyRec& r = *view_.RecordOf(rows[change.row]);
    std::string state = TcpStateText(snapshot_.TcpRecs[change.endpoint].StateCode);
    if (state == r.State) {
      r.Mark.clear();
    } else {
      r.Mark = "md";
      r.State = std::move(state);
    }
  }
}

void ConnectionList::MergeSnapshot() {
  std::vector<ListRow*> rows;
  RowPairing pairing = CurrentPairing(rows);
  WriteChanges(pairing, rows);
  std::vector<ListRow*> removed;
  removed.reserve(pairing.removed.size());
  for (const std::uint32_t at : pairing.removed)
    removed.push_back(rows[at]);
  rows = {};
  programs_ = std::move(pairing.programs);
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
