#include "platform/linux/capabilities.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace halvane {

namespace {

// Version 3 of the interface carries 64 capability bits in two 32-bit words.
constexpr int kCapabilityWords = 2;

std::uint64_t Bit(int capability) {
  return std::uint64_t{1} << capability;
}

std::uint64_t Join(const __user_cap_data_struct (&data)[kCapabilityWords],
                   std::uint32_t __user_cap_data_struct::*field) {
  return std::uint64_t{data[0].*field} | (std::uint64_t{data[1].*field} << 32);
}

void Split(std::uint64_t bits, __user_cap_data_struct (&data)[kCapabilityWords],
           std::uint32_t __user_cap_data_struct::*field) {
  data[0].*field = static_cast<std::uint32_t>(bits);
  data[1].*field = static_cast<std::uint32_t>(bits >> 32);
}

}  // namespace

std::uint64_t DebugCapabilityMask() {
  return Bit(CAP_SYS_PTRACE) | Bit(CAP_DAC_READ_SEARCH) | Bit(CAP_KILL);
}

CapabilitySets WithDebugCapabilitiesRaised(const CapabilitySets& sets) {
  CapabilitySets raised = sets;
  raised.effective |= sets.permitted & DebugCapabilityMask();
  return raised;
}

bool HasDebugCapabilitiesEffective(const CapabilitySets& sets) {
  return (sets.effective & DebugCapabilityMask()) == DebugCapabilityMask();
}

std::optional<CapabilitySets> ReadOwnCapabilities() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[kCapabilityWords]{};
  if (::syscall(SYS_capget, &header, data) != 0) {
    return std::nullopt;
  }
  CapabilitySets sets;
  sets.effective = Join(data, &__user_cap_data_struct::effective);
  sets.permitted = Join(data, &__user_cap_data_struct::permitted);
  sets.inheritable = Join(data, &__user_cap_data_struct::inheritable);
  return sets;
}

bool WriteOwnCapabilities(const CapabilitySets& sets) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[kCapabilityWords]{};
  Split(sets.effective, data, &__user_cap_data_struct::effective);
  Split(sets.permitted, data, &__user_cap_data_struct::permitted);
  Split(sets.inheritable, data, &__user_cap_data_struct::inheritable);
  return ::syscall(SYS_capset, &header, data) == 0;
}

bool RaiseDebugCapabilities() {
  const std::optional<CapabilitySets> before = ReadOwnCapabilities();
  if (!before) {
    return false;
  }
  if (HasDebugCapabilitiesEffective(*before)) {
    return true;
  }
  const CapabilitySets raised = WithDebugCapabilitiesRaised(*before);
  if (raised != *before) {
    WriteOwnCapabilities(raised);
  }
  const std::optional<CapabilitySets> after = ReadOwnCapabilities();
  return after && HasDebugCapabilitiesEffective(*after);
}

}  // namespace halvane
