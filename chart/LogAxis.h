#pragma once

#include <optional>

namespace chart {

// A logarithmic axis from its lower to its upper limit, both powers of ten, so
// that it spans whole decades. Drawn across the plot box's user range, lower
// at 0 and upper at the range's end: the grid, the tick labels, the curve and
// the chart's description all follow from these two limits.
struct LogAxis {
    double lower;
    double upper;
};

// 10^n as the nearest double, as the literal 1e<n> gives it: powers of ten up
// to 1e22 are exact, and 1 over one of them rounds once.
constexpr double powerOfTen(int n) {
    double exact = 1.0;
    for (int k = 0; k < (n < 0 ? -n : n); ++k) {
        exact *= 10.0;
    }
    return n < 0 ? 1.0 / exact : exact;
}

// The n with powerOfTen(n) == limit, if the limit is such a power of ten
// (|n| <= 22, where the literals are exact or one rounding from exact).
constexpr std::optional<int> decadeExponent(double limit) {
    constexpr int kWidest = 22;
    const int direction = limit < 1.0 ? -1 : 1;
    for (int n = 0; n * direction <= kWidest; n += direction) {
        const double power = powerOfTen(n);
        if (power == limit) {
            return n;
        }
        if (direction < 0 ? power < limit : power > limit) {
            break;
        }
    }
    return std::nullopt;
}

constexpr bool spansWholeDecades(const LogAxis& axis) {
    const auto lower = decadeExponent(axis.lower);
    const auto upper = decadeExponent(axis.upper);
    return lower && upper && *lower < *upper;
}

constexpr int lowerExponent(const LogAxis& axis) {
    return *decadeExponent(axis.lower);
}

constexpr int decades(const LogAxis& axis) {
    return *decadeExponent(axis.upper) - lowerExponent(axis);
}

// Both axes of the Gilliland chart.
inline constexpr LogAxis kGillilandAxis{.lower = 0.01, .upper = 1.0};
static_assert(spansWholeDecades(kGillilandAxis));

}  // namespace chart
