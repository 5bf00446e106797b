#include "chart/ScaleMap.h"

#include <cmath>

namespace chart {

std::optional<UserScale> userScale(float x1, float y1, float x2, float y2) {
    const bool usable = std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) &&
                        std::isfinite(y2) && x1 != x2 && y1 != y2;
    if (!usable) {
        return std::nullopt;
    }
    return UserScale{.x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2};
}

ScaleMap scaleMap(const std::optional<UserScale>& scale, int width, int height,
                  double devicePixelRatio, double twipsPerPixel) {
    const double dpr = devicePixelRatio;
    if (!scale) {
        const AxisMap twips{.offset = 0.0, .factor = dpr / twipsPerPixel};
        return {.x = twips, .y = twips};
    }
    const double xFactor = (width - dpr) / (scale->x2 - scale->x1);
    const double yFactor = (height - dpr) / (scale->y2 - scale->y1);
    return {.x = {.offset = dpr / 2 - scale->x1 * xFactor, .factor = xFactor},
            .y = {.offset = dpr / 2 - scale->y1 * yFactor, .factor = yFactor}};
}

}  // namespace chart
