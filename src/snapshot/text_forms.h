#pragma once
#include <cstdint>
#include <string>

#include "snapshot/raw_rows.h"

namespace halvane {

// Dotted decimal, as inet_ntoa writes it: {127,0,0,1} -> "127.0.0.1".
std::string Ipv4Text(const Ipv4Bytes& addr);
// Decimal without leading zeros, 0-65535.
std::string PortText(std::uint16_t port);
// A process ID read as unsigned 32-bit, never with a minus sign.
std::string PidText(std::uint32_t pid);

// The same texts written over what `into` held, reusing its storage: a snapshot rewrites the
// texts of hundreds of thousands of rows, and these all fit the string's own buffer.
void AssignIpv4Text(const Ipv4Bytes& addr, std::string& into);
void AssignPortText(std::uint16_t port, std::string& into);
void AssignPidText(std::uint32_t pid, std::string& into);

}  // namespace halvane
