#include "snapshot/connection_snapshot.h"

#include "snapshot/text_forms.h"

namespace halvane {

void ConnectionSnapshot::FillIdentity(const IProcessSnapshot* processes, std::uint32_t pid,
                                      File_Rec& rec) {
  rec.ProcessName = processes ? processes->GetProcessNameByPid(pid) : std::string();
  rec.ProcessPath = identity_.GetProcessPathByPid(pid);
  std::string company;
  rec.Description = identity_.GetFileVersionStrings(rec.ProcessPath, company);
  rec.Company = std::move(company);
}

void ConnectionSnapshot::ReadConnectionTables() {
  // One process snapshot serves every name lookup of both tables.
  const std::unique_ptr<IProcessSnapshot> processes = identity_.CreateProcessSnapshot();

  const std::vector<RawTcpRow> tcp = tables_.ReadTcpTable();
  TcpRecs.clear();
  TcpRecs.resize(tcp.size());
  for (std::size_t i = 0; i < tcp.size(); ++i) {
    const RawTcpRow& row = tcp[i];
    File_Rec& rec = TcpRecs[i];
    rec.StateCode = row.state;
    rec.LocalIP = Ipv4Text(row.localAddr);
    rec.LocalPort = PortText(row.localPort);
    rec.RemoteIP = Ipv4Text(row.remoteAddr);
    rec.RemotePort = PortText(row.remotePort);
    rec.PID = PidText(row.pid);
    FillIdentity(processes.get(), row.pid, rec);
  }

  const std::vector<RawUdpRow> udp = tables_.ReadUdpTable();
  UdpRecs.clear();
  UdpRecs.resize(udp.size());
  for (std::size_t i = 0; i < udp.size(); ++i) {
    const RawUdpRow& row = udp[i];
    File_Rec& rec = UdpRecs[i];
    rec.LocalIP = Ipv4Text(row.localAddr);
    rec.LocalPort = PortText(row.localPort);
    rec.PID = PidText(row.pid);
    FillIdentity(processes.get(), row.pid, rec);
  }
}

}  // namespace halvane
