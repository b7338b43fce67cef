#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "snapshot/raw_rows.h"
#include "snapshot/table_sources.h"

namespace halvane::fakes {

// "a.b.c.d" as the four bytes of a raw row; malformed parts become 0.
inline Ipv4Bytes Addr(const std::string& dotted) {
  Ipv4Bytes bytes{};
  std::size_t part = 0;
  unsigned value = 0;
  for (char c : dotted + ".") {
    if (c == '.') {
      if (part < bytes.size())
        bytes[part++] = static_cast<std::uint8_t>(value);
      value = 0;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned>(c - '0');
    }
  }
  return bytes;
}

inline RawTcpRow Tcp(std::int32_t state, const std::string& localIp, std::uint16_t localPort,
                     const std::string& remoteIp, std::uint16_t remotePort, std::uint32_t pid) {
  RawTcpRow row;
  row.state = state;
  row.localAddr = Addr(localIp);
  row.localPort = localPort;
  row.remoteAddr = Addr(remoteIp);
  row.remotePort = remotePort;
  row.pid = pid;
  return row;
}

inline RawUdpRow Udp(const std::string& localIp, std::uint16_t localPort, std::uint32_t pid) {
  RawUdpRow row;
  row.localAddr = Addr(localIp);
  row.localPort = localPort;
  row.pid = pid;
  return row;
}

// Hands out whatever rows the test put in; logs each read when given a log.
class FakeConnectionTables : public IConnectionTables {
 public:
  explicit FakeConnectionTables(CallLog* log = nullptr) : log_(log) {}

  std::vector<RawTcpRow> ReadTcpTable() override {
    if (log_)
      log_->push_back("tcp table");
    return tcp;
  }
  std::vector<RawUdpRow> ReadUdpTable() override {
    if (log_)
      log_->push_back("udp table");
    return udp;
  }

  std::vector<RawTcpRow> tcp;
  std::vector<RawUdpRow> udp;

 private:
  CallLog* log_;
};

}  // namespace halvane::fakes
