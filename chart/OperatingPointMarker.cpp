// The operating-point marker: two red drop lines, one rising from just above
// the x axis to the point on the curve, one running from the point to just
// right of the y axis. Each is a chain of points 0.4 plot units apart, closer
// than a pixel, so the 2-pixel points merge into a solid line.

#include "calc/GillilandCorrelation.h"
#include "chart/ChartConstants.h"
#include "chart/DrawingSurface.h"
#include "chart/GillilandChart.h"

namespace chart {

namespace {

constexpr double kDropLineSpacing = 0.4;
// Both lines stop one plot unit short of the axes.
constexpr double kDropLineEnd = 1.0;

void drawVerticalDropLine(DrawingSurface& plotArea, double px, double py) {
    for (double t = kDropLineEnd; t <= py; t += kDropLineSpacing) {
        plotArea.PSet(static_cast<float>(px), static_cast<float>(t));
    }
}

void drawHorizontalDropLine(DrawingSurface& plotArea, double px, double py) {
    for (double t = px; t >= kDropLineEnd; t += -kDropLineSpacing) {
        plotArea.PSet(static_cast<float>(t), static_cast<float>(py));
    }
}

}  // namespace

// Only 0 < X < 1 has a point on the correlation with both logarithms defined;
// for any other X (NaN included), or an X so close to 1 that Y rounds to 0, the
// chart stays without a marker.
void MarkOperatingPoint(DrawingSurface& plotArea, double gillilandX) {
    if (!(gillilandX > 0.0 && gillilandX < 1.0)) {
        return;
    }
    const double y = calc::gillilandOrdinate(gillilandX);
    if (!(y > 0.0)) {
        return;
    }
    const double px = LogAxisPosition(gillilandX);
    const double py = LogAxisPosition(y);
    plotArea.SetForeColor(QBColor(kMarkerColour));
    plotArea.SetDrawWidth(kMarkerWidth);
    drawVerticalDropLine(plotArea, px, py);
    drawHorizontalDropLine(plotArea, px, py);
}

}  // namespace chart
