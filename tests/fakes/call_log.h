#pragma once
#include <string>
#include <vector>

namespace halvane::fakes {

// The calls a fake received, in order, as short texts such as "path 100".
using CallLog = std::vector<std::string>;

}  // namespace halvane::fakes
