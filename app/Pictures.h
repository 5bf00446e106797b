#pragma once

#include "app/RecordedPicture.h"

#include <QString>

namespace app {

// The window's vector pictures, each loaded once and only when first needed:
// loading all of them while the window is being built would hold back its
// appearance, and a picture shown in two boxes shares one recording. They live
// as long as the application object.
RecordedPicture& picture(const QString& resource);

}  // namespace app
