#include "app/app_urls.h"

namespace halvane {

std::string DefaultHomeUrl() {
  return HALVANE_HOME_URL;
}
std::string DefaultUpdateUrl() {
  return HALVANE_UPDATE_URL;
}

}  // namespace halvane
