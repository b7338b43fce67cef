#pragma once
#include <memory>

#include "snapshot/table_sources.h"

namespace halvane {

// The connection tables and process identity of the running Linux system.
std::unique_ptr<IConnectionTables> MakeLinuxConnectionTables();
std::unique_ptr<IProcessIdentity> MakeLinuxProcessIdentity();

}  // namespace halvane
