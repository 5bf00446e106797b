#pragma once

#include "chart/LogAxis.h"

#include <string>
#include <vector>

namespace chart {

class DrawingSurface;

// Where v lies on the axis, in the plot box's user units: log10 v formed as
// ln v / ln 10, plus the decades from the lower limit up to 1, times the user
// units per decade, all in double precision: the lower limit at 0, the upper
// at the end of the user range.
double LogAxisPosition(double v, const LogAxis& axis = kGillilandAxis);

enum class ChartAxis { X, Y };

// One grid line of an axis: its value, where it lies (LogAxisPosition of the
// value) and the text printed beside it, blanks included (" .01 "), or
// nothing where the line goes unlabelled.
struct Tick {
    ChartAxis axis;
    double value;
    double position;
    std::string label;
};

// Every tick of the chart in the order it is drawn: the x axis's, then the y
// axis's, each decade's lines at 1 to 10 times its start from the lower limit
// upward, so that a decade's last line is drawn again as the next one's first.
// A decade labels its lines at 1 to 4 and at 8 times its start; on the y axis
// the top decade's 8 goes without blanks and the upper limit carries its value
// with one decimal ("1.0"), where the x axis has no label.
struct AxisTicks {
    LogAxis axis;
    std::vector<Tick> ticks;
};

AxisTicks axisTicks(const LogAxis& axis);

// The Gilliland chart's ticks, built once: the grid, the tick labels, their
// width and the chart's description all walk them.
const AxisTicks& gillilandTicks();

// Where a tick's label starts on the panel, in the panel's twips, beside the
// plot box as it is placed now: an x label under its grid line, a y label left
// of the box beside its line.
struct PanelPoint {
    double x;
    double y;
};
PanelPoint tickLabelPlace(const Tick& tick, const DrawingSurface& plotBox);

// The width the tick labels are set at, in percent of their face's own (at
// most 100). Set three quarters wide, the closest two labels of an axis (a
// decade's 8 beside the next decade's start) stay at least 2 pixels apart at
// every pixel ratio on a two-decade axis; an axis of more decades brings them
// closer, and they narrow in proportion.
int tickLabelWidth(const AxisTicks& ticks = gillilandTicks());

}  // namespace chart
