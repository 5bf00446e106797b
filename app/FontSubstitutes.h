#pragma once

#include <QString>

namespace app {

// The layout names Windows faces ("宋体", "楷体_GB2312", ...). Each is resolved once,
// at start-up, to the face that stands for it here: the named face itself where it
// is installed (as on a Chinese Windows), otherwise the first installed face of the
// same kind. Controls ask Qt for that family directly, so no font look-up ever goes
// through a name that is not installed.

// Looks the substitutes up in the font database; call once the application exists
// and before any control's font is built.
void installFontSubstitutes();

// The installed family for a face the layout names; the name itself when it has no
// entry or nothing of its kind is installed.
QString familyFor(const char* layoutFace);

}  // namespace app
