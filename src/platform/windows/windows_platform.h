#pragma once
#include <memory>

#include "snapshot/table_sources.h"

namespace halvane {

// The connection tables and process identity of the running Windows system.
std::unique_ptr<IConnectionTables> MakeWindowsConnectionTables();
std::unique_ptr<IProcessIdentity> MakeWindowsProcessIdentity();

}  // namespace halvane
