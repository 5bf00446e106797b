#include "app/DesignPalette.h"

#include "app/Looks.h"

#include <QColor>

namespace app {

QPalette designPalette() {
    QPalette palette;
    for (const looks::SystemColour& colour : looks::kSystemColours) {
        palette.setColor(colour.role, QColor(colour.rgb));
    }
    palette.setColor(QPalette::Window, QColor(looks::kWindow.background));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // From Qt 6.6 styles may draw focus and selection in the accent colour,
    // which the light scheme makes the selection's.
    palette.setColor(QPalette::Accent, palette.color(QPalette::Highlight));
#endif
    return palette;
}

}  // namespace app
