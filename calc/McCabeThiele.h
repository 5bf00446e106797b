#pragma once

#include "calc/ColumnFlows.h"
#include "calc/ShortcutInputs.h"

#include <vector>

namespace calc {

// The McCabe-Thiele staircase at the design's volatility and operating reflux:
// stages stepped off from the top between the equilibrium curve and the two
// operating lines, which meet on the q-line.

// The count stops here: a design this near the pinch is not stepped further.
inline constexpr int kStageLimit = 1000;

enum class StaircaseOutcome {
    Stepped,              // the reboiler was reached within the limit
    BeyondLimit,          // kStageLimit stages and the bottom not yet reached
    NoStrippingVapour,    // V' <= 0: no vapour in the stripping section
    ParallelLines,        // q + R = 0: the operating lines do not meet
    IntersectionOutside,  // they meet at x_i not strictly between x_W and x_D
};

// One theoretical stage: the vapour y leaving it and the liquid x in
// equilibrium with it (the corner of one step on the curve).
struct Stage {
    double x;
    double y;
};

struct Staircase {
    StaircaseOutcome outcome;
    double xi = 0;  // where the operating lines meet
    double yi = 0;
    std::vector<Stage> stages = {};  // from the top; the last is the reboiler when Stepped
    int feedStage = 0;               // 1-based; 0 while no stage has reached x_i
};

Staircase stepStages(const ShortcutInputs& in, double reflux, const ColumnFlows& flows);

// Vapour on the rectifying operating line, y = R/(R+1) x + x_D/(R+1).
double rectifyingLine(double reflux, double xD, double x);

// Points of the equilibrium curve y = alpha x / (1 + (alpha - 1) x) from (0, 0)
// to (1, 1), evenly spaced in x and in y, so that a steep curve (a large
// volatility) is as smooth as a flat one.
std::vector<Stage> equilibriumCurve(double alpha);

}  // namespace calc
