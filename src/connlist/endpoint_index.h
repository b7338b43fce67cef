#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "connlist/my_rec.h"
#include "snapshot/file_rec.h"

namespace halvane {

// Finds, for a row, the first endpoint of the snapshot array (in array order) with the row's key
// that no row has taken yet. TCP keys: PID, local and remote address and port; UDP keys: PID,
// local address and port. Endpoints are taken by setting their Matched to "ok".
class EndpointIndex {
 public:
  EndpointIndex(FileRecArray& endpoints, bool tcp);
  // The first endpoint of the row's key not yet taken, or null.
  File_Rec* FirstFree(const TMyRec& row);

 private:
  std::uint64_t KeyHash(const std::string& pid, const std::string& localIp,
                        const std::string& localPort, const std::string* remoteIp,
                        const std::string* remotePort) const;
  bool SameKey(const TMyRec& row, const File_Rec& rec) const;

  FileRecArray& endpoints_;
  bool tcp_;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> byHash_;  // (key hash, array index)
  std::vector<std::uint32_t> taken_;  // per run start: how many leading entries are taken
};

}  // namespace halvane
