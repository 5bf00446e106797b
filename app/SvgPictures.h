#pragma once

#include <QString>
#include <QSvgRenderer>

namespace app {

// The window's vector pictures, each parsed once and only when first needed:
// parsing all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one parse. They live as
// long as the application object.
QSvgRenderer& svgPicture(const QString& resource);

}  // namespace app
