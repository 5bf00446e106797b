// The chart frame as recorded on the two boxes: sizing and scale, the grid,
// the tick labels and their positions, and the correlation curve.

#include "calc/GillilandCorrelation.h"
#include "chart/ChartConstants.h"
#include "chart/GillilandChart.h"
#include "tests/chart/NamedRange.h"
#include "tests/chart/RecordingSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace calc;
using namespace chart;

constexpr double kTolerance = 0.01;
const Rgb kBlack{0, 0, 0};
const Rgb kLightGreen{0, 255, 0};

class ChartFrameTest : public testing::Test {
protected:
    explicit ChartFrameTest(SurfaceGeometry plotBox = {}) : plotArea{"plotArea", log, plotBox} {}

    SurfaceLog log;
    RecordingSurface plotArea;
    RecordingSurface panel{"panel", log, {0, 0, 7000, 7000}};
    ChartBoxes boxes{plotArea, panel};
};

// A printed label with the text position it was given and the grid line drawn
// last before it.
struct PlacedLabel {
    std::string text;
    float x;
    float y;
    SurfaceCall lastLine;
};

std::vector<PlacedLabel> placedLabels(const SurfaceLog& log) {
    std::vector<PlacedLabel> labels;
    float x = 0;
    float y = 0;
    SurfaceCall lastLine{};
    for (const auto& call : log) {
        if (call.surface == "plotArea" && call.op == SurfaceOp::Line) {
            lastLine = call;
        } else if (call.surface == "panel" && call.op == SurfaceOp::SetCurrentX) {
            x = call.args[0];
        } else if (call.surface == "panel" && call.op == SurfaceOp::SetCurrentY) {
            y = call.args[0];
        } else if (call.surface == "panel" && call.op == SurfaceOp::Print) {
            labels.push_back({call.text, x, y, lastLine});
        }
    }
    return labels;
}

// The ticks that carry a label, in drawing order.
std::vector<Tick> labelledTicks(const AxisTicks& ticks) {
    std::vector<Tick> labelled;
    std::ranges::copy_if(ticks.ticks, std::back_inserter(labelled),
                         [](const Tick& tick) { return !tick.label.empty(); });
    return labelled;
}

// Where each tick label's text starts on the panel, in print order, beside the
// plot box at its place in the window; the labels themselves are the chart's
// one list of ticks (gillilandTicks).
struct ExpectedPlace {
    double x;
    double y;
};

const ExpectedPlace kExpectedPlaces[] = {
    {280, 6100},  {1032.57, 6100}, {1472.80, 6100}, {1785.15, 6100}, {2537.72, 6100},
    {2780, 6100}, {3532.57, 6100}, {3972.80, 6100}, {4285.15, 6100}, {5037.72, 6100},
    {80, 6000},   {80, 5247.43},   {80, 4807.20},   {80, 4494.85},   {80, 3742.28},
    {80, 3500},   {80, 2747.43},   {80, 2307.20},   {80, 1994.85},   {80, 1242.28},
    {80, 1000},
};

TEST_F(ChartFrameTest, PrintsTheTickLabelsInOrderEachAfterItsGridLine) {
    drawStartupChart(boxes);
    const auto labels = placedLabels(log);
    const std::vector<Tick> ticks = labelledTicks(gillilandTicks());
    ASSERT_EQ(ticks.size(), std::size(kExpectedPlaces));
    ASSERT_EQ(labels.size(), ticks.size());
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const auto& got = labels[k];
        const Tick& tick = ticks[k];
        const ExpectedPlace& want = kExpectedPlaces[k];
        SCOPED_TRACE("label " + std::to_string(k) + " \"" + tick.label + "\"");
        EXPECT_EQ(got.text, tick.label);
        EXPECT_NEAR(got.x, want.x, kTolerance);
        EXPECT_NEAR(got.y, want.y, kTolerance);
        // Vertical lines carry x labels, horizontal ones y labels.
        const bool vertical = got.lastLine.args[0] == got.lastLine.args[2];
        EXPECT_EQ(vertical, tick.axis == ChartAxis::X);
        EXPECT_NEAR(got.lastLine.args[vertical ? 0 : 1], LogAxisPosition(tick.value), kTolerance);
    }
}

