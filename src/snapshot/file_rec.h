#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace halvane {

// One endpoint as read from the operating system, every value already in display text.
// UDP elements keep StateCode 0 and empty RemoteIP/RemotePort.
struct File_Rec {
  std::int32_t StateCode = 0;
  std::string LocalIP;
  std::string LocalPort;
  std::string RemoteIP;
  std::string RemotePort;
  std::string PID;
  std::string ProcessName;
  std::string ProcessPath;
  std::string Description;
  std::string Company;
  std::string Matched;  // "ok" once a refresh paired it with a row
};

using FileRecArray = std::vector<File_Rec>;

}  // namespace halvane
