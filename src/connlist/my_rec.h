#pragma once
#include <string>

namespace halvane {

// The record of one view row. Only State and Mark change after the row was added.
struct TMyRec {
  std::string Protocol;  // "TCP" or "UDP"
  std::string State;     // TCP: TcpStateText; UDP: empty
  std::string LocalIP;
  std::string LocalPort;
  std::string RemoteIP;    // empty for UDP
  std::string RemotePort;  // empty for UDP
  std::string PID;
  std::string ProcessName;
  std::string ProcessPath;  // empty: no known program file
  std::string Description;
  std::string Company;
  std::string Mark;  // "add", "md" or empty
};

}  // namespace halvane
