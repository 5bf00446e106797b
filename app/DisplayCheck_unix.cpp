#include "app/DisplayCheck.h"

#include <QString>
#include <QtGlobal>

namespace app {

// X11 and Wayland are reached through the display their variable names; Qt
// takes the first it finds unless QT_QPA_PLATFORM names one.
std::optional<std::string> DisplayCheck::missingDisplay() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty() && !x11 && !wayland) {
        return lineFor("no display (DISPLAY is not set)");
    }
    if (platform.startsWith(QLatin1String("xcb")) && !x11) {
        return lineFor("no display (DISPLAY is not set)");
    }
    if (platform.startsWith(QLatin1String("wayland")) && !wayland) {
        return lineFor("no display (WAYLAND_DISPLAY is not set)");
    }
    return std::nullopt;
}

}  // namespace app
