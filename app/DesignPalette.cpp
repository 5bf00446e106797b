#include "app/DesignPalette.h"

#include "app/Looks.h"

#include <QColor>
#include <array>

namespace app {

namespace {

// The colours the layout leaves to the system, as the standard light scheme
// has them: control and button text, the shades of raised and sunken edges,
// selection and focus. The window keeps them under any desktop scheme, so a
// dark one cannot turn a caption white on the pale panels. The window's own
// background is kWindow's.
struct SystemColour {
    QPalette::ColorRole role;
    Rgb24 rgb;
};
constexpr std::array kSystemColours = {
    SystemColour{.role = QPalette::WindowText, .rgb = 0x000000},
    SystemColour{.role = QPalette::Text, .rgb = 0x000000},
    SystemColour{.role = QPalette::ButtonText, .rgb = 0x000000},
    SystemColour{.role = QPalette::Base, .rgb = 0xFFFFFF},
    SystemColour{.role = QPalette::Button, .rgb = 0xEFEFEF},
    SystemColour{.role = QPalette::Light, .rgb = looks::kEdges.light},
    SystemColour{.role = QPalette::Midlight, .rgb = looks::kEdges.midlight},
    SystemColour{.role = QPalette::Mid, .rgb = 0xB8B8B8},
    SystemColour{.role = QPalette::Dark, .rgb = looks::kEdges.dark},
    SystemColour{.role = QPalette::Shadow, .rgb = looks::kEdges.shadow},
    SystemColour{.role = QPalette::Highlight, .rgb = 0x308CC6},
    SystemColour{.role = QPalette::HighlightedText, .rgb = 0xFFFFFF},
};

}  // namespace

QPalette designPalette() {
    QPalette palette;
    for (const SystemColour& colour : kSystemColours) {
        palette.setColor(colour.role, QColor(colour.rgb));
    }
    palette.setColor(QPalette::Window, QColor(*looks::kWindow.background));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // From Qt 6.6 styles may draw focus and selection in the accent colour,
    // which the light scheme makes the selection's.
    palette.setColor(QPalette::Accent, palette.color(QPalette::Highlight));
#endif
    return palette;
}

}  // namespace app
