#pragma once
#include <string>

namespace halvane {

// The product's home page and its page with updates, as the build was configured.
std::string DefaultHomeUrl();
std::string DefaultUpdateUrl();

}  // namespace halvane
