#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "connlist/my_rec.h"
#include "snapshot/file_rec.h"

namespace halvane {

// Finds, for a row, the first endpoint of the snapshot array (in array order) with the row's key
// that no row has taken yet. TCP keys: PID, local and remote address and port; UDP keys: PID,
// local address and port. An endpoint whose Matched is "ok" when the index is made counts as
// taken; Take takes one more, and MarkTaken sets Matched to "ok" on all of those.
//
// The index keeps what the pairing reads — each key packed into one text, the state code, the
// taken mark — in arrays of its own, so a lookup reads a few bytes where the endpoint itself
// would spread over a third of a kilobyte: pairing a hundred thousand rows stays in the cache.
class EndpointIndex {
 public:
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  EndpointIndex(FileRecArray& endpoints, bool tcp);

  // The array position of the first endpoint of the row's key not yet taken, or kNone.
  std::uint32_t FirstFree(const TMyRec& row);
  void Take(std::uint32_t at) { taken_[at] = kTakenHere; }
  std::int32_t StateCodeOf(std::uint32_t at) const { return states_[at]; }
  // Sets Matched to "ok" on every endpoint taken through Take.
  void MarkTaken();

 private:
  // The endpoints of one hash tag, chained in array order through next_. A tag is never 0, so
  // 0 marks a free slot.
  struct Slot {
    std::uint32_t tag = 0;
    std::uint32_t first = kNone;  // the first entry not known to be taken
  };
  enum : std::uint8_t { kFree, kTakenBefore, kTakenHere };

  void PackKey(std::string_view pid, std::string_view localIp, std::string_view localPort,
               std::string_view remoteIp, std::string_view remotePort, std::string& into) const;
  Slot& SlotOf(std::uint64_t hash);
  static std::uint32_t TagOf(std::uint64_t hash);
  bool KeyAt(std::uint32_t at, const std::string& key) const;

  FileRecArray& endpoints_;
  bool tcp_;
  std::vector<Slot> slots_;          // open addressing by hash
  std::vector<std::uint32_t> next_;  // per endpoint: the next one of the same hash, or kNone
  std::string keys_;                 // the packed keys, one after another in array order
  std::vector<std::uint32_t>
      keyStart_;                      // per endpoint, and one past the last: where its key starts
  std::vector<std::int32_t> states_;  // per endpoint: StateCode
  std::vector<std::uint8_t> taken_;   // per endpoint: kFree, kTakenBefore or kTakenHere
  std::string rowKey_;                // the packed key of the row looked up, reused
};

}  // namespace halvane
