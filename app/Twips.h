#pragma once

#include <QRect>
#include <QtMath>

namespace app {

// The layout is given in twips (1/1440 inch). Qt lays widgets out in
// device-independent pixels of 1/96 inch, so one pixel is 15 twips; high-DPI
// scaling then scales the whole window evenly. This is the one place where
// twips become pixels.
inline constexpr double kTwipsPerPixel = 15.0;
// Font sizes are given in points of 1/72 inch, 20 twips each.
inline constexpr int kTwipsPerPoint = 20;

inline int twipsToPixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

// A control's position in its container and its size, in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline QRect toPixels(const TwipRect& r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

}  // namespace app
