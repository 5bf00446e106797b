// The Gilliland chart on its two boxes: the plot box gets its size, user scale,
// a logarithmic grid along the axis's ticks and the correlation curve; the
// panel behind it gets the tick labels. Start-up and every refresh draw it with
// the one routine drawChartFrame.

#include "chart/GillilandChart.h"

#include "calc/FormatGeneral.h"
#include "calc/GillilandCorrelation.h"
#include "chart/ChartConstants.h"
#include "chart/DrawingSurface.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace chart {

namespace {

// The curve runs over each decade of the axis below X = 1, where the
// correlation has a positive ordinate: X from the decade's start while X <= its
// end, advanced by repeated addition of a hundredth of the start (900 points).
constexpr int kCurveStepBelowStart = 2;

struct CurveRange {
    double from;
    double to;
    double step;
};

CurveRange curveRange(const LogAxis& axis, int d) {
    const int start = lowerExponent(axis) + d;
    return {.from = powerOfTen(start),
            .to = powerOfTen(start + 1),
            .step = powerOfTen(start - kCurveStepBelowStart)};
}

void sizePlotBox(DrawingSurface& plotArea) {
    plotArea.SetHeight(kPlotBoxTwips);
    plotArea.SetWidth(kPlotBoxTwips);
}

void setUserScale(DrawingSurface& plotArea) {
    plotArea.Scale(0.0F, kUserRange, kUserRange, 0.0F);
}

void setPen(DrawingSurface& plotArea, int colour, int width) {
    plotArea.SetForeColor(QBColor(colour));
    plotArea.SetDrawWidth(width);
}

// The label position follows the plot box wherever it lies, so its geometry is
// read at the moment each label is placed.
void printLabel(ChartBoxes boxes, const Tick& tick) {
    const PanelPoint place = tickLabelPlace(tick, boxes.plotArea);
    boxes.panel.SetCurrentY(static_cast<float>(place.y));
    boxes.panel.SetCurrentX(static_cast<float>(place.x));
    boxes.panel.Print(tick.label);
}

// A grid line across the whole plot box: upright for an x tick, level for a y one.
void drawGridLine(DrawingSurface& plotArea, const Tick& tick) {
    const auto p = static_cast<float>(tick.position);
    if (tick.axis == ChartAxis::X) {
        plotArea.Line(p, 0.0F, p, kUserRange);
    } else {
        plotArea.Line(0.0F, p, kUserRange, p);
    }
}

void plotCurvePoint(DrawingSurface& plotArea, const LogAxis& axis, double x) {
    const double y = calc::gillilandOrdinate(x);
    plotArea.PSet(static_cast<float>(LogAxisPosition(x, axis)),
                  static_cast<float>(LogAxisPosition(y, axis)));
}

void drawCurveRange(DrawingSurface& plotArea, const LogAxis& axis, const CurveRange& range) {
    for (double x = range.from; x <= range.to; x += range.step) {
        plotCurvePoint(plotArea, axis, x);
    }
}

void drawCurve(DrawingSurface& plotArea, const LogAxis& axis) {
    for (int d = 0; d < decades(axis); ++d) {
        const CurveRange range = curveRange(axis, d);
        if (range.from >= 1.0) {
            break;
        }
        setPen(plotArea, kCurveColour, kCurveWidth);
        drawCurveRange(plotArea, axis, range);
    }
}

constexpr std::string_view kCurveOnLogAxes = "双对数坐标上的吉利兰关联曲线，";

}  // namespace

std::string emptyChartDescription(const AxisTicks& ticks) {
    const auto [lowest, highest] = std::ranges::minmax_element(ticks.ticks, {}, &Tick::value);
    return std::string(kCurveOnLogAxes) + "X 与 Y 均从 " + calc::formatGeneral(lowest->value) +
           " 到 " + calc::formatGeneral(highest->value) + "，尚未标出操作点";
}

std::string markedChartDescription(std::string_view gillilandX, std::string_view gillilandY) {
    return std::string(kCurveOnLogAxes) + "红线标出操作点：横坐标 X = " + std::string(gillilandX) +
           "，纵坐标 Y = " + std::string(gillilandY);
}

void drawStartupChart(ChartBoxes boxes) {
    boxes.plotArea.Cls();
    drawChartFrame(boxes);
}

void drawChartFrame(ChartBoxes boxes, const AxisTicks& ticks) {
    DrawingSurface& plotArea = boxes.plotArea;
    sizePlotBox(plotArea);
    setUserScale(plotArea);
    setPen(plotArea, kGridColour, kGridWidth);
    for (const Tick& tick : ticks.ticks) {
        drawGridLine(plotArea, tick);
        if (!tick.label.empty()) {
            printLabel(boxes, tick);
        }
    }
    drawCurve(plotArea, ticks.axis);
}

void ClearChart(ChartBoxes boxes) {
    boxes.panel.Cls();
    boxes.plotArea.Cls();
}

// Both boxes retain everything drawn on them, so the refreshed chart and its
// marker come back whenever the window is uncovered or restored.
void RedrawChart(ChartBoxes boxes, double gillilandX) {
    boxes.plotArea.Cls();
    drawChartFrame(boxes);
    MarkOperatingPoint(boxes.plotArea, gillilandX);
}

}  // namespace chart
