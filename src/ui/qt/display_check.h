#pragma once
#include <string_view>

namespace halvane {

// Whether Qt can be expected to open a display, from the environment alone: a platform plugin
// chosen in QT_QPA_PLATFORM (a ';'-separated list; "offscreen", "vnc"... need no display), else
// an X11 display in DISPLAY or a Wayland one in WAYLAND_DISPLAY.
bool DisplayAvailable(std::string_view qpaPlatform, std::string_view x11Display,
                      std::string_view waylandDisplay);

}  // namespace halvane
