#pragma once

#include "chart/LogAxis.h"

#include <string>
#include <string_view>
#include <vector>

namespace chart {

class DrawingSurface;

// The two boxes the chart is drawn on: the plot area and the panel behind it
// that carries the tick labels.
struct ChartBoxes {
    DrawingSurface& plotArea;  // user scale 0..4000 on both axes
    DrawingSurface& panel;     // twips; the tick labels
};

// Where v lies on the axis, in the plot box's user units: log10 v formed as
// ln v / ln 10, plus the decades from the lower limit up to 1, times the user
// units per decade, all in double precision: the lower limit at 0, the upper
// at the end of the user range.
double LogAxisPosition(double v, const LogAxis& axis = kGillilandAxis);

enum class ChartAxis { X, Y };

// A tick label: the axis, the grid value whose line it labels, and the text
// printed for it on the panel, blanks included (" .01 "; on the y axis the
// top decade's ".8" and the upper limit's "1.0" go without).
struct TickLabel {
    ChartAxis axis;
    double gridValue;
    std::string text;
};

// Every tick label, in the order the chart prints them: the x axis's, then
// the y axis's, each from the lower limit upward. This is the one list of
// them; the chart draws from it.
std::vector<TickLabel> tickLabels(const LogAxis& axis = kGillilandAxis);

// Where a label's text starts on the panel, in the panel's twips, beside the
// plot box as it is placed now: an x label under its grid line, a y label
// left of the box beside its line. gridPosition is LogAxisPosition of the
// label's grid value.
struct PanelPoint {
    double x;
    double y;
};
PanelPoint tickLabelPlace(ChartAxis axis, double gridPosition, const DrawingSurface& plotBox);

// The empty chart as the window opens with it: clears the plot box, then draws
// the frame (drawChartFrame).
void drawStartupChart(ChartBoxes boxes);

// The one drawing routine shared by start-up and refresh: plot size and scale,
// the logarithmic grid with its tick labels, and the correlation curve, over
// the axis on both sides.
void drawChartFrame(ChartBoxes boxes, const LogAxis& axis = kGillilandAxis);

// What a screen reader says the chart shows: before a calculation the
// correlation over the axis's range, after one the operating point as the
// read-out boxes show it.
std::string emptyChartDescription(const LogAxis& axis = kGillilandAxis);
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
