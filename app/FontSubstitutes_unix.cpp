#include "app/FontSubstitutes.h"

#include <QFontDatabase>
#include <array>

namespace app {

// Debian's faces, also where the browser page carries subsets of them.
void installFontSubstitutes() {
    constexpr std::array kSearchOrder = {StandIns::Debian};
    useSubstitutes(substitutes(QFontDatabase::families(), kSearchOrder));
}

}  // namespace app
