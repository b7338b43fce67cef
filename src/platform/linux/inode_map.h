#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace halvane {

// A map from 64-bit keys (socket inodes, socket cookies) to 32-bit values, for the hundreds of
// thousands of sockets of one snapshot: open addressing in one array, no allocation per key.
// Every key is allowed, 0 and ~0 included.
class InodeMap {
 public:
  explicit InodeMap(std::size_t expected = 0) { Rehash(CapacityFor(expected)); }

  // Stores `value` for `key` unless the key is already there. Gives the value now stored for
  // the key (valid until the next insertion) and whether it was inserted.
  std::pair<std::uint32_t*, bool> TryEmplace(std::uint64_t key, std::uint32_t value) {
    if ((size_ + 1) * 2 > slots_.size()) {
      Rehash(slots_.size() * 2);
    }
    Slot& slot = slots_[SlotOf(key)];
    if (slot.used) {
      return {&slot.value, false};
    }
    slot = Slot{key, value, true};
    ++size_;
    return {&slot.value, true};
  }

  // The value stored for the key, or null.
  const std::uint32_t* Find(std::uint64_t key) const {
    const Slot& slot = slots_[SlotOf(key)];
    return slot.used ? &slot.value : nullptr;
  }
  std::uint32_t* Find(std::uint64_t key) {
    Slot& slot = slots_[SlotOf(key)];
    return slot.used ? &slot.value : nullptr;
  }

  bool Contains(std::uint64_t key) const { return Find(key) != nullptr; }
  std::size_t size() const { return size_; }

 private:
  struct Slot {
    std::uint64_t key = 0;
    std::uint32_t value = 0;
    bool used = false;
  };

  static std::size_t CapacityFor(std::size_t expected) {
    std::size_t capacity = 16;
    while (capacity < expected * 2) {
      capacity *= 2;
    }
    return capacity;
  }

  // The slot holding the key, or the free slot where it would go. The kernel hands out inodes
  // and cookies in runs of consecutive numbers, and dumps and scans meet them in about that
  // order: consecutive keys take consecutive slots, so the table is walked rather than hit at
  // random, while the bits above the runs spread the runs apart. Collisions probe linearly.
  std::size_t SlotOf(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t spread = ((key >> 16) * 0x9E3779B97F4A7C15ULL) >> 32;
    std::size_t at = static_cast<std::size_t>(key + spread) & mask;
    while (slots_[at].used && slots_[at].key != key) {
      at = (at + 1) & mask;
    }
    return at;
  }

  void Rehash(std::size_t capacity) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
    for (const Slot& slot : old) {
      if (slot.used) {
        slots_[SlotOf(slot.key)] = slot;
      }
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

}  // namespace halvane
