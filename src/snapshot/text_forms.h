#pragma once
#include <cstdint>
#include <string>

#include "snapshot/raw_rows.h"
#include "snapshot/rec_text.h"

namespace halvane {

// Dotted decimal, as inet_ntoa writes it: {127,0,0,1} -> "127.0.0.1".
std::string Ipv4Text(const Ipv4Bytes& addr);
// Decimal without leading zeros, 0-65535.
std::string PortText(std::uint16_t port);
// A process ID read as unsigned 32-bit, never with a minus sign.
std::string PidText(std::uint32_t pid);

// The same texts written over what `into` held; they all fit in place, so nothing is allocated
// when a snapshot rewrites the texts of hundreds of thousands of rows.
void AssignIpv4Text(const Ipv4Bytes& addr, RecText& into);
void AssignPortText(std::uint16_t port, RecText& into);
void AssignPidText(std::uint32_t pid, RecText& into);

}  // namespace halvane
