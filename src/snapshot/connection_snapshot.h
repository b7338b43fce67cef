#pragma once
#include "snapshot/file_rec.h"
#include "snapshot/table_sources.h"

namespace halvane {

// Holds the last snapshot of both tables; ReadConnectionTables replaces both wholesale.
class ConnectionSnapshot {
 public:
  ConnectionSnapshot(IConnectionTables& tables, IProcessIdentity& identity)
      : tables_(tables), identity_(identity) {}

  void ReadConnectionTables();

  FileRecArray TcpRecs;
  FileRecArray UdpRecs;

 private:
  void FillIdentity(const IProcessSnapshot* processes, std::uint32_t pid, File_Rec& rec);

  IConnectionTables& tables_;
  IProcessIdentity& identity_;
};

}  // namespace halvane
