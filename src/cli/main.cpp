#include <chrono>
#include <iostream>
#include <thread>

#include "cli/cli_run.h"
#include "platform/linux/linux_platform.h"

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
  std::ios::sync_with_stdio(false);
  const auto tables = MakeLinuxConnectionTables();
  const auto identity = MakeLinuxProcessIdentity();
  identity->EnableDebugPrivilege();
  ConnectionSnapshot snapshot(*tables, *identity);
  return RunCli(parsed.options, snapshot, std::cout, std::cerr, [](double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  });
}
