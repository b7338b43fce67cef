#include "cli/cli_main.h"
#include "platform/linux/linux_platform.h"

int main(int argc, char** argv) {
  using namespace halvane;
  return CliMain(argc, argv, [] {
    return CliSources{MakeLinuxConnectionTables(), MakeLinuxProcessIdentity()};
  });
}
