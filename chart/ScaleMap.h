#pragma once

#include <optional>

namespace chart {

// A box's user coordinates: (x1, y1) at the upper-left corner of its drawing,
// (x2, y2) at the lower-right; y1 > y2 makes y grow upward.
struct UserScale {
    double x1;
    double y1;
    double x2;
    double y2;
};

// The scale Scale(x1, y1, x2, y2) asks for, or nothing when it cannot map:
// a corner not finite, or both corners on one vertical or horizontal line.
std::optional<UserScale> userScale(float x1, float y1, float x2, float y2);

// One axis from user coordinates to device pixels: device = offset + user * factor.
struct AxisMap {
    double offset;
    double factor;
    double toDevice(double user) const { return offset + user * factor; }
};

struct ScaleMap {
    AxisMap x;
    AxisMap y;
};

// The map onto a drawing of width x height device pixels at the device pixel
// ratio. A user scale puts its corners on the centres of the corner pixels
// (device-independent ones), so lines and points on all four edges show;
// without one the coordinates are twips from the top-left corner.
ScaleMap scaleMap(const std::optional<UserScale>& scale, int width, int height,
                  double devicePixelRatio, double twipsPerPixel);

}  // namespace chart
