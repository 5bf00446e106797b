#pragma once

#include <cmath>

namespace calc {

// The design details' rounding to two decimals, to nearest with halves up:
// floor(100 v + 0.5) / 100 in double precision. (The window's read-outs
// truncate instead; see truncate2.)
inline double round2(double v) {
    return std::floor(100 * v + 0.5) / 100;
}

}  // namespace calc
