#pragma once
#include <cstddef>
#include <span>
#include <vector>

#include "snapshot/raw_rows.h"

namespace halvane {

// Decoders of the Windows IP Helper blocks (little-endian 32-bit fields):
// MIB_TCPTABLE2: count, then rows of state, local addr, local port, remote addr, remote port,
// owning PID, offload state (28 bytes). MIB_UDPTABLE_OWNER_PID: count, then rows of local addr,
// local port, owning PID (12 bytes). A port is the first two bytes of its field, network order.
// A block shorter than its count claims yields only the whole rows it holds.
std::vector<RawTcpRow> DecodeTcpTable2(std::span<const std::byte> block);
std::vector<RawUdpRow> DecodeUdpTableOwnerPid(std::span<const std::byte> block);

}  // namespace halvane
