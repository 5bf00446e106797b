// The Gilliland chart on its two boxes: the plot box gets its size, user scale,
// a two-decade logarithmic grid and the correlation curve; the panel behind it
// gets the tick labels. Start-up and every refresh draw it with the one routine
// drawChartFrame.

#include "chart/GillilandChart.h"

#include "calc/GillilandCorrelation.h"
#include "chart/ChartConstants.h"
#include "chart/DrawingSurface.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace chart {

namespace {

// One decade of grid lines: i runs first..last by step, the grid value is
// i / 100. Every i below labelledBelow is labelled, and so is labelledAt.
struct GridDecade {
    int first;
    int last;
    int step;
    int labelledBelow;
    int labelledAt;
};

constexpr GridDecade kFirstDecade{1, 10, 1, 5, 8};
constexpr GridDecade kSecondDecade{10, 100, 10, 50, 80};

// The y axis ends with fixed texts instead of printed numbers: in its second
// decade the 0.8 label is ".8" and the top line carries "1.0" (the x axis has
// no label at 1). An empty text means the printed number; topLine 0 is no line.
struct YAxisTexts {
    std::string_view atLabelledAt;
    int topLine;
    std::string_view atTop;
};

constexpr YAxisTexts kNumbersOnly{{}, 0, {}};
constexpr YAxisTexts kSecondDecadeTexts{".8", 100, "1.0"};

struct LabelledDecade {
    const GridDecade& grid;
    const YAxisTexts& yTexts;
};

constexpr std::array kLabelledDecades{LabelledDecade{kFirstDecade, kNumbersOnly},
                                      LabelledDecade{kSecondDecade, kSecondDecadeTexts}};

// One run of the curve: X from `from` while X <= `to`, advanced by repeated
// addition of `step`.
struct CurveRange {
    double from;
    double to;
    double step;
};

constexpr CurveRange kFirstCurveRange{0.01, 0.1, 0.0001};
constexpr CurveRange kSecondCurveRange{0.1, 1.0, 0.001};

double gridValue(int i) {
    return i / 100.0;
}

double gridPosition(int i) {
    return LogAxisPosition(gridValue(i));
}

void sizePlotBox(DrawingSurface& picture5) {
    picture5.SetHeight(kPlotBoxTwips);
    picture5.SetWidth(kPlotBoxTwips);
}

void setUserScale(DrawingSurface& picture5) {
    picture5.Scale(0.0F, kUserRange, kUserRange, 0.0F);
}

void setPen(DrawingSurface& picture5, int colour, int width) {
    picture5.SetForeColor(QBColor(colour));
    picture5.SetDrawWidth(width);
}

// The text printed at grid line i of a decade, if the line is labelled: its
// value in the numeric print format, or on the y axis a fixed text.
std::optional<std::string> gridLabel(ChartAxis axis, const LabelledDecade& decade, int i) {
    const YAxisTexts& texts = axis == ChartAxis::Y ? decade.yTexts : kNumbersOnly;
    if (i < decade.grid.labelledBelow) {
        return numericPrintText(gridValue(i));
    }
    if (i == decade.grid.labelledAt) {
        return texts.atLabelledAt.empty() ? numericPrintText(gridValue(i))
                                          : std::string(texts.atLabelledAt);
    }
    if (i == texts.topLine) {
        return std::string(texts.atTop);
    }
    return std::nullopt;
}

// The label position follows the plot box wherever it lies, so its geometry is
// read at the moment each label is placed.
void printLabel(ChartBoxes boxes, ChartAxis axis, double p, const std::string& text) {
    const PanelPoint place = tickLabelPlace(axis, p, boxes.picture5);
    boxes.picture2.SetCurrentY(static_cast<float>(place.y));
    boxes.picture2.SetCurrentX(static_cast<float>(place.x));
    boxes.picture2.Print(text);
}

void drawVerticalGridLine(DrawingSurface& picture5, double p) {
    const auto x = static_cast<float>(p);
    picture5.Line(x, 0.0F, x, kUserRange);
}

void drawHorizontalGridLine(DrawingSurface& picture5, double p) {
    const auto y = static_cast<float>(p);
    picture5.Line(0.0F, y, kUserRange, y);
}

// One decade of grid lines across the plot box, each followed by its label.
void drawGrid(ChartBoxes boxes, ChartAxis axis, const LabelledDecade& decade) {
    const GridDecade& grid = decade.grid;
    for (int i = grid.first; i <= grid.last; i += grid.step) {
        const double p = gridPosition(i);
        if (axis == ChartAxis::X) {
            drawVerticalGridLine(boxes.picture5, p);
        } else {
            drawHorizontalGridLine(boxes.picture5, p);
        }
        if (const auto label = gridLabel(axis, decade, i)) {
            printLabel(boxes, axis, p, *label);
        }
    }
}

void plotCurvePoint(DrawingSurface& picture5, double x) {
    const double y = calc::gillilandOrdinate(x);
    picture5.PSet(static_cast<float>(LogAxisPosition(x)), static_cast<float>(LogAxisPosition(y)));
}

void drawCurveRange(DrawingSurface& picture5, const CurveRange& range) {
    for (double x = range.from; x <= range.to; x += range.step) {
        plotCurvePoint(picture5, x);
    }
}

}  // namespace

double LogAxisPosition(double v) {
    return (std::log(v) / std::log(10.0) + kDecades) * kUnitsPerDecade;
}

std::vector<TickLabel> tickLabels() {
    std::vector<TickLabel> labels;
    for (const ChartAxis axis : {ChartAxis::X, ChartAxis::Y}) {
        for (const LabelledDecade& decade : kLabelledDecades) {
            for (int i = decade.grid.first; i <= decade.grid.last; i += decade.grid.step) {
                if (auto text = gridLabel(axis, decade, i)) {
                    labels.push_back({axis, gridValue(i), std::move(*text)});
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

void drawStartupChart(ChartBoxes boxes) {
    boxes.picture5.Cls();
    drawChartFrame(boxes);
}

void drawChartFrame(ChartBoxes boxes) {
    DrawingSurface& picture5 = boxes.picture5;
    sizePlotBox(picture5);
    setUserScale(picture5);
    setPen(picture5, kGridColour, kGridWidth);
    for (const ChartAxis axis : {ChartAxis::X, ChartAxis::Y}) {
        for (const LabelledDecade& decade : kLabelledDecades) {
            drawGrid(boxes, axis, decade);
        }
    }
    setPen(picture5, kCurveColour, kCurveWidth);
    drawCurveRange(picture5, kFirstCurveRange);
    setPen(picture5, kCurveColour, kCurveWidth);
    drawCurveRange(picture5, kSecondCurveRange);
}

void ClearChart(ChartBoxes boxes) {
    boxes.picture2.Cls();
    boxes.picture5.Cls();
}

// Both boxes retain everything drawn on them, so the refreshed chart and its
// marker come back whenever the window is uncovered or restored.
void RedrawChart(ChartBoxes boxes, double gillilandX) {
    boxes.picture5.Cls();
    drawChartFrame(boxes);
    MarkOperatingPoint(boxes.picture5, gillilandX);
}

}  // namespace chart
