#include "calc/DesignDetails.h"

#include "calc/ShortcutCalculation.h"

namespace calc {

DesignDetails designDetails(const ShortcutInputs& inputs, const ShortcutResults& results) {
    const ColumnFlows flows = columnFlows(inputs, results.reflux);
    return {.inputs = inputs,
            .results = results,
            .flows = flows,
            .refluxTable = refluxTable(inputs),
            .stagesCurve = stagesAgainstReflux(inputs),
            .staircase = stepStages(inputs, results.reflux, flows)};
}

std::optional<DesignDetails> designDetailsFor(const InputTexts& texts) {
    const std::optional<CalculatedDesign> design = calculateDesign(texts);
    if (!design) {
        return std::nullopt;
    }
    return designDetails(design->inputs, design->results);
}

}  // namespace calc
