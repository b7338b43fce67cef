// The console companion's entry on Windows: the list of the running system, printed as UTF-8.
#include <windows.h>

#include "cli/cli_main.h"
#include "platform/windows/windows_platform.h"

int main(int argc, char** argv) {
  using namespace halvane;
  // The texts are UTF-8; a console shows them as such only when told.
  SetConsoleOutputCP(CP_UTF8);
  return CliMain(argc, argv, [] {
    return CliSources{MakeWindowsConnectionTables(), MakeWindowsProcessIdentity()};
  });
}
