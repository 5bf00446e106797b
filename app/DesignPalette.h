#pragma once

#include <QPalette>

namespace app {

// The window's palette: the system colours of the design in every colour
// group, its edge shades (looks::kEdges), over the window's own background.
QPalette designPalette();

}  // namespace app
