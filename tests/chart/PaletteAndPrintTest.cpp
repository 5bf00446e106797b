// The palette and the numeric print format the tick labels rely on.

#include "chart/DrawingSurface.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

namespace {

using namespace chart;

// The sixteen-colour palette by its rule: bit 0 of the index is blue, bit 1
// green, bit 2 red, each at half intensity, or full with bit 3; the two greys
// break it (7 is light grey, 8 dark grey). An index off the palette takes the
// nearer end.
Rgb paletteRule(int n) {
    if (n == 7 || n == 8) {
        const auto grey = static_cast<std::uint8_t>(n == 7 ? 192 : 128);
        return {grey, grey, grey};
    }
    const auto on = static_cast<std::uint8_t>(n & 8 ? 255 : 128);
    const auto channel = [&](int bit) { return static_cast<std::uint8_t>(n & bit ? on : 0); };
    return {channel(4), channel(2), channel(1)};
}

TEST(QBColorTest, FollowsThePaletteRuleAndClampsOtherIndices) {
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(QBColor(n), paletteRule(n)) << "n = " << n;
    }
    for (const auto& [n, end] : {std::pair{-1, 0}, {INT_MIN, 0}, {16, 15}, {INT_MAX, 15}}) {
        EXPECT_EQ(QBColor(n), paletteRule(end)) << "n = " << n;
    }
}

struct PrintCase {
    double value;
    std::string text;
};

TEST(NumericPrintTextTest, BlankOrMinusThenShortestFormThenBlank) {
    const PrintCase cases[] = {
        {0.01, " .01 "},
        {0.1, " .1 "},
        {0.8, " .8 "},
        {0.4, " .4 "},
        {1.0, " 1 "},
        {-0.5, "-.5 "},
        {0.0, " 0 "},
        {-0.0, " 0 "},
        {0.1 + 0.2, " .3 "},  // 15 significant digits hide the binary error
        {1.0 / 3.0, " .333333333333333 "},
        {2.5, " 2.5 "},
        {-12.0, "-12 "},
        {1234.5678, " 1234.5678 "},
        {123456789012345.0, " 123456789012345 "},
        {1e15, " 1E+15 "},
        {0.0001, " .0001 "},
        {0.00001, " 1E-05 "},
        {-2.5e-7, "-2.5E-07 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numericPrintText(c.value), c.text) << "value " << c.value;
    }
}

}  // namespace
