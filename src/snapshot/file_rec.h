#pragma once
#include <cstdint>
#include <vector>

#include "snapshot/rec_text.h"

namespace halvane {

// One endpoint as read from the operating system, every value already in display text.
// The identity texts of one process share their storage among all its endpoints.
// UDP elements keep StateCode 0 and empty RemoteIP/RemotePort.
struct File_Rec {
  std::int32_t StateCode = 0;
  RecText LocalIP;
  RecText LocalPort;
  RecText RemoteIP;
  RecText RemotePort;
  RecText PID;
  RecText ProcessName;
  RecText ProcessPath;
  RecText Description;
  RecText Company;
  RecText Matched;  // "ok" once a refresh paired it with a row
};

using FileRecArray = std::vector<File_Rec>;

}  // namespace halvane
