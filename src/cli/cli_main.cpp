#include "cli/cli_main.h"

#include <chrono>
#include <iostream>
#include <thread>

#include "cli/cli_run.h"

namespace halvane {

int CliMain(int argc, char** argv, const std::function<CliSources()>& makeSources) {
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
  const CliSources sources = makeSources();
  sources.identity->EnableDebugPrivilege();
  ConnectionSnapshot snapshot(*sources.tables, *sources.identity);
  return RunCli(parsed.options, snapshot, std::cout, std::cerr, [](double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  });
}

}  // namespace halvane
