#include "connlist/endpoint_index.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace halvane {
namespace {

std::uint64_t Mix(std::uint64_t seed, const std::string& field) {
  const std::uint64_t h = std::hash<std::string_view>()(field);
  return (seed ^ h) * 0x9E3779B97F4A7C15ULL + (seed >> 29);
}

}  // namespace

EndpointIndex::EndpointIndex(FileRecArray& endpoints, bool tcp) : endpoints_(endpoints), tcp_(tcp) {
  byHash_.reserve(endpoints.size());
  for (std::size_t i = 0; i < endpoints.size(); ++i) {
    const File_Rec& e = endpoints[i];
    byHash_.emplace_back(KeyHash(e.PID, e.LocalIP, e.LocalPort, tcp ? &e.RemoteIP : nullptr,
                                 tcp ? &e.RemotePort : nullptr),
                         static_cast<std::uint32_t>(i));
  }
  // Within one hash, entries stay in array order.
  std::sort(byHash_.begin(), byHash_.end());
  taken_.assign(byHash_.size(), 0);
}

std::uint64_t EndpointIndex::KeyHash(const std::string& pid, const std::string& localIp,
                                     const std::string& localPort, const std::string* remoteIp,
                                     const std::string* remotePort) const {
  std::uint64_t h = Mix(Mix(Mix(0x51ED27, pid), localIp), localPort);
  if (remoteIp)
    h = Mix(Mix(h, *remoteIp), *remotePort);
  return h;
}

bool EndpointIndex::SameKey(const TMyRec& row, const File_Rec& rec) const {
  if (row.PID != rec.PID || row.LocalIP != rec.LocalIP || row.LocalPort != rec.LocalPort)
    return false;
  return !tcp_ || (row.RemoteIP == rec.RemoteIP && row.RemotePort == rec.RemotePort);
}

File_Rec* EndpointIndex::FirstFree(const TMyRec& row) {
  const std::uint64_t h = KeyHash(row.PID, row.LocalIP, row.LocalPort,
                                  tcp_ ? &row.RemoteIP : nullptr, tcp_ ? &row.RemotePort : nullptr);
  const auto first = std::lower_bound(byHash_.begin(), byHash_.end(), std::make_pair(h, 0u));
  if (first == byHash_.end() || first->first != h)
    return nullptr;
  const std::size_t start = static_cast<std::size_t>(first - byHash_.begin());
  // Entries taken from the front of a run are skipped without being looked at again, so many
  // sockets sharing one key cost no more than one each.
  std::uint32_t& skip = taken_[start];
  bool prefixTaken = true;
  for (std::size_t at = start + skip; at < byHash_.size() && byHash_[at].first == h; ++at) {
    File_Rec& e = endpoints_[byHash_[at].second];
    const bool taken = e.Matched == "ok";
    if (taken && prefixTaken) {
      ++skip;
      continue;
    }
    prefixTaken = false;
    if (!taken && SameKey(row, e))
      return &e;
  }
  return nullptr;
}

}  // namespace halvane
