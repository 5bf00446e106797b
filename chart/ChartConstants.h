#pragma once

// The fixed figures of the Gilliland chart, in one place: plot-box size and
// user scale (the axis it carries is LogAxis.h's, its ticks and their labels
// AxisTicks.h's) and the palette entries of the three pens. The correlation
// the curve and the marker plot is the calculation's (GillilandCorrelation.h).

namespace chart {

// Outer size of the plot box, in the panel's twips.
inline constexpr float kPlotBoxTwips = 5000.0F;
// User coordinates run 0..kUserRange on both axes, y growing upward.
inline constexpr float kUserRange = 4000.0F;

// Pens: palette index and width in pixels.
inline constexpr int kGridColour = 0;  // black
inline constexpr int kGridWidth = 1;
inline constexpr int kCurveColour = 10;  // light green
inline constexpr int kCurveWidth = 2;
inline constexpr int kMarkerColour = 12;  // light red
inline constexpr int kMarkerWidth = 2;

}  // namespace chart
