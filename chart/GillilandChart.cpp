// The Gilliland chart on its two boxes: the plot box gets its size, user scale,
// a logarithmic grid over the axis's decades and the correlation curve; the
// panel behind it gets the tick labels. Start-up and every refresh draw it with
// the one routine drawChartFrame.

#include "chart/GillilandChart.h"

#include "calc/GillilandCorrelation.h"
#include "chart/ChartConstants.h"
#include "chart/DrawingSurface.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace chart {

namespace {

// One decade of the axis, counted from its lower limit: grid counter i runs
// first..last by first, in units of the lower limit, so the lines sit at 1, 2,
// ... 10 times the decade's start.
struct GridDecade {
    long long first;
    long long last;
    bool top;  // the axis's last decade, ending at the upper limit
    long long multiple(long long i) const { return i / first; }
};

GridDecade gridDecade(const LogAxis& axis, int d) {
    const auto first = static_cast<long long>(powerOfTen(d));
    return {.first = first, .last = 10 * first, .top = d == decades(axis) - 1};
}

// Every decade labels its lines at 1 to 4 and at 8 times its start; its line
// at 10 times is the next decade's first.
constexpr long long kLabelledBelow = 5;
constexpr long long kLabelledAt = 8;

// The grid value of counter i, formed as i divided (or multiplied) by a power
// of ten so that it is the double a decimal literal gives: 3 / 100 is 0.03.
double gridValue(const LogAxis& axis, long long i) {
    const int n = lowerExponent(axis);
    const auto count = static_cast<double>(i);
    return n < 0 ? count / powerOfTen(-n) : count * powerOfTen(n);
}

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

double decadesUpToOne(const LogAxis& axis) {
    return -lowerExponent(axis);
}

double unitsPerDecade(const LogAxis& axis) {
    return double{kUserRange} / decades(axis);
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

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// Locale-independent, as the printed numbers are.
std::string withOneDecimal(double v) {
    char text[32];
    const auto end =
        std::to_chars(std::begin(text), std::end(text), v, std::chars_format::fixed, 1);
    return {text, end.ptr};
}

// The text printed at grid line i of a decade, if the line is labelled: its
// value in the numeric print format; on the y axis the top decade's 8 goes
// without blanks and the upper limit carries its value with one decimal (the
// x axis has no label there).
std::optional<std::string> gridLabel(ChartAxis side, const LogAxis& axis, const GridDecade& decade,
                                     long long i) {
    const bool yTop = side == ChartAxis::Y && decade.top;
    const double v = gridValue(axis, i);
    const long long multiple = decade.multiple(i);
    if (multiple < kLabelledBelow) {
        return numericPrintText(v);
    }
    if (multiple == kLabelledAt) {
        return yTop ? withoutBlanks(numericPrintText(v)) : numericPrintText(v);
    }
    if (yTop && i == decade.last) {
        return withOneDecimal(v);
    }
    return std::nullopt;
}

// The label position follows the plot box wherever it lies, so its geometry is
// read at the moment each label is placed.
void printLabel(ChartBoxes boxes, ChartAxis side, double p, const std::string& text) {
    const PanelPoint place = tickLabelPlace(side, p, boxes.plotArea);
    boxes.panel.SetCurrentY(static_cast<float>(place.y));
    boxes.panel.SetCurrentX(static_cast<float>(place.x));
    boxes.panel.Print(text);
}

void drawVerticalGridLine(DrawingSurface& plotArea, double p) {
    const auto x = static_cast<float>(p);
    plotArea.Line(x, 0.0F, x, kUserRange);
}

void drawHorizontalGridLine(DrawingSurface& plotArea, double p) {
    const auto y = static_cast<float>(p);
    plotArea.Line(0.0F, y, kUserRange, y);
}

// One decade of grid lines across the plot box, each followed by its label.
void drawGrid(ChartBoxes boxes, ChartAxis side, const LogAxis& axis, const GridDecade& decade) {
    for (long long i = decade.first; i <= decade.last; i += decade.first) {
        const double p = LogAxisPosition(gridValue(axis, i), axis);
        if (side == ChartAxis::X) {
            drawVerticalGridLine(boxes.plotArea, p);
        } else {
            drawHorizontalGridLine(boxes.plotArea, p);
        }
        if (const auto label = gridLabel(side, axis, decade, i)) {
            printLabel(boxes, side, p, *label);
        }
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

}  // namespace

double LogAxisPosition(double v, const LogAxis& axis) {
    return (std::log(v) / std::log(10.0) + decadesUpToOne(axis)) * unitsPerDecade(axis);
}

std::vector<TickLabel> tickLabels(const LogAxis& axis) {
    std::vector<TickLabel> labels;
    for (const ChartAxis side : {ChartAxis::X, ChartAxis::Y}) {
        for (int d = 0; d < decades(axis); ++d) {
            const GridDecade decade = gridDecade(axis, d);
            for (long long i = decade.first; i <= decade.last; i += decade.first) {
                if (auto text = gridLabel(side, axis, decade, i)) {
                    labels.push_back({side, gridValue(axis, i), std::move(*text)});
                }
            }
        }
    }
    return labels;
}

PanelPoint tickLabelPlace(ChartAxis axis, double gridPosition, const DrawingSurface& plotBox) {
    const double bottom = plotBox.Top() + plotBox.Height();
    if (axis == ChartAxis::X) {
        return {plotBox.Left() + kTwipsPerUserUnit * gridPosition - kXLabelShiftLeft, bottom};
    }
    return {plotBox.Left() - kYLabelShiftLeft,
            bottom - kTwipsPerUserUnit * gridPosition - kYLabelShiftUp};
}

std::string emptyChartDescription(const LogAxis& axis) {
    const auto shortest = [](double v) {
        char text[32];
        return std::string(text, std::to_chars(std::begin(text), std::end(text), v).ptr);
    };
    return "双对数坐标上的吉利兰关联曲线，X 与 Y 均从 " + shortest(axis.lower) + " 到 " +
           shortest(axis.upper) + "，尚未标出操作点";
}

std::string markedChartDescription(std::string_view gillilandX, std::string_view gillilandY) {
    return "双对数坐标上的吉利兰关联曲线，红线标出操作点：横坐标 X = " + std::string(gillilandX) +
           "，纵坐标 Y = " + std::string(gillilandY);
}

void drawStartupChart(ChartBoxes boxes) {
    boxes.plotArea.Cls();
    drawChartFrame(boxes);
}

void drawChartFrame(ChartBoxes boxes, const LogAxis& axis) {
    DrawingSurface& plotArea = boxes.plotArea;
    sizePlotBox(plotArea);
    setUserScale(plotArea);
    setPen(plotArea, kGridColour, kGridWidth);
    for (const ChartAxis side : {ChartAxis::X, ChartAxis::Y}) {
        for (int d = 0; d < decades(axis); ++d) {
            drawGrid(boxes, side, axis, gridDecade(axis, d));
        }
    }
    drawCurve(plotArea, axis);
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
