#include "app/DisplayCheck.h"

namespace app {

// Windows and a browser page always have a screen; DISPLAY and WAYLAND_DISPLAY
// mean nothing there.
std::optional<std::string> DisplayCheck::missingDisplay() {
    return std::nullopt;
}

}  // namespace app
