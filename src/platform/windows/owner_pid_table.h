#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace halvane {

// GetExtendedTcpTable's MIB_TCPTABLE_OWNER_PID block (count, then rows of state, local addr,
// local port, remote addr, remote port, owning PID: 24 bytes) rewritten in the MIB_TCPTABLE2
// layout (the same six fields and an offload state of 0: 28 bytes), so that one decoder reads
// both. A block shorter than its count claims keeps only the whole rows it holds.
std::vector<std::byte> TcpOwnerPidTableAsTable2(std::span<const std::byte> block);

}  // namespace halvane
