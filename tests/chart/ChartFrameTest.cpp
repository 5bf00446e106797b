// The chart frame as recorded on the two boxes: sizing and scale, the grid,
// the tick labels and their positions, and the correlation curve.

#include "chart/GillilandChart.h"
#include "tests/chart/RecordingSurface.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace chart;

constexpr double kTolerance = 0.01;
const Rgb kBlack{0, 0, 0};
const Rgb kLightGreen{0, 255, 0};

class ChartFrameTest : public testing::Test {
protected:
    explicit ChartFrameTest(SurfaceGeometry plotBox = {}) : picture5{"picture5", log, plotBox} {}

    SurfaceLog log;
    RecordingSurface picture5;
    RecordingSurface picture2{"picture2", log, {0, 0, 7000, 7000}};
    ChartBoxes boxes{picture5, picture2};
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
        if (call.surface == "picture5" && call.op == SurfaceOp::Line) {
            lastLine = call;
        } else if (call.surface == "picture2" && call.op == SurfaceOp::SetCurrentX) {
            x = call.args[0];
        } else if (call.surface == "picture2" && call.op == SurfaceOp::SetCurrentY) {
            y = call.args[0];
        } else if (call.surface == "picture2" && call.op == SurfaceOp::Print) {
            labels.push_back({call.text, x, y, lastLine});
        }
    }
    return labels;
}

// Where each tick label's text starts on the panel, in print order, beside the
// plot box at its place in the window; the labels themselves are the chart's
// one list of them (tickLabels).
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
    const std::vector<TickLabel> ticks = tickLabels();
    ASSERT_EQ(ticks.size(), std::size(kExpectedPlaces));
    ASSERT_EQ(labels.size(), ticks.size());
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const auto& got = labels[k];
        const TickLabel& tick = ticks[k];
        const ExpectedPlace& want = kExpectedPlaces[k];
        SCOPED_TRACE("label " + std::to_string(k) + " \"" + tick.text + "\"");
        EXPECT_EQ(got.text, tick.text);
        EXPECT_NEAR(got.x, want.x, kTolerance);
        EXPECT_NEAR(got.y, want.y, kTolerance);
        // Vertical lines carry x labels, horizontal ones y labels.
        const bool vertical = got.lastLine.args[0] == got.lastLine.args[2];
        EXPECT_EQ(vertical, tick.axis == ChartAxis::X);
        EXPECT_NEAR(got.lastLine.args[vertical ? 0 : 1], LogAxisPosition(tick.gridValue),
                    kTolerance);
    }
}

TEST_F(ChartFrameTest, DrawsTheLogarithmicGridBlackAndOnePixelWide) {
    drawStartupChart(boxes);
    // Grid positions of one axis in drawing order: i = 1..10, then i = 10..100,
    // so the line at 2000 comes twice.
    const double perAxis[] = {0,       602.06,  954.24,  1204.12, 1397.94, 1556.30, 1690.20,
                              1806.18, 1908.49, 2000,    2000,    2602.06, 2954.24, 3204.12,
                              3397.94, 3556.30, 3690.20, 3806.18, 3908.49, 4000};
    const auto lines = callsOf(log, picture5, SurfaceOp::Line);
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
        if (call.surface == "picture5" &&
            (call.op == SurfaceOp::Cls || call.op == SurfaceOp::SetHeight ||
             call.op == SurfaceOp::SetWidth || call.op == SurfaceOp::Scale ||
             call.op == SurfaceOp::SetForeColor || call.op == SurfaceOp::SetDrawWidth)) {
            state.push_back(call);
        }
    }
    const SurfaceLog expected = {
        {"picture5", SurfaceOp::Cls},
        {"picture5", SurfaceOp::SetHeight, {5000}},
        {"picture5", SurfaceOp::SetWidth, {5000}},
        {"picture5", SurfaceOp::Scale, {0, 4000, 4000, 0}},
        {"picture5", SurfaceOp::SetForeColor, {}, kBlack},
        {"picture5", SurfaceOp::SetDrawWidth, {}, {}, 1},
        {"picture5", SurfaceOp::SetForeColor, {}, kLightGreen},
        {"picture5", SurfaceOp::SetDrawWidth, {}, {}, 2},
        {"picture5", SurfaceOp::SetForeColor, {}, kLightGreen},
        {"picture5", SurfaceOp::SetDrawWidth, {}, {}, 2},
    };
    EXPECT_EQ(state, expected);
    EXPECT_TRUE(callsOf(log, picture2, SurfaceOp::Cls).empty());
    EXPECT_EQ(picture5.width(), 5000);
}

struct CurvePoint {
    std::size_t index;
    double x;
    double y;
};

TEST_F(ChartFrameTest, DrawsTwoRunsOfNineHundredGreenCurvePoints) {
    drawStartupChart(boxes);
    const auto points = callsOf(log, picture5, SurfaceOp::PSet);
    ASSERT_EQ(points.size(), 1800U);
    const CurvePoint ends[] = {
        {0, 0, 3683.80},            // X = 0.01
        {899, 1999.13, 3475.59},    // X = 0.0999, end of the fine run
        {900, 2000, 3475.41},       // X = 0.1, start of the coarse run
        {1799, 3999.13, -2742.83},  // X = 0.999
    };
    for (const auto& end : ends) {
        SCOPED_TRACE("point " + std::to_string(end.index));
        EXPECT_NEAR(points[end.index].args[0], end.x, kTolerance);
        EXPECT_NEAR(points[end.index].args[1], end.y, kTolerance);
    }
    std::size_t belowPlot = 0;
    for (const auto& point : points) {
        EXPECT_EQ(point.colour, kLightGreen);
        EXPECT_EQ(point.drawWidth, 2);
        belowPlot += point.args[1] < 0 ? 1 : 0;
    }
    // From X = 0.977 on, Y < 0.01: the tail of the coarse run leaves no mark.
    EXPECT_EQ(belowPlot, 23U);
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
