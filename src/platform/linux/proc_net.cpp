#include "platform/linux/proc_net.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace halvane {
namespace {

// The columns of a line: sl, local_address, rem_address, st, tx:rx, tr:when, retrnsmt, uid,
// timeout, inode, then more that are not read.
constexpr std::size_t kLocalColumn = 1;
constexpr std::size_t kRemoteColumn = 2;
constexpr std::size_t kStateColumn = 3;
constexpr std::size_t kInodeColumn = 9;
constexpr std::size_t kColumnsRead = 10;

template <typename T>
std::optional<T> ParseNumber(std::string_view text, int base) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

struct Columns {
  std::array<std::string_view, kColumnsRead> words{};
  std::size_t count = 0;
};

// The first kColumnsRead whitespace-separated words of `line`; fewer when the line has fewer.
Columns SplitColumns(std::string_view line) {
  Columns columns;
  std::size_t pos = 0;
  while (columns.count < kColumnsRead) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) {
      break;
    }
    const std::size_t end = std::min(line.find_first_of(" \t", pos), line.size());
    columns.words[columns.count++] = line.substr(pos, end - pos);
    pos = end;
  }
  return columns;
}

// Hex words of raw 32-bit values in host order, as the kernel prints them, back into bytes.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ParseAddressHex(std::string_view hex) {
  std::array<std::uint8_t, N> bytes{};
  for (std::size_t word = 0; word < N / 4; ++word) {
    const auto value = ParseNumber<std::uint32_t>(hex.substr(word * 8, 8), 16);
    if (!value) {
      return std::nullopt;
    }
    std::memcpy(bytes.data() + word * 4, &*value, 4);
  }
  return bytes;
}

struct ParsedEnd {
  bool ipv6 = false;
  Ipv6Bytes addr{};  // an IPv4 address fills the first four bytes
  std::uint16_t port = 0;
};

std::optional<ParsedEnd> ParseEnd(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || text.size() - colon - 1 != 4) {
    return std::nullopt;
  }
  const std::string_view hex = text.substr(0, colon);
  const auto port = ParseNumber<std::uint16_t>(text.substr(colon + 1), 16);
  if (!port) {
    return std::nullopt;
  }
  ParsedEnd end;
  end.port = *port;
  if (hex.size() == 8) {
    const auto addr = ParseAddressHex<4>(hex);
    if (!addr) {
      return std::nullopt;
    }
    std::memcpy(end.addr.data(), addr->data(), addr->size());
  } else if (hex.size() == 32) {
    const auto addr = ParseAddressHex<16>(hex);
    if (!addr) {
      return std::nullopt;
    }
    end.ipv6 = true;
    end.addr = *addr;
  } else {
    return std::nullopt;
  }
  return end;
}

Ipv4Bytes FirstFour(const Ipv6Bytes& addr) {
  return {addr[0], addr[1], addr[2], addr[3]};
}

std::optional<SocketEntry> ParseLine(std::string_view line) {
  const Columns columns = SplitColumns(line);
  if (columns.count < kColumnsRead || columns.words[0].back() != ':') {
    return std::nullopt;
  }
  const auto local = ParseEnd(columns.words[kLocalColumn]);
  const auto remote = ParseEnd(columns.words[kRemoteColumn]);
  const auto state = ParseNumber<std::uint8_t>(columns.words[kStateColumn], 16);
  const auto inode = ParseNumber<std::uint64_t>(columns.words[kInodeColumn], 10);
  if (!local || !remote || !state || !inode || local->ipv6 != remote->ipv6) {
    return std::nullopt;
  }
  SocketEntry entry;
  if (local->ipv6) {
    const auto ends = Ipv4EndpointsOfIpv6(local->addr, remote->addr, false);
    if (!ends) {
      return std::nullopt;
    }
    entry.localAddr = ends->first;
    entry.remoteAddr = ends->second;
  } else {
    entry.localAddr = FirstFour(local->addr);
    entry.remoteAddr = FirstFour(remote->addr);
  }
  entry.linuxState = *state;
  entry.localPort = local->port;
  entry.remotePort = remote->port;
  entry.inode = *inode;
  return entry;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  std::string text;
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    text.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

}  // namespace

std::vector<SocketEntry> ParseProcNetTable(std::string_view text) {
  std::vector<SocketEntry> entries;
  std::unordered_set<std::uint64_t> inodes;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    const std::optional<SocketEntry> entry = ParseLine(text.substr(pos, end - pos));
    pos = end + 1;
    if (!entry || (entry->inode != 0 && !inodes.insert(entry->inode).second)) {
      continue;
    }
    entries.push_back(*entry);
  }
  return entries;
}

std::vector<SocketEntry> ReadProcNetTable(const std::string& procRoot, std::string_view name) {
  const std::optional<std::string> text = ReadWholeFile(procRoot + "/net/" + std::string(name));
  return text ? ParseProcNetTable(*text) : std::vector<SocketEntry>{};
}

}  // namespace halvane
