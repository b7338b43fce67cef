#pragma once
#include <functional>
#include <memory>

#include "snapshot/table_sources.h"

namespace halvane {

struct CliSources {
  std::unique_ptr<IConnectionTables> tables;
  std::unique_ptr<IProcessIdentity> identity;
};

// The console companion's program: options, then the list of the running system from the
// platform's sources, made only once the options are known to be good.
int CliMain(int argc, char** argv, const std::function<CliSources()>& makeSources);

}  // namespace halvane
