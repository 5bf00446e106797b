#include "app/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <array>

namespace app {

// Windows' own faces first; Debian's faces after them serve the program under
// wine, whose font look-up reaches them.
void installFontSubstitutes() {
    // The pictures are recordings of Qt's SVG drawings (RecordedPicture.h), whose
    // text names the serif the SVG files use; Windows has Times New Roman in its place.
    QFont::insertSubstitution(QStringLiteral("Liberation Serif"),
                              QStringLiteral("Times New Roman"));
    constexpr std::array kSearchOrder = {StandIns::Windows, StandIns::Debian};
    useSubstitutes(substitutes(QFontDatabase::families(), kSearchOrder));
}

}  // namespace app
