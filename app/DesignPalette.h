#pragma once

#include <QPalette>

namespace app {

// The window's palette: the system colours of the design (looks::kSystemColours)
// in every colour group, over the window's own background.
QPalette designPalette();

}  // namespace app
