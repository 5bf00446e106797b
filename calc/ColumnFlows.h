#pragma once

#include "calc/ShortcutInputs.h"

namespace calc {

// The column's molar flows, kmol/h, from the feed rate and the operating reflux
// ratio R: the product split by the light component's balance, the rectifying
// section's liquid and vapour from R, and the stripping section's from the
// feed's thermal condition q.
struct ColumnFlows {
    double distillate;       // D = F (xF - xW) / (xD - xW)
    double bottoms;          // W = F - D
    double liquid;           // L = R D
    double vapour;           // V = (R + 1) D
    double strippingLiquid;  // L' = L + q F
    double strippingVapour;  // V' = V - (1 - q) F; zero or below for a strongly superheated feed
};

ColumnFlows columnFlows(const ShortcutInputs& in, double reflux);

// Whether the stripping section has vapour to boil up.
inline bool hasStrippingVapour(const ColumnFlows& flows) {
    return flows.strippingVapour > 0;
}

}  // namespace calc
