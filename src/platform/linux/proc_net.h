#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/socket_entry.h"

namespace halvane {

// Parses the text of /proc/net/tcp, tcp6, udp or udp6 into its IPv4 sockets, in file order.
//
// Each address is written as the hex of the raw 32-bit words in host byte order (on x86
// 0100007F is 127.0.0.1); ports are the hex of the number (0050 is 80). IPv6 lines give a
// socket when the local address is ::ffff:a.b.c.d; a socket bound to :: is skipped, since the
// file does not say whether it also accepts IPv4. The header line and malformed lines are
// skipped, and a socket listed twice (the file is not read atomically) is kept once.
std::vector<SocketEntry> ParseProcNetTable(std::string_view text);

// Reads and parses <procRoot>/net/<name>; empty when the file cannot be read.
std::vector<SocketEntry> ReadProcNetTable(const std::string& procRoot, std::string_view name);

}  // namespace halvane
