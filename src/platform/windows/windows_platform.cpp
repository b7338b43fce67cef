#include "platform/windows/windows_platform.h"

#include "platform/windows/ip_helper_tables.h"
#include "platform/windows/windows_identity.h"

namespace halvane {

std::unique_ptr<IConnectionTables> MakeWindowsConnectionTables() {
  return std::make_unique<WindowsConnectionTables>(BindIpHelperEntryPoints(), GetProcessHeap());
}

std::unique_ptr<IProcessIdentity> MakeWindowsProcessIdentity() {
  return std::make_unique<WindowsProcessIdentity>();
}

}  // namespace halvane
