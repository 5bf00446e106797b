#include "calc/RefluxSweep.h"

#include "calc/ShortcutCalculation.h"

#include <algorithm>
#include <optional>

namespace calc {

namespace {

std::optional<ShortcutResults> atFactor(ShortcutInputs design, double factor) {
    design.refluxFactor = factor;
    return calculateShortcut(design);
}

// Enough for a smooth line across a chart some 400 pixels wide.
constexpr int kCurvePoints = 100;
constexpr double kCurveEnd = 5;

}  // namespace

std::vector<RefluxRow> refluxTable(const ShortcutInputs& design) {
    std::vector<double> factors(kTabledRefluxFactors.begin(), kTabledRefluxFactors.end());
    if (std::ranges::find(factors, design.refluxFactor) == factors.end()) {
        factors.insert(std::ranges::upper_bound(factors, design.refluxFactor), design.refluxFactor);
    }
    std::vector<RefluxRow> rows;
    for (const double factor : factors) {
        // A factor at which the design's numbers leave the arithmetic's range gets no row.
        if (const std::optional<ShortcutResults> r = atFactor(design, factor)) {
            rows.push_back({.factor = factor,
                            .vapourRatio = r->reflux + 1,
                            .plateCount = r->plateCount,
                            .feedPlate = r->feedPlate,
                            .isDesign = factor == design.refluxFactor});
        }
    }
    return rows;
}

// The factor runs as 1 + span (k/n)^2, so that the first point lies just
// above 1 and the points are closest where N falls steepest.
std::vector<StagesAtReflux> stagesAgainstReflux(const ShortcutInputs& design) {
    const double span = std::max(kCurveEnd, design.refluxFactor) - 1;
    std::vector<StagesAtReflux> curve;
    curve.reserve(kCurvePoints);
    for (int k = 1; k <= kCurvePoints; ++k) {
        const double share = static_cast<double>(k) / kCurvePoints;
        const double factor = 1 + span * (share * share);
        if (const std::optional<ShortcutResults> r = atFactor(design, factor)) {
            curve.push_back({.factor = factor, .stages = r->stages});
        }
    }
    return curve;
}

}  // namespace calc
