// Clearing and refreshing the chart, and the operating-point marker.

#include "calc/GillilandCorrelation.h"
#include "chart/GillilandChart.h"
#include "tests/chart/RecordingSurface.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace calc;
using namespace chart;

constexpr double kTolerance = 0.01;
const Rgb kLightRed{255, 0, 0};
// The Gilliland abscissa the window's default inputs give.
constexpr double kDefaultX = 0.12184873949579832;

class ChartRefreshTest : public testing::Test {
protected:
    SurfaceLog log;
    RecordingSurface plotArea{"plotArea", log};
    RecordingSurface panel{"panel", log, {0, 0, 7000, 7000}};
    ChartBoxes boxes{plotArea, panel};
};

// The two drop lines of a marker: the vertical one runs at the corner's x up
// to just below the corner, then the horizontal one starts at the corner.
struct DropLines {
    SurfaceLog vertical;
    SurfaceLog horizontal;
};

DropLines splitDropLines(const SurfaceLog& points, double gillilandX) {
    const auto cornerY = static_cast<float>(LogAxisPosition(gillilandOrdinate(gillilandX)));
    const auto corner = std::find_if(points.begin(), points.end(),
                                     [&](const SurfaceCall& c) { return c.args[1] == cornerY; });
    return {{points.begin(), corner}, {corner, points.end()}};
}

// Where a drop line's points lie along it: t from `from`, advanced by repeated
// double addition of `step` (never a multiple of it) while `within(t)`, each
// handed over in single precision.
template <typename Within>
std::vector<float> dropLineSteps(double from, double step, Within within) {
    std::vector<float> steps;
    for (double t = from; within(t); t += step) {
        steps.push_back(static_cast<float>(t));
    }
    return steps;
}

std::vector<float> along(const SurfaceLog& line, std::size_t coordinate) {
    std::vector<float> at;
    for (const auto& point : line) {
        at.push_back(point.args[coordinate]);
    }
    return at;
}

// The default X puts the corner at (2171.64, 3436.24). The vertical line rises
// from y = 1 by 0.4 while not above the corner, the horizontal one runs from
// the corner left by 0.4 while not left of x = 1: both red, 2 pixels wide.
TEST_F(ChartRefreshTest, MarksTheDefaultOperatingPointWithTwoRedDropLines) {
    MarkOperatingPoint(plotArea, kDefaultX);
    const auto [vertical, horizontal] =
        splitDropLines(callsOf(log, plotArea, SurfaceOp::PSet), kDefaultX);
    ASSERT_FALSE(horizontal.empty());
    const auto px = static_cast<double>(horizontal.front().args[0]);
    const auto py = static_cast<double>(horizontal.front().args[1]);
    EXPECT_NEAR(px, 2171.64, kTolerance);
    EXPECT_NEAR(py, 3436.24, kTolerance);
    const double cornerY = LogAxisPosition(gillilandOrdinate(kDefaultX));
    const double cornerX = LogAxisPosition(kDefaultX);
    EXPECT_EQ(along(vertical, 1), dropLineSteps(1, 0.4, [&](double t) { return t <= cornerY; }));
    EXPECT_EQ(along(horizontal, 0), dropLineSteps(cornerX, -0.4, [](double t) { return t >= 1; }));
    for (const auto& line : {vertical, horizontal}) {
        for (const auto& point : line) {
            EXPECT_EQ(point.colour, kLightRed);
            EXPECT_EQ(point.drawWidth, 2);
        }
    }
}

// Whatever the corner, the lines stay clear of the axes: the vertical one
// starts at y = 1 and the horizontal one stops before passing x = 1.
TEST_F(ChartRefreshTest, DropLinesStopShortOfTheAxes) {
    for (const double x : {0.0101, 0.02, 0.05, kDefaultX, 0.3, 0.6, 0.9, 0.97}) {
        SCOPED_TRACE("X = " + std::to_string(x));
        log.clear();
        MarkOperatingPoint(plotArea, x);
        const auto [vertical, horizontal] =
            splitDropLines(callsOf(log, plotArea, SurfaceOp::PSet), x);
        ASSERT_FALSE(vertical.empty());
        ASSERT_FALSE(horizontal.empty());
        EXPECT_EQ(vertical.front().args[1], 1.0F);
        EXPECT_GE(horizontal.back().args[0], 1.0F);
        EXPECT_LT(horizontal.back().args[0], 1.4F);
        for (const auto& point : vertical) {
            EXPECT_EQ(point.args[0], horizontal.front().args[0]);
        }
        for (const auto& point : horizontal) {
            EXPECT_EQ(point.args[1], horizontal.front().args[1]);
        }
    }
}

TEST_F(ChartRefreshTest, LeavesNoVisibleMarkerOffTheTwoDecades) {
    for (const double x :
         {1e-300, 1e-5, 0.005, 0.0099, 0.977, 0.99, 0.999999, 0.9999999999999999}) {
        SCOPED_TRACE("X = " + std::to_string(x));
        log.clear();
        MarkOperatingPoint(plotArea, x);
        for (const auto& point : callsOf(log, plotArea, SurfaceOp::PSet)) {
            const bool inside = point.args[0] >= 0 && point.args[0] <= 4000 && point.args[1] >= 0 &&
                                point.args[1] <= 4000;
            ASSERT_FALSE(inside) << "(" << point.args[0] << ", " << point.args[1] << ")";
        }
    }
}

TEST_F(ChartRefreshTest, DrawsNothingWithoutAPointOnTheCorrelation) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double x : {0.0, -0.0, -0.5, 1.0, 1.5, nan, inf, -inf}) {
        MarkOperatingPoint(plotArea, x);
        EXPECT_TRUE(log.empty()) << "X = " << x;
        log.clear();
    }
}

TEST_F(ChartRefreshTest, ClearChartBlanksThePanelThenThePlotBox) {
    ClearChart(boxes);
    const SurfaceLog expected = {{"panel", SurfaceOp::Cls}, {"plotArea", SurfaceOp::Cls}};
    EXPECT_EQ(log, expected);
}

// A refresh repeats the start-up drawing, its clearing included, then marks
// the point exactly as the marker alone does: nothing for an X off the
// correlation.
TEST_F(ChartRefreshTest, RedrawIsTheStartupChartThenTheMarker) {
    SurfaceLog startup;
    RecordingSurface startupPlotArea{"plotArea", startup};
    RecordingSurface startupPanel{"panel", startup, {0, 0, 7000, 7000}};
    drawStartupChart({startupPlotArea, startupPanel});
    for (const double x : {kDefaultX, 0.5, 1.0}) {
        SCOPED_TRACE("X = " + std::to_string(x));
        SurfaceLog markerAlone;
        RecordingSurface markerPlotArea{"plotArea", markerAlone};
        MarkOperatingPoint(markerPlotArea, x);
        log.clear();
        RedrawChart(boxes, x);
        ASSERT_GE(log.size(), startup.size());
        ASSERT_TRUE(std::equal(startup.begin(), startup.end(), log.begin()));
        EXPECT_TRUE(std::equal(log.begin() + std::ssize(startup), log.end(), markerAlone.begin(),
                               markerAlone.end()));
        EXPECT_EQ(markerAlone.empty(), x == 1.0);
    }
}

}  // namespace
