#pragma once
#include <cstdint>
#include <optional>

namespace halvane {

// The capability sets of a thread, one bit per capability number.
struct CapabilitySets {
  std::uint64_t effective = 0;
  std::uint64_t permitted = 0;
  std::uint64_t inheritable = 0;
  bool operator==(const CapabilitySets&) const = default;
};

// CAP_SYS_PTRACE (look into other accounts' processes), CAP_DAC_READ_SEARCH (read their
// files) and CAP_KILL (end them): the Linux counterpart of the debug privilege.
std::uint64_t DebugCapabilityMask();

// The sets with those of the three that are permitted added to the effective set.
CapabilitySets WithDebugCapabilitiesRaised(const CapabilitySets& sets);
bool HasDebugCapabilitiesEffective(const CapabilitySets& sets);

// The calling thread's sets (capget); empty when the kernel refuses.
std::optional<CapabilitySets> ReadOwnCapabilities();
// Sets the calling thread's sets (capset); false when the kernel refuses.
bool WriteOwnCapabilities(const CapabilitySets& sets);

// Raises the three capabilities from the permitted into the effective set of the calling
// thread; true when all three are effective afterwards. A program started without them
// permitted (not root, no file capabilities) gets false and keeps the user's access.
bool RaiseDebugCapabilities();

}  // namespace halvane
