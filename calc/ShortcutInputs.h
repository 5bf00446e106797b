#pragma once

namespace calc {

// The seven values of one design, as typed into the input boxes and accepted.
// Invariant of every record readInputs hands out: feedRate > 0,
// 0 < xW < xF < xD < 1, refluxFactor > 1, alpha > 1; q may be any finite value.
// Compositions are mole fractions of the more volatile component.
// No default member values: with them the compiler could not warn about a
// field left out of a braced record, so a field added later would go unnoticed.
// Build records by field name; `{}` gives all zeros.
struct ShortcutInputs {
    double feedRate;      // feed flow rate F, kmol/h
    double xF;            // feed composition
    double q;             // feed thermal condition (1 saturated liquid, 0 saturated vapour)
    double refluxFactor;  // operating over minimum reflux ratio, R / Rmin
    double xD;            // top-product composition
    double xW;            // bottom-product composition
    double alpha;         // relative volatility
};

}  // namespace calc
