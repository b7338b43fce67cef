#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace halvane {

// A map from 64-bit keys (socket inodes) to 32-bit values, for the hundreds of
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

  // The slot holding the key, or the free slot where it would go: the top bits of a
  // multiplicative hash pick the first slot (inodes come in runs of consecutive numbers, which
  // this spreads evenly), collisions probe linearly.
  std::size_t SlotOf(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_);
    while (slots_[at].used && slots_[at].key != key) {
      at = (at + 1) & mask;
    }
    return at;
  }

  void Rehash(std::size_t capacity) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
    shift_ = 64;
    for (std::size_t c = capacity; c > 1; c /= 2) {
      --shift_;
    }
    for (const Slot& slot : old) {
      if (slot.used) {
        slots_[SlotOf(slot.key)] = slot;
      }
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  int shift_ = 64;  // 64 - log2(capacity)
};

}  // namespace halvane
