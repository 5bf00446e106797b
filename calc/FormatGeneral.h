#pragma once

#include <string>

namespace calc {

// General number format: shortest decimal form with at most 15 significant
// digits, no trailing zeros, "0." before a fraction, '.' as decimal point
// whatever the locale (2.26, 15, 0.12, 1.5E+20). Magnitudes below 1E-4 or from
// 1E+15 on take the exponent form, with at least two exponent digits (1E-05).
// The one number-to-text rule: the read-outs and the chart's printed numbers
// both build on it.
std::string formatGeneral(double v);

// Fixed notation with this many decimals, '.' as decimal point whatever the
// locale (1 with one decimal is 1.0).
std::string formatFixed(double v, int decimals);

}  // namespace calc
