// Clipping a segment to a drawing's bounds before it reaches the rasteriser.

#include "chart/SegmentClipper.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace chart;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr DeviceBounds kBox{.left = 0, .top = 0, .right = 10, .bottom = 10};

struct ClipCase {
    const char* name;
    DevicePoint a, b;
    bool visible;
    DevicePoint clippedA, clippedB;  // when visible
};

TEST(SegmentClipper, TrimsToTheBoundsOrRejects) {
    const ClipCase cases[] = {
        {"Inside", {1, 2}, {8, 9}, true, {1, 2}, {8, 9}},
        {"OnTheCornersCountsAsInside", {0, 0}, {10, 10}, true, {0, 0}, {10, 10}},
        {"EnteringFromTheLeft", {-5, 5}, {5, 5}, true, {0, 5}, {5, 5}},
        {"LeavingAtTheBottom", {5, 5}, {5, 25}, true, {5, 5}, {5, 10}},
        {"CrossingTopAndBottom", {4, -100}, {4, 100}, true, {4, 0}, {4, 10}},
        {"ThroughTwoCorners", {-5, -5}, {15, 15}, true, {0, 0}, {10, 10}},
        {"SlopedAcrossTwoSides", {-10, 0}, {10, 10}, true, {0, 5}, {10, 10}},
        // Both ends beyond a corner: two cuts each.
        {"CornerRegionToCornerRegion", {-2, -10}, {12, 20}, true, {8.0 / 3, 0}, {22.0 / 3, 10}},
        // Far ends are cut to the border, not interpolated from: the height
        // stays exactly what it was.
        {"HugeHorizontal", {-1e30, 3.3}, {1e30, 3.3}, true, {0, 3.3}, {10, 3.3}},
        {"HugeVertical", {7.7, 1e300}, {7.7, -1e300}, true, {7.7, 10}, {7.7, 0}},
        {"AllLeft", {-5, 1}, {-1, 9}, false, {}, {}},
        {"AllBelow", {1, 11}, {9, 20}, false, {}, {}},
        // Ends in different outer regions, yet the line passes the corner by.
        {"MissesTheCorner", {-5, 4}, {4, -5}, false, {}, {}},
        {"MissesTheFarCorner", {6, 15}, {15, 6}, false, {}, {}},
        {"NaN", {kNaN, 5}, {5, 5}, false, {}, {}},
        {"Infinite", {5, 5}, {5, kInf}, false, {}, {}},
        {"MinusInfinite", {-kInf, 5}, {5, 5}, false, {}, {}},
    };
    for (const ClipCase& c : cases) {
        DevicePoint a = c.a;
        DevicePoint b = c.b;
        ASSERT_EQ(clipSegment(a, b, kBox), c.visible) << c.name;
        if (c.visible) {
            EXPECT_DOUBLE_EQ(a.x, c.clippedA.x) << c.name;
            EXPECT_DOUBLE_EQ(a.y, c.clippedA.y) << c.name;
            EXPECT_DOUBLE_EQ(b.x, c.clippedB.x) << c.name;
            EXPECT_DOUBLE_EQ(b.y, c.clippedB.y) << c.name;
        }
    }
}

// The bounds a picture box clips to reach past its image by the pen width.
TEST(SegmentClipper, HonoursBoundsBeyondTheOrigin) {
    DevicePoint a{.x = -100, .y = 1};
    DevicePoint b{.x = 1000, .y = 1};
    ASSERT_TRUE(clipSegment(a, b, {.left = -2, .top = -2, .right = 331, .bottom = 331}));
    EXPECT_EQ(a.x, -2);
    EXPECT_EQ(b.x, 331);
}

}  // namespace
