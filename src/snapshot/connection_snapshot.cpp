#include "snapshot/connection_snapshot.h"

#include "snapshot/text_forms.h"

namespace halvane {

// Name, path, then version strings of the path. A process is looked up once per snapshot: its
// other endpoints copy what the first one found, so a server with thousands of connections
// costs one lookup, and every row of one process shows the same identity.
void ConnectionSnapshot::FillIdentity(const IProcessSnapshot* processes, std::uint32_t pid,
                                      File_Rec& rec) {
  auto [known, isNew] = identities_.try_emplace(pid);
  ProcessIdentityText& id = known->second;
  if (isNew) {
    id.name = processes ? processes->GetProcessNameByPid(pid) : std::string();
    const std::string path = identity_.GetProcessPathByPid(pid);
    std::string company;
    id.description = identity_.GetFileVersionStrings(path, company);
    id.path = path;
    id.company = company;
  }
  rec.ProcessName = id.name;
  rec.ProcessPath = id.path;
  rec.Description = id.description;
  rec.Company = id.company;
}

// The arrays keep the elements of the last snapshot and every field is written over. Each raw
// table goes as soon as its array is filled, before the next table is read.
void ConnectionSnapshot::ReadTcpRecs(const IProcessSnapshot* processes) {
  const std::vector<RawTcpRow> tcp = tables_.ReadTcpTable();
  TcpRecs.resize(tcp.size());
  for (std::size_t i = 0; i < tcp.size(); ++i) {
    const RawTcpRow& row = tcp[i];
    File_Rec& rec = TcpRecs[i];
    rec.StateCode = row.state;
    AssignIpv4Text(row.localAddr, rec.LocalIP);
    AssignPortText(row.localPort, rec.LocalPort);
    AssignIpv4Text(row.remoteAddr, rec.RemoteIP);
    AssignPortText(row.remotePort, rec.RemotePort);
    AssignPidText(row.pid, rec.PID);
    FillIdentity(processes, row.pid, rec);
    rec.Matched.clear();
  }
}

void ConnectionSnapshot::ReadUdpRecs(const IProcessSnapshot* processes) {
  const std::vector<RawUdpRow> udp = tables_.ReadUdpTable();
  UdpRecs.resize(udp.size());
  for (std::size_t i = 0; i < udp.size(); ++i) {
    const RawUdpRow& row = udp[i];
    File_Rec& rec = UdpRecs[i];
    rec.StateCode = 0;
    AssignIpv4Text(row.localAddr, rec.LocalIP);
    AssignPortText(row.localPort, rec.LocalPort);
    rec.RemoteIP.clear();
    rec.RemotePort.clear();
    AssignPidText(row.pid, rec.PID);
    FillIdentity(processes, row.pid, rec);
    rec.Matched.clear();
  }
}

void ConnectionSnapshot::ReadConnectionTables() {
  // One process snapshot serves every name lookup of both tables.
  const std::unique_ptr<IProcessSnapshot> processes = identity_.CreateProcessSnapshot();
  identities_.clear();
  ReadTcpRecs(processes.get());
  ReadUdpRecs(processes.get());
  identities_.clear();
}

void ConnectionSnapshot::ReleaseTables() {
  FileRecArray().swap(TcpRecs);
  FileRecArray().swap(UdpRecs);
}

}  // namespace halvane
