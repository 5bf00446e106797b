#include "calc/GillilandCorrelation.h"

#include <cmath>

namespace calc {

namespace {

constexpr double kEduljeeScale = 0.75;
constexpr double kEduljeeExponent = 0.5668;

}  // namespace

double gillilandOrdinate(double gillilandX) {
    return kEduljeeScale * (1 - std::pow(gillilandX, kEduljeeExponent));
}

}  // namespace calc
