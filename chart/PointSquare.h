#pragma once

#include <optional>

namespace chart {

// The top-left device pixel of the square a point covers.
struct PixelCorner {
    int x;
    int y;
    friend bool operator==(const PixelCorner&, const PixelCorner&) = default;
};

// The corner of the side-pixel-wide square centred on the device point
// (cx, cy), or nothing when the square cannot touch a drawing of width x
// height pixels; a NaN coordinate touches nothing. Inline: the chart sets
// thousands of points a drawing.
inline std::optional<PixelCorner> pointSquare(double cx, double cy, int side, int width,
                                              int height) {
    const int s = side;
    // Compared before any conversion to int; NaN fails every comparison.
    const bool inside = cx > -s && cx < width + s && cy > -s && cy < height + s;
    if (!inside) {
        return std::nullopt;
    }
    // Both coordinates are above -1.5 s here, so adding 2 s before truncating
    // gives the floor.
    const double shift = 0.5 - s / 2.0 + 2 * s;
    return PixelCorner{.x = static_cast<int>(cx + shift) - 2 * s,
                       .y = static_cast<int>(cy + shift) - 2 * s};
}

}  // namespace chart
