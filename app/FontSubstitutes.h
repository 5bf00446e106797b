#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <span>

namespace app {

// The layout names Windows faces ("宋体", "楷体_GB2312", ...). Each is resolved once,
// at start-up, to the face that stands for it here: the named face itself where it
// is installed (as on a Chinese Windows), otherwise the first installed face of the
// same kind. Controls ask Qt for that family directly, so no font look-up ever goes
// through a name that is not installed.

// The stand-ins of one kind of face: those Windows ships, and those found on Debian.
enum class StandIns { Windows, Debian };

// Each layout face that has an installed face to stand for it, mapped to that face:
// the named face itself, else the first installed stand-in, searching the stand-ins
// in the given order. Nothing but the arguments is consulted.
QHash<QString, QString> substitutes(const QStringList& installed,
                                    std::span<const StandIns> searchOrder);

// Looks the substitutes up in the font database, with this platform's search order
// (FontSubstitutes_win.cpp, FontSubstitutes_unix.cpp); call once the application
// exists and before any control's font is built.
void installFontSubstitutes();

// Makes these the faces familyFor gives.
void useSubstitutes(QHash<QString, QString> faces);

// The installed family for a face the layout names; the name itself when it has no
// entry or nothing of its kind is installed.
QString familyFor(const char* layoutFace);

}  // namespace app
