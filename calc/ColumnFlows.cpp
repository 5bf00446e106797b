#include "calc/ColumnFlows.h"

namespace calc {

ColumnFlows columnFlows(const ShortcutInputs& in, double reflux) {
    const double distillate = in.feedRate * (in.xF - in.xW) / (in.xD - in.xW);
    const double liquid = reflux * distillate;
    const double vapour = (reflux + 1) * distillate;
    return {.distillate = distillate,
            .bottoms = in.feedRate - distillate,
            .liquid = liquid,
            .vapour = vapour,
            .strippingLiquid = liquid + in.q * in.feedRate,
            .strippingVapour = vapour - (1 - in.q) * in.feedRate};
}

}  // namespace calc
