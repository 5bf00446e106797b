#pragma once

#include "calc/ShortcutInputs.h"

#include <array>
#include <vector>

namespace calc {

// The first question after a shortcut design: what if R/Rmin were another
// value? Every figure here is the window's own calculation with that factor in
// place of the typed one.

// The factors every reflux table lists, beside the design's own.
inline constexpr std::array kTabledRefluxFactors = {1.1, 1.2, 1.3, 1.5, 2.0, 3.0};

struct RefluxRow {
    double factor;       // R/Rmin
    double vapourRatio;  // V/D = R + 1
    double plateCount;   // N_T, as the window shows it
    double feedPlate;    // N_I, as the window shows it
    bool isDesign;       // the design's own factor
};

// The tabled factors in ascending order, with the design's factor among them:
// the row that equals it is marked, or a row of its own is put in its place.
std::vector<RefluxRow> refluxTable(const ShortcutInputs& design);

struct StagesAtReflux {
    double factor;  // R/Rmin
    double stages;  // N from the correlation, unrounded
};

// The correlation's stage count from just above R/Rmin = 1 to 5 (or to the
// design's factor, where that is larger), denser near 1 where it falls fastest.
std::vector<StagesAtReflux> stagesAgainstReflux(const ShortcutInputs& design);

}  // namespace calc
