// The palette and the numeric print format the tick labels rely on.

#include "chart/DrawingSurface.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

using namespace chart;

struct PaletteCase {
    int n;
    Rgb colour;
};

TEST(QBColorTest, GivesTheSixteenColourPaletteAndClampsOtherIndices) {
    const PaletteCase cases[] = {
        {0, {0, 0, 0}},        {1, {0, 0, 128}},
        {2, {0, 128, 0}},      {3, {0, 128, 128}},
        {4, {128, 0, 0}},      {5, {128, 0, 128}},
        {6, {128, 128, 0}},    {7, {192, 192, 192}},
        {8, {128, 128, 128}},  {9, {0, 0, 255}},
        {10, {0, 255, 0}},     {11, {0, 255, 255}},
        {12, {255, 0, 0}},     {13, {255, 0, 255}},
        {14, {255, 255, 0}},   {15, {255, 255, 255}},
        {-1, {0, 0, 0}},       {INT_MIN, {0, 0, 0}},
        {16, {255, 255, 255}}, {INT_MAX, {255, 255, 255}},
    };
    for (const auto& c : cases) {
        const Rgb got = QBColor(c.n);
        EXPECT_EQ(got, c.colour) << "n = " << c.n << " gave " << int(got.r) << "," << int(got.g)
                                 << "," << int(got.b);
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
