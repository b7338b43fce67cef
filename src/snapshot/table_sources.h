#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "snapshot/raw_rows.h"

namespace halvane {

// The operating system's IPv4 connection tables with owning process IDs.
// A table that cannot be read is returned empty.
class IConnectionTables {
 public:
  virtual ~IConnectionTables() = default;
  virtual std::vector<RawTcpRow> ReadTcpTable() = 0;
  virtual std::vector<RawUdpRow> ReadUdpTable() = 0;
};

// One process snapshot: image names by PID as they were when it was taken.
class IProcessSnapshot {
 public:
  virtual ~IProcessSnapshot() = default;
  // Empty when the snapshot does not list the PID.
  virtual std::string GetProcessNameByPid(std::uint32_t pid) const = 0;
};

// Who a process is. Every lookup that finds nothing gives an empty string; nothing throws.
class IProcessIdentity {
 public:
  virtual ~IProcessIdentity() = default;
  // Null when no snapshot can be taken: every name is then empty.
  virtual std::unique_ptr<IProcessSnapshot> CreateProcessSnapshot() = 0;
  virtual std::string GetProcessPathByPid(std::uint32_t pid) = 0;
  // The file's description; `company` is set to its company (both empty when unknown).
  virtual std::string GetFileVersionStrings(const std::string& path, std::string& company) = 0;
  // Raises the access needed to examine and end other accounts' processes.
  virtual bool EnableDebugPrivilege() = 0;
};

}  // namespace halvane
