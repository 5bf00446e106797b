// The Gilliland chart on its two boxes: the plot box gets its size, user scale,
// a two-decade logarithmic grid and the correlation curve; the panel behind it
// gets the tick labels. Start-up and every refresh draw it with the one routine
// DrawChartFrame.

#include "GillilandChart.h"

#include "ChartConstants.h"
#include "DrawingSurface.h"
#include "GillilandCorrelation.h"

#include <cmath>
#include <string_view>

using namespace chart;

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

// The label position follows the plot box wherever it lies, so its geometry is
// read at the moment each label is placed.
void placeXAxisLabel(ChartBoxes boxes, double p) {
    boxes.picture2.SetCurrentY(static_cast<float>(boxes.picture5.Top() + boxes.picture5.Height()));
    boxes.picture2.SetCurrentX(
        static_cast<float>(boxes.picture5.Left() + kTwipsPerUserUnit * p - kXLabelShiftLeft));
}

void placeYAxisLabel(ChartBoxes boxes, double p) {
    boxes.picture2.SetCurrentY(static_cast<float>((boxes.picture5.Top() + boxes.picture5.Height()) -
                                                  kTwipsPerUserUnit * p - kYLabelShiftUp));
    boxes.picture2.SetCurrentX(static_cast<float>(boxes.picture5.Left() - kYLabelShiftLeft));
}

void printXAxisLabel(ChartBoxes boxes, double p, double value) {
    placeXAxisLabel(boxes, p);
    boxes.picture2.Print(value);
}

void printYAxisLabel(ChartBoxes boxes, double p, double value) {
    placeYAxisLabel(boxes, p);
    boxes.picture2.Print(value);
}

void printYAxisLabel(ChartBoxes boxes, double p, std::string_view text) {
    placeYAxisLabel(boxes, p);
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

void drawVerticalGrid(ChartBoxes boxes, const GridDecade& decade) {
    for (int i = decade.first; i <= decade.last; i += decade.step) {
        const double p = gridPosition(i);
        drawVerticalGridLine(boxes.picture5, p);
        if (i < decade.labelledBelow) {
            printXAxisLabel(boxes, p, gridValue(i));
        }
        if (i == decade.labelledAt) {
            printXAxisLabel(boxes, p, gridValue(i));
        }
    }
}

void printYAxisLabelOrText(ChartBoxes boxes, double p, double value, std::string_view text) {
    if (text.empty()) {
        printYAxisLabel(boxes, p, value);
    } else {
        printYAxisLabel(boxes, p, text);
    }
}

void drawHorizontalGrid(ChartBoxes boxes, const GridDecade& decade, const YAxisTexts& texts) {
    for (int i = decade.first; i <= decade.last; i += decade.step) {
        const double p = gridPosition(i);
        drawHorizontalGridLine(boxes.picture5, p);
        if (i < decade.labelledBelow) {
            printYAxisLabel(boxes, p, gridValue(i));
        }
        if (i == decade.labelledAt) {
            printYAxisLabelOrText(boxes, p, gridValue(i), texts.atLabelledAt);
        }
        if (i == texts.topLine) {
            printYAxisLabel(boxes, p, texts.atTop);
        }
    }
}

void plotCurvePoint(DrawingSurface& picture5, double x) {
    const double y = gillilandOrdinate(x);
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

void DrawStartupChart(ChartBoxes boxes) {
    boxes.picture5.Cls();
    DrawChartFrame(boxes);
}

void DrawChartFrame(ChartBoxes boxes) {
    DrawingSurface& picture5 = boxes.picture5;
    sizePlotBox(picture5);
    setUserScale(picture5);
    setPen(picture5, kGridColour, kGridWidth);
    drawVerticalGrid(boxes, kFirstDecade);
    drawVerticalGrid(boxes, kSecondDecade);
    drawHorizontalGrid(boxes, kFirstDecade, kNumbersOnly);
    drawHorizontalGrid(boxes, kSecondDecade, kSecondDecadeTexts);
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
    DrawChartFrame(boxes);
    MarkOperatingPoint(boxes.picture5, gillilandX);
}
