#pragma once

// The layout names Windows faces ("宋体", "楷体_GB2312", ...). Where they are not
// installed, Qt is told the closest installed faces of the same kind, so a
// QFont asking for the named face resolves to one that has the glyphs.
namespace FontSubstitutes {

// Registers every substitution with QFont, and the Windows name as a name of
// the first installed substitute in Qt's font database; call before any
// control is built.
void install();

}  // namespace FontSubstitutes
