#pragma once

#include "calc/ColumnFlows.h"
#include "calc/InputBoxes.h"
#include "calc/McCabeThiele.h"
#include "calc/RefluxSweep.h"
#include "calc/ShortcutInputs.h"
#include "calc/ShortcutResults.h"

#include <optional>
#include <vector>

namespace calc {

// Everything the design companion shows beside the window's seven results:
// the flows, the plates against reflux, and the staircase, all at the
// design's own reflux ratio as the window computes it.
struct DesignDetails {
    ShortcutInputs inputs;
    ShortcutResults results;
    ColumnFlows flows;
    std::vector<RefluxRow> refluxTable;
    std::vector<StagesAtReflux> stagesCurve;
    Staircase staircase;
};

DesignDetails designDetails(const ShortcutInputs& inputs, const ShortcutResults& results);

// The details after a click with these texts; nullopt where the window shows
// the error message instead.
std::optional<DesignDetails> designDetailsFor(const InputTexts& texts);

}  // namespace calc
