// The console companion's entry on Windows: the list of the running system, printed as UTF-8.
#include <windows.h>

#include <chrono>
#include <iostream>
#include <thread>

#include "cli/cli_run.h"
#include "platform/windows/windows_platform.h"

int main(int argc, char** argv) {
  using namespace halvane;
  const CliParseResult parsed = ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "halvane-cli: " << parsed.error << " (see --help)\n";
    return 2;
  }
  if (parsed.options.help) {
    std::cout << kCliUsage;
    return 0;
  }
  // The texts are UTF-8; a console shows them as such only when told.
  SetConsoleOutputCP(CP_UTF8);
  std::ios::sync_with_stdio(false);
  const auto tables = MakeWindowsConnectionTables();
  const auto identity = MakeWindowsProcessIdentity();
  identity->EnableDebugPrivilege();
  ConnectionSnapshot snapshot(*tables, *identity);
  return RunCli(parsed.options, snapshot, std::cout, std::cerr, [](double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  });
}
