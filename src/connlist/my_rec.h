#pragma once
#include "snapshot/rec_text.h"

namespace halvane {

// The record of one view row. Only State and Mark change after the row was added.
struct TMyRec {
  RecText Protocol;  // "TCP" or "UDP"
  RecText State;     // TCP: TcpStateText; UDP: empty
  RecText LocalIP;
  RecText LocalPort;
  RecText RemoteIP;    // empty for UDP
  RecText RemotePort;  // empty for UDP
  RecText PID;
  RecText ProcessName;
  RecText ProcessPath;  // empty: no known program file
  RecText Description;
  RecText Company;
  RecText Mark;  // "add", "md" or empty
};

}  // namespace halvane
