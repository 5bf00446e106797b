#pragma once

#include <cmath>

namespace calc {

// Display rounding of the two-decimal results: floor(100 v) / 100 in double
// precision, never to nearest. The floor applies to the product as computed, so
// a value whose double lies just below a whole hundredth reads one hundredth
// less. The calculation uses it too, to turn away a design whose texts could
// not be shown.
inline double truncate2(double v) {
    return std::floor(v * 100) / 100;
}

}  // namespace calc
