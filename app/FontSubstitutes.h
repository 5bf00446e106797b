#pragma once

#include <QStringList>

// The layout names Windows faces ("宋体", "楷体_GB2312", ...). Each is resolved once,
// at start-up, to the faces that stand for it here: the named face itself where it
// is installed (as on a Chinese Windows), otherwise the installed faces of the same
// kind, in order of preference. Controls ask Qt for those families directly, so no
// font look-up ever goes through a name that is not installed.
namespace FontSubstitutes {

// Looks the substitutes up in the font database; call once the application exists
// and before any control's font is built.
void install();

// The installed families for a face the layout names, best first; the name itself
// when it has no entry or nothing of its kind is installed.
QStringList familiesFor(const char* layoutFace);

}  // namespace FontSubstitutes
