#pragma once
#include <unordered_map>

#include "snapshot/file_rec.h"
#include "snapshot/table_sources.h"

namespace halvane {

// Holds the last snapshot of both tables; ReadConnectionTables replaces both wholesale.
class ConnectionSnapshot {
 public:
  ConnectionSnapshot(IConnectionTables& tables, IProcessIdentity& identity)
      : tables_(tables), identity_(identity) {}

  void ReadConnectionTables();
  // Frees both arrays once their rows are merged; the next read fills them anew.
  void ReleaseTables();

  FileRecArray TcpRecs;
  FileRecArray UdpRecs;

 private:
  void ReadTcpRecs(const IProcessSnapshot* processes);
  void ReadUdpRecs(const IProcessSnapshot* processes);
  void FillIdentity(const IProcessSnapshot* processes, std::uint32_t pid, File_Rec& rec);

  struct ProcessIdentityText {
    RecText name, path, description, company;
  };

  IConnectionTables& tables_;
  IProcessIdentity& identity_;
  std::unordered_map<std::uint32_t, ProcessIdentityText> identities_;  // during one call only
};

}  // namespace halvane
