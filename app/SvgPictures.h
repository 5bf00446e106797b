#pragma once

#include <QString>

#ifdef TRELVAN_RECORDED_PICTURES
#include "app/RecordedPicture.h"
#else
#include <QSvgRenderer>
#endif

namespace app {

#ifdef TRELVAN_RECORDED_PICTURES
using Picture = RecordedPicture;
#else
using Picture = QSvgRenderer;
#endif

// The window's vector pictures, each parsed once and only when first needed:
// parsing all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one parse. They live as
// long as the application object.
Picture& svgPicture(const QString& resource);

}  // namespace app