TEST_F(ChartFrameTest, DrawsTheLogarithmicGridBlackAndOnePixelWide) {
    drawStartupChart(boxes);
    // Grid positions of one axis in drawing order: i = 1..10, then i = 10..100,
    // so the line at 2000 comes twice.
    const double perAxis[] = {0,       602.06,  954.24,  1204.12, 1397.94, 1556.30, 1690.20,
                              1806.18, 1908.49, 2000,    2000,    2602.06, 2954.24, 3204.12,
                              3397.94, 3556.30, 3690.20, 3806.18, 3908.49, 4000};
    const auto lines = callsOf(log, plotArea, SurfaceOp::Line);
    ASSERT_EQ(lines.size(), 2 * std::size(perAxis));
    for (std::size_t k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE("line " + std::to_string(k));
        const auto& line = lines[k];
        const bool vertical = k < std::size(perAxis);
        const double p = perAxis[k % std::size(perAxis)];
        const float at = vertical ? line.args[0] : line.args[1];
        EXPECT_NEAR(at, p, kTolerance);
        const std::array<float, 4> span = vertical ? std::array<float, 4>{at, 0, at, 4000}
                                                   : std::array<float, 4>{0, at, 4000, at};
        EXPECT_EQ(line.args, span);
        EXPECT_EQ(line.colour, kBlack);
        EXPECT_EQ(line.drawWidth, 1);
    }
}

// The plot box's own state changes, in order, with the drawing left out.
TEST_F(ChartFrameTest, SetsSizeScaleAndPensInOrder) {
    drawStartupChart(boxes);
    SurfaceLog state;
    for (const auto& call : log) {
        if (call.surface == "plotArea" &&
            (call.op == SurfaceOp::Cls || call.op == SurfaceOp::SetHeight ||
             call.op == SurfaceOp::SetWidth || call.op == SurfaceOp::Scale ||
             call.op == SurfaceOp::SetForeColor || call.op == SurfaceOp::SetDrawWidth)) {
            state.push_back(call);
        }
    }
    const SurfaceLog expected = {
        {"plotArea", SurfaceOp::Cls},
        {"plotArea", SurfaceOp::SetHeight, {5000}},
        {"plotArea", SurfaceOp::SetWidth, {5000}},
        {"plotArea", SurfaceOp::Scale, {0, 4000, 4000, 0}},
        {"plotArea", SurfaceOp::SetForeColor, {}, kBlack},
        {"plotArea", SurfaceOp::SetDrawWidth, {}, {}, 1},
        {"plotArea", SurfaceOp::SetForeColor, {}, kLightGreen},
        {"plotArea", SurfaceOp::SetDrawWidth, {}, {}, 2},
        {"plotArea", SurfaceOp::SetForeColor, {}, kLightGreen},
        {"plotArea", SurfaceOp::SetDrawWidth, {}, {}, 2},
    };
    EXPECT_EQ(state, expected);
    EXPECT_TRUE(callsOf(log, panel, SurfaceOp::Cls).empty());
    EXPECT_EQ(plotArea.width(), 5000);
}

// The curve's runs, split where the pen is set before each: one run per decade
// below X = 1, each from the decade's start while X <= its end by a hundredth
// of the start, 900 points.
std::vector<SurfaceLog> curveRuns(const SurfaceLog& log) {
    std::vector<SurfaceLog> runs;
    for (const auto& call : log) {
        if (call.op == SurfaceOp::SetForeColor && call.colour == kLightGreen) {
            runs.emplace_back();
        } else if (call.op == SurfaceOp::PSet && !runs.empty()) {
            runs.back().push_back(call);
        }
    }
    return runs;
}

// The correlation's X at a plot x, read back through the axis.
double abscissaAt(double x, const LogAxis& axis) {
    return axis.lower * std::pow(10.0, x / LogAxisPosition(10 * axis.lower, axis));
}

// The plot box's pixel at 15 twips to the pixel, in user units.
constexpr float kOnePixel = kUserRange / (kPlotBoxTwips / 15);

