#pragma once

namespace app {

// Qt would present the formula pictures, the plot area and the chart panel as
// unnamed fillers; a screen reader announces them by what they are (a graphic,
// a chart). Qt keeps the first interface it makes for a widget, so this is
// installed before the window is built.
void installPictureAccessibility();

}  // namespace app
