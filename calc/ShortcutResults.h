#pragma once

namespace calc {

// Everything one shortcut calculation computes.
struct ShortcutResults {
    double xq = 0;              // liquid mole fraction where the q-line meets the equilibrium curve
    double yq = 0;              // vapour mole fraction there
    double rMin = 0;            // minimum reflux ratio
    double reflux = 0;          // operating reflux ratio R
    double nMin = 0;            // Fenske minimum stages, whole column
    double gillilandX = 0;      // (R - Rmin) / (R + 1)
    double gillilandY = 0;      // Eduljee: 0.75 (1 - X^0.5668)
    double stages = 0;          // N from the correlation, unrounded
    double nMinRectifying = 0;  // Fenske minimum stages, feed to top
    double rectifyingStages = 0;  // rectifying-section N, unrounded
    // The two displayed counts, floor + 1. Whole numbers kept as doubles: with a
    // volatility next to 1 the Fenske count outgrows every integer type.
    double plateCount = 0;
    double feedPlate = 0;
};

}  // namespace calc
