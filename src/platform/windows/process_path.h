#pragma once
#include <cstdint>
#include <string>

#include "platform/windows/psapi_functions.h"

namespace halvane {

// The full path of the process's first module (its program file), or empty when the process
// cannot be opened for querying and reading, or its modules cannot be read.
std::string ProcessPathByPid(PsapiFunctions& psapi, std::uint32_t pid);

}  // namespace halvane
