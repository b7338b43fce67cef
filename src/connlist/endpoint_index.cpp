#include "connlist/endpoint_index.h"

#include <cstring>
#include <string_view>

namespace halvane {
namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
  h = (h ^ word) * kMultiplier;
  return h ^ (h >> 29);
}

// The hash of a packed key, eight bytes at a time.
std::uint64_t HashOf(std::string_view key) {
  std::uint64_t h = 0x51ED27 ^ key.size();
  std::size_t at = 0;
  for (; at + 8 <= key.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, key.data() + at, 8);
    h = Mix(h, word);
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, key.data() + at, key.size() - at);
  return Mix(h, tail);
}

// A field as its length and its bytes, so that the packed texts of two keys are equal exactly
// when every field is: ("1", "23") and ("12", "3") differ. Lengths below 255 take one byte.
std::size_t PackedSize(std::string_view field) {
  return field.size() + (field.size() < 255 ? 1 : 1 + sizeof(std::uint64_t));
}

char* PackField(char* at, std::string_view field) {
  if (field.size() < 255) {
    *at++ = static_cast<char>(field.size());
  } else {
    *at++ = static_cast<char>(255);
    const auto length = static_cast<std::uint64_t>(field.size());
    std::memcpy(at, &length, sizeof length);
    at += sizeof length;
  }
  std::memcpy(at, field.data(), field.size());
  return at + field.size();
}

}  // namespace

EndpointIndex::EndpointIndex(FileRecArray& endpoints, bool tcp) : endpoints_(endpoints), tcp_(tcp) {
  std::size_t capacity = 16;
  while (capacity < endpoints.size() * 2)
    capacity *= 2;
  slots_.resize(capacity);
  keyStart_.reserve(endpoints.size() + 1);
  states_.reserve(endpoints.size());
  taken_.reserve(endpoints.size());
  keys_.reserve(endpoints.size() * (tcp ? 40 : 24));
  std::vector<std::uint64_t> hashes;
  hashes.reserve(endpoints.size());
  for (const File_Rec& e : endpoints) {
    const std::size_t start = keys_.size();
    keyStart_.push_back(static_cast<std::uint32_t>(start));
    PackKey(e.PID, e.LocalIP, e.LocalPort, e.RemoteIP, e.RemotePort, keys_);
    hashes.push_back(HashOf(std::string_view(keys_).substr(start)));
    states_.push_back(e.StateCode);
    taken_.push_back(e.Matched == "ok" ? kTakenBefore : kFree);
  }
  keyStart_.push_back(static_cast<std::uint32_t>(keys_.size()));
  // Chained from the last endpoint to the first, each chain runs in array order.
  next_.assign(endpoints.size(), kNone);
  for (std::size_t i = endpoints.size(); i-- > 0;) {
    Slot& slot = SlotOf(hashes[i]);
    slot.tag = TagOf(hashes[i]);
    next_[i] = slot.first;
    slot.first = static_cast<std::uint32_t>(i);
  }
}

// Appends the packed key to `into`.
void EndpointIndex::PackKey(std::string_view pid, std::string_view localIp,
                            std::string_view localPort, std::string_view remoteIp,
                            std::string_view remotePort, std::string& into) const {
  std::size_t size = PackedSize(pid) + PackedSize(localIp) + PackedSize(localPort);
  if (tcp_)
    size += PackedSize(remoteIp) + PackedSize(remotePort);
  const std::size_t start = into.size();
  into.resize(start + size);
  char* at = PackField(PackField(PackField(into.data() + start, pid), localIp), localPort);
  if (tcp_)
    PackField(PackField(at, remoteIp), remotePort);
}

std::uint32_t EndpointIndex::TagOf(std::uint64_t hash) {
  return static_cast<std::uint32_t>(hash) | 1u;
}

// The slot of the hash's tag, or the free one where it would go.
EndpointIndex::Slot& EndpointIndex::SlotOf(std::uint64_t hash) {
  const std::uint32_t tag = TagOf(hash);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = static_cast<std::size_t>(hash >> 32) & mask;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.tag == 0 || slot.tag == tag)
      return slot;
  }
}

bool EndpointIndex::KeyAt(std::uint32_t at, const std::string& key) const {
  const std::size_t start = keyStart_[at];
  const std::size_t length = keyStart_[at + 1] - start;
  return length == key.size() && std::memcmp(keys_.data() + start, key.data(), length) == 0;
}

std::uint32_t EndpointIndex::FirstFree(const TMyRec& row) {
  rowKey_.clear();
  PackKey(row.PID, row.LocalIP, row.LocalPort, row.RemoteIP, row.RemotePort, rowKey_);
  Slot& slot = SlotOf(HashOf(rowKey_));  // a free slot has no chain: nothing found
  // Entries taken from the front of a chain are dropped from it, so many sockets sharing one
  // key cost no more than one each.
  bool prefixTaken = true;
  for (std::uint32_t at = slot.first; at != kNone; at = next_[at]) {
    const bool taken = taken_[at] != kFree;
    if (taken && prefixTaken) {
      slot.first = next_[at];
      continue;
    }
    prefixTaken = false;
    if (!taken && KeyAt(at, rowKey_))
      return at;
  }
  return kNone;
}

void EndpointIndex::MarkTaken() {
  for (std::size_t i = 0; i < taken_.size(); ++i)
    if (taken_[i] == kTakenHere)
      endpoints_[i].Matched = "ok";
}

}  // namespace halvane
