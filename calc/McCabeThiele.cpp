// Stepping stages in double precision. The stage test order is the method's:
// the feed stage is the first whose liquid reaches x_i, the reboiler the first
// whose liquid reaches x_W, and a stage can be both.
#include "calc/McCabeThiele.h"

#include <algorithm>

namespace calc {

namespace {

// Liquid in equilibrium with vapour y at constant volatility.
double equilibriumLiquid(double alpha, double y) {
    return y / (alpha - (alpha - 1) * y);
}

double equilibriumVapour(double alpha, double x) {
    return alpha * x / (1 + (alpha - 1) * x);
}

// The stripping line runs from (x_i, y_i) to (x_W, x_W).
double strippingLine(double xi, double yi, double xW, double x) {
    return (yi - xW) / (xi - xW) * (x - xW) + xW;
}

constexpr int kCurveSteps = 100;

}  // namespace

double rectifyingLine(double reflux, double xD, double x) {
    return reflux / (reflux + 1) * x + xD / (reflux + 1);
}

Staircase stepStages(const ShortcutInputs& in, double reflux, const ColumnFlows& flows) {
    if (!hasStrippingVapour(flows)) {
        return {.outcome = StaircaseOutcome::NoStrippingVapour};
    }
    if (in.q + reflux == 0) {
        return {.outcome = StaircaseOutcome::ParallelLines};
    }
    const double xi = (in.xD * (in.q - 1) + in.xF * (reflux + 1)) / (in.q + reflux);
    if (!(xi > in.xW && xi < in.xD)) {
        return {.outcome = StaircaseOutcome::IntersectionOutside, .xi = xi};
    }
    Staircase s{.outcome = StaircaseOutcome::BeyondLimit,
                .xi = xi,
                .yi = rectifyingLine(reflux, in.xD, xi)};

    double y = in.xD;
    for (int n = 1; n <= kStageLimit; ++n) {
        const double x = equilibriumLiquid(in.alpha, y);
        s.stages.push_back({.x = x, .y = y});
        if (s.feedStage == 0 && x <= s.xi) {
            s.feedStage = n;
        }
        if (x <= in.xW) {
            s.outcome = StaircaseOutcome::Stepped;
            break;
        }
        y = s.feedStage != 0 ? strippingLine(s.xi, s.yi, in.xW, x)
                             : rectifyingLine(reflux, in.xD, x);
    }
    return s;
}

std::vector<Stage> equilibriumCurve(double alpha) {
    std::vector<Stage> curve;
    for (int k = 0; k <= kCurveSteps; ++k) {
        const double v = static_cast<double>(k) / kCurveSteps;
        curve.push_back({.x = v, .y = equilibriumVapour(alpha, v)});
        curve.push_back({.x = equilibriumLiquid(alpha, v), .y = v});
    }
    std::ranges::sort(curve, {}, &Stage::x);
    // (0, 0) and (1, 1) come twice.
    curve.erase(std::unique(curve.begin(), curve.end(),
                            [](const Stage& a, const Stage& b) { return a.x == b.x; }),
                curve.end());
    return curve;
}

}  // namespace calc
