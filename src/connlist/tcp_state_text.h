#pragma once
#include <cstdint>
#include <string>

namespace halvane {

// Display text of a TCP state code; codes outside 1-12 give "未知状态" and the signed code.
std::string TcpStateText(std::int32_t code);

}  // namespace halvane