// Every visible point lies on the correlation, the points run left to right
// closer than a pixel from the lower limit to the last X below 1, and none
// leaves the plot but through its bottom, where Y falls below the axis.
void expectCurveOverTheAxis(const SurfaceLog& log, const LogAxis& axis) {
    const auto runs = curveRuns(log);
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(-lowerExponent(axis)));
    float previous = -1;
    for (const SurfaceLog& run : runs) {
        EXPECT_EQ(run.size(), 900U);
        for (const auto& point : run) {
            const float x = point.args[0];
            const float y = point.args[1];
            ASSERT_GT(x, previous);
            ASSERT_LT(x - std::max(previous, 0.0F), kOnePixel) << "gap before x = " << x;
            previous = x;
            EXPECT_LE(y, 4000);
            EXPECT_EQ(point.colour, kLightGreen);
            EXPECT_EQ(point.drawWidth, 2);
            if (y >= 0) {
                const double onCurve =
                    LogAxisPosition(gillilandOrdinate(abscissaAt(x, axis)), axis);
                ASSERT_NEAR(y, onCurve, 0.1) << "at x = " << x;
            }
        }
    }
    EXPECT_NEAR(runs.front().front().args[0], 0.0, kTolerance);
    EXPECT_NEAR(previous, LogAxisPosition(1.0, axis), 1.0);
}

TEST_F(ChartFrameTest, DrawsTheCurveOverTheAxisInRunsOfNineHundredGreenPoints) {
    drawStartupChart(boxes);
    expectCurveOverTheAxis(log, kGillilandAxis);
}

// Widening both axes is a change of the axis alone: three decades of grid
// lines, the labels of the decade 1..10 with the y axis's fixed forms moved to
// its top, the curve kept inside, labels narrowed as they come closer, and the
// description naming the new range.
TEST_F(ChartFrameTest, DrawsTheChartOverAWiderAxis) {
    const LogAxis wide{.lower = 0.01, .upper = 10};
    const AxisTicks ticks = axisTicks(wide);
    drawChartFrame(boxes, ticks);

    const auto lines = callsOf(log, plotArea, SurfaceOp::Line);
    ASSERT_EQ(lines.size(), 2U * 3 * 10);
    for (const double decadeStart : {0.0, 4000.0 / 3, 8000.0 / 3}) {
        EXPECT_TRUE(std::ranges::any_of(lines, [&](const SurfaceCall& c) {
            return std::abs(c.args[0] - decadeStart) < kTolerance;
        })) << decadeStart;
    }
    EXPECT_EQ(lines.back().args, (std::array<float, 4>{0, 4000, 4000, 4000}));

    std::vector<std::string> printed;
    for (const PlacedLabel& label : placedLabels(log)) {
        printed.push_back(label.text);
    }
    const std::vector<std::string> xTail = {" .8 ", " 1 ", " 2 ", " 3 ", " 4 ", " 8 "};
    const std::vector<std::string> yTail = {" .8 ", " 1 ", " 2 ", " 3 ", " 4 ", "8", "10.0"};
    ASSERT_EQ(printed.size(), 15U + 16U);
    EXPECT_TRUE(std::equal(xTail.begin(), xTail.end(), printed.begin() + 15 - 6));
    EXPECT_TRUE(std::equal(yTail.begin(), yTail.end(), printed.end() - 7));

    expectCurveOverTheAxis(log, wide);
    EXPECT_EQ(tickLabelWidth(axisTicks({.lower = 0.1, .upper = 10})), 75);
    EXPECT_EQ(tickLabelWidth(ticks), 50);
    const auto named = namedRange(emptyChartDescription(ticks));
    ASSERT_TRUE(named);
    EXPECT_EQ(named->lower, wide.lower);
    EXPECT_EQ(named->upper, wide.upper);
}

// A plot box laid out elsewhere, and first smaller than the chart's size.
class MovedPlotBoxTest : public ChartFrameTest {
protected:
    MovedPlotBoxTest() : ChartFrameTest({600, 900, 3000, 3000}) {}
};

TEST_F(MovedPlotBoxTest, LabelsFollowThePlotBoxAtItsChartSize) {
    drawStartupChart(boxes);
    const auto labels = placedLabels(log);
    ASSERT_EQ(std::size(labels), std::size(kExpectedPlaces));
    // Every position shifts by the box's move: +120 in x, -200 in y.
    for (std::size_t k = 0; k < labels.size(); ++k) {
        SCOPED_TRACE("label " + std::to_string(k));
        EXPECT_NEAR(labels[k].x, kExpectedPlaces[k].x + 120, kTolerance);
        EXPECT_NEAR(labels[k].y, kExpectedPlaces[k].y - 200, kTolerance);
    }
}

}  // namespace
