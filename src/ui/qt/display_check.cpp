#include "ui/qt/display_check.h"

namespace halvane {

namespace {

bool PluginUsable(std::string_view plugin, std::string_view x11Display,
                  std::string_view waylandDisplay) {
  const std::string_view name = plugin.substr(0, plugin.find(':'));  // "xcb:opts" names xcb
  if (name == "xcb")
    return !x11Display.empty();
  if (name.starts_with("wayland"))
    return !waylandDisplay.empty();
  return !name.empty();
}

}  // namespace

bool DisplayAvailable(std::string_view qpaPlatform, std::string_view x11Display,
                      std::string_view waylandDisplay) {
  if (qpaPlatform.empty())
    return !x11Display.empty() || !waylandDisplay.empty();
  while (true) {
    const std::size_t end = qpaPlatform.find(';');
    if (PluginUsable(qpaPlatform.substr(0, end), x11Display, waylandDisplay))
      return true;
    if (end == std::string_view::npos)
      return false;
    qpaPlatform.remove_prefix(end + 1);
  }
}

}  // namespace halvane
