#pragma once

namespace chart {

// A point in device pixels of a drawing.
struct DevicePoint {
    double x;
    double y;
};

// A rectangle in device pixels; a point on an edge counts as inside.
struct DeviceBounds {
    double left;
    double top;
    double right;
    double bottom;
};

// Cohen-Sutherland: trims the segment a-b to the bounds, moving a and b; false
// when nothing of it lies inside or a coordinate is not finite. Each cut end
// is put on the border itself rather than interpolated from the far end, so a
// line from -1e30 to 1e30 keeps its exact height. Keeps huge coordinates away
// from a rasteriser whose fixed-point arithmetic would overflow.
bool clipSegment(DevicePoint& a, DevicePoint& b, const DeviceBounds& bounds);

}  // namespace chart
