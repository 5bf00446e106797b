#include "chart/SegmentClipper.h"

#include <cmath>

namespace chart {

namespace {

enum : int { Left = 1, Right = 2, Above = 4, Below = 8 };

int outcode(const DevicePoint& p, const DeviceBounds& r) {
    int code = 0;
    code |= p.x < r.left ? Left : (p.x > r.right ? Right : 0);
    code |= p.y < r.top ? Above : (p.y > r.bottom ? Below : 0);
    return code;
}

}  // namespace

bool clipSegment(DevicePoint& a, DevicePoint& b, const DeviceBounds& r) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
        return false;
    }
    // Each pass puts one end on one border line; four per end suffice.
    for (int pass = 0; pass < 8; ++pass) {
        const int codeA = outcode(a, r);
        const int codeB = outcode(b, r);
        if ((codeA | codeB) == 0) {
            return true;
        }
        if ((codeA & codeB) != 0) {
            return false;
        }
        DevicePoint& end = codeA != 0 ? a : b;
        const DevicePoint& other = codeA != 0 ? b : a;
        const int code = codeA != 0 ? codeA : codeB;
        const double dx = other.x - end.x;
        const double dy = other.y - end.y;
        if ((code & (Left | Right)) != 0) {
            const double x = (code & Left) != 0 ? r.left : r.right;
            end = DevicePoint{x, end.y + dy * ((x - end.x) / dx)};
        } else {
            const double y = (code & Above) != 0 ? r.top : r.bottom;
            end = DevicePoint{end.x + dx * ((y - end.y) / dy), y};
        }
    }
    return outcode(a, r) == 0 && outcode(b, r) == 0;
}

}  // namespace chart
