// A surface's user scale onto device pixels, and the square a point covers.

#include "chart/ScaleMap.h"

#include "chart/PointSquare.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

using namespace chart;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kTwipsPerPixel = 15.0;

TEST(ScaleMap, TakesOnlyScalesThatMap) {
    struct Case {
        float x1, y1, x2, y2;
        bool usable;
    } const cases[] = {
        {0, 4000, 4000, 0, true}, {-1, -1, 1, 1, true},   {5, 0, 5, 1, false},
        {0, 7, 1, 7, false},      {kNaN, 0, 1, 1, false}, {0, 0, 1, kInf, false},
        {0, 0, -kInf, 1, false},
    };
    for (const Case& c : cases) {
        const std::optional<UserScale> s = userScale(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(s.has_value(), c.usable) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
    }
}

// The scale's corners land on the centres of the corner pixels, whatever the
// ratio and whichever way an axis runs.
TEST(ScaleMap, PutsTheCornersOnTheCornerPixelCentres) {
    struct Case {
        UserScale scale;
        int width, height;
        double dpr;
    } const cases[] = {
        {{.x1 = 0, .y1 = 4000, .x2 = 4000, .y2 = 0}, 329, 329, 1.0},
        {{.x1 = 0, .y1 = 4000, .x2 = 4000, .y2 = 0}, 658, 658, 2.0},
        {{.x1 = 0, .y1 = 4000, .x2 = 4000, .y2 = 0}, 494, 494, 1.5},
        {{.x1 = -3, .y1 = -1, .x2 = 5, .y2 = 2}, 100, 40, 1.0},
        {{.x1 = 10, .y1 = 0, .x2 = -10, .y2 = 1e6}, 7, 1000, 1.25},
    };
    constexpr double kExact = 1e-9;
    for (const Case& c : cases) {
        const ScaleMap m = scaleMap(c.scale, c.width, c.height, c.dpr, kTwipsPerPixel);
        EXPECT_NEAR(m.x.toDevice(c.scale.x1), c.dpr / 2, kExact) << c.width;
        EXPECT_NEAR(m.x.toDevice(c.scale.x2), c.width - c.dpr / 2, kExact) << c.width;
        EXPECT_NEAR(m.y.toDevice(c.scale.y1), c.dpr / 2, kExact) << c.height;
        EXPECT_NEAR(m.y.toDevice(c.scale.y2), c.height - c.dpr / 2, kExact) << c.height;
    }
}

TEST(ScaleMap, WithoutAScaleCountsTwipsFromTheTopLeft) {
    for (const double dpr : {1.0, 1.5, 2.0}) {
        const ScaleMap m = scaleMap(std::nullopt, 329, 200, dpr, kTwipsPerPixel);
        EXPECT_EQ(m.x.toDevice(0), 0.0);
        EXPECT_EQ(m.y.toDevice(0), 0.0);
        EXPECT_DOUBLE_EQ(m.x.toDevice(1500), 100 * dpr);
        EXPECT_DOUBLE_EQ(m.y.toDevice(300), 20 * dpr);
    }
}

// The corner is floor(c + 0.5 - side / 2), also left of and above the origin;
// a square that cannot touch the 10 x 10 drawing is no point at all.
TEST(PointSquare, CornerOfTheSquareCentredOnThePoint) {
    struct Case {
        double cx, cy;
        int side;
        std::optional<PixelCorner> corner;
    } const cases[] = {
        {0.5, 0.5, 1, PixelCorner{0, 0}},
        {0.999, 9.5, 1, PixelCorner{0, 9}},
        {1.0, 1.0, 1, PixelCorner{1, 1}},
        {-0.4, 3.2, 1, PixelCorner{-1, 3}},
        {-0.999, -0.999, 1, PixelCorner{-1, -1}},
        {1.0, 1.5, 2, PixelCorner{0, 1}},
        {-1.9, 11.9, 2, PixelCorner{-3, 11}},
        {10.0, 5.0, 3, PixelCorner{9, 4}},
        {-1.0, 5.0, 1, std::nullopt},
        {5.0, 11.0, 1, std::nullopt},
        {12.0, 5.0, 2, std::nullopt},
        {1e30, 5.0, 2, std::nullopt},
        {5.0, -1e30, 2, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), 5.0, 2, std::nullopt},
        {5.0, std::numeric_limits<double>::infinity(), 2, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<PixelCorner> got = pointSquare(c.cx, c.cy, c.side, 10, 10);
        ASSERT_EQ(got.has_value(), c.corner.has_value()) << c.cx << ", " << c.cy;
        if (got) {
            EXPECT_EQ(got->x, c.corner->x) << c.cx;
            EXPECT_EQ(got->y, c.corner->y) << c.cy;
        }
    }
}

}  // namespace
