#pragma once

namespace calc {

// The Gilliland correlation in Eduljee's form, Y = 0.75 (1 - X^0.5668): the
// ordinate Y for the abscissa X = (R - Rmin) / (R + 1). Shared by the design
// calculation, the chart's curve and its operating-point marker, so that the
// marker's corner always lies on the drawn curve.
double gillilandOrdinate(double gillilandX);

}  // namespace calc
