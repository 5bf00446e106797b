// Clearing and refreshing the chart, and the operating-point marker.

#include "calc/GillilandCorrelation.h"
#include "chart/GillilandChart.h"
#include "tests/chart/RecordingSurface.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

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
    RecordingSurface picture5{"picture5", log};
    RecordingSurface picture2{"picture2", log, {0, 0, 7000, 7000}};
    ChartBoxes boxes{picture5, picture2};
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

TEST_F(ChartRefreshTest, MarksTheDefaultOperatingPointWithTwoRedDropLines) {
    MarkOperatingPoint(picture5, kDefaultX);
    const auto [vertical, horizontal] =
        splitDropLines(callsOf(log, picture5, SurfaceOp::PSet), kDefaultX);
    ASSERT_EQ(vertical.size(), 8589U);
    ASSERT_EQ(horizontal.size(), 5427U);
    const double px = 2171.64;
    const double py = 3436.24;
    struct End {
        const SurfaceCall& point;
        double x;
        double y;
    };
    const End ends[] = {
        {vertical.front(), px, 1},
        {vertical.back(), px, 3436.2},
        {horizontal.front(), px, py},
        {horizontal.back(), 1.24, py},
    };
    for (const auto& end : ends) {
        EXPECT_NEAR(end.point.args[0], end.x, kTolerance);
        EXPECT_NEAR(end.point.args[1], end.y, kTolerance);
    }
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
        MarkOperatingPoint(picture5, x);
        const auto [vertical, horizontal] =
            splitDropLines(callsOf(log, picture5, SurfaceOp::PSet), x);
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
        MarkOperatingPoint(picture5, x);
        for (const auto& point : callsOf(log, picture5, SurfaceOp::PSet)) {
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
        MarkOperatingPoint(picture5, x);
        EXPECT_TRUE(log.empty()) << "X = " << x;
        log.clear();
    }
}

TEST_F(ChartRefreshTest, ClearChartBlanksThePanelThenThePlotBox) {
    ClearChart(boxes);
    const SurfaceLog expected = {{"picture2", SurfaceOp::Cls}, {"picture5", SurfaceOp::Cls}};
    EXPECT_EQ(log, expected);
}

// Points set with the marker's pen, red and 2 pixels wide.
std::size_t redPoints(const SurfaceLog& log) {
    return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [](const SurfaceCall& c) {
        return c.op == SurfaceOp::PSet && c.colour == kLightRed && c.drawWidth == 2;
    }));
}

// A refresh repeats the start-up drawing, its clearing included, then sets the
// red pen and marks the point: 8589 + 5427 points for the default X, none for
// an X off the correlation.
TEST_F(ChartRefreshTest, RedrawIsTheStartupChartThenTheMarker) {
    SurfaceLog startup;
    RecordingSurface startupPicture5{"picture5", startup};
    RecordingSurface startupPicture2{"picture2", startup, {0, 0, 7000, 7000}};
    drawStartupChart({startupPicture5, startupPicture2});
    for (const auto& [x, points] :
         {std::pair<double, std::size_t>{kDefaultX, 8589 + 5427}, {1.0, 0}}) {
        SCOPED_TRACE("X = " + std::to_string(x));
        log.clear();
        RedrawChart(boxes, x);
        ASSERT_GE(log.size(), startup.size());
        ASSERT_TRUE(std::equal(startup.begin(), startup.end(), log.begin()));
        const SurfaceLog marker(log.begin() + std::ssize(startup), log.end());
        EXPECT_EQ(marker.size(), points == 0 ? 0 : points + 2);
        EXPECT_EQ(redPoints(marker), points);
    }
}

}  // namespace
