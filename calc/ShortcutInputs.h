#pragma once

// The seven values of one design, as typed into the input boxes and accepted.
// Invariant of every record readInputs hands out: feedRate > 0,
// 0 < xW < xF < xD < 1, refluxFactor > 1, alpha > 1; q may be any finite value.
// Compositions are mole fractions of the more volatile component.
struct ShortcutInputs {
    double feedRate = 0;      // F, kmol/h (Text1)
    double xF = 0;            // feed composition (Text2)
    double q = 0;             // feed thermal-condition parameter (Text3)
    double refluxFactor = 0;  // R / Rmin (Text4)
    double xD = 0;            // top-product composition (Text5)
    double xW = 0;            // bottom-product composition (Text6)
    double alpha = 0;         // relative volatility (Text7)
};
