// The two helpers every drawing surface shares: the sixteen-colour palette and
// the text a printed number becomes.

#include "chart/DrawingSurface.h"

#include "calc/FormatGeneral.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace chart {

namespace {

constexpr std::array<Rgb, 16> kPalette{{
    {0, 0, 0},        // 0 black
    {0, 0, 128},      // 1 blue
    {0, 128, 0},      // 2 green
    {0, 128, 128},    // 3 cyan
    {128, 0, 0},      // 4 red
    {128, 0, 128},    // 5 magenta
    {128, 128, 0},    // 6 yellow
    {192, 192, 192},  // 7 white
    {128, 128, 128},  // 8 grey
    {0, 0, 255},      // 9 light blue
    {0, 255, 0},      // 10 light green
    {0, 255, 255},    // 11 light cyan
    {255, 0, 0},      // 12 light red
    {255, 0, 255},    // 13 light magenta
    {255, 255, 0},    // 14 light yellow
    {255, 255, 255},  // 15 bright white
}};

}  // namespace

// Out-of-range indices are clamped to the nearest end of the palette, so a bad
// index gives black or bright white rather than an arbitrary colour.
Rgb QBColor(int n) {
    return kPalette[static_cast<std::size_t>(std::clamp(n, 0, 15))];
}

std::string numericPrintText(double v) {
    if (std::isnan(v)) {
        return " NaN ";
    }
    const bool negative = std::signbit(v) && v != 0.0;
    std::string body = std::isinf(v) ? std::string("Inf") : calc::formatGeneral(std::fabs(v));
    if (body.starts_with("0.")) {
        body.erase(0, 1);  // a printed fraction has no zero before the point
    }
    return (negative ? "-" : " ") + body + " ";
}

}  // namespace chart
