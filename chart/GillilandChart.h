#pragma once

#include "chart/AxisTicks.h"

#include <string>
#include <string_view>

namespace chart {

class DrawingSurface;

// The two boxes the chart is drawn on: the plot area and the panel behind it
// that carries the tick labels.
struct ChartBoxes {
    DrawingSurface& plotArea;  // user scale 0..4000 on both axes
    DrawingSurface& panel;     // twips; the tick labels
};

// The empty chart as the window opens with it: clears the plot box, then draws
// the frame (drawChartFrame).
void drawStartupChart(ChartBoxes boxes);

// The one drawing routine shared by start-up and refresh: plot size and scale,
// the logarithmic grid with its tick labels, and the correlation curve, over
// the ticks' axis on both sides.
void drawChartFrame(ChartBoxes boxes, const AxisTicks& ticks = gillilandTicks());

// What a screen reader says the chart shows: before a calculation the
// correlation over the range its ticks span, after one the operating point as
// the read-out boxes show it.
std::string emptyChartDescription(const AxisTicks& ticks = gillilandTicks());
std::string markedChartDescription(std::string_view gillilandX, std::string_view gillilandY);

// Blanks both boxes, once the two reflux ratios are on screen.
void ClearChart(ChartBoxes boxes);

// After the last result text: clears the plot box again, draws the frame and
// marks the operating point. The boxes keep retaining what is drawn, so the
// refreshed chart survives being covered or minimised.
void RedrawChart(ChartBoxes boxes, double gillilandX);

// Two red drop lines meeting at (X, Y) on the curve, Y = 0.75 (1 - X^0.5668):
// a vertical one from y = 1 up to the point, then a horizontal one from the
// point left to x = 1. Draws nothing unless 0 < X < 1 (and Y > 0), where both
// logarithms are defined.
void MarkOperatingPoint(DrawingSurface& plotArea, double gillilandX);

}  // namespace chart
