// The seven result texts.
#include "calc/DisplayTexts.h"

#include "calc/FormatGeneral.h"
#include "calc/ShortcutCalculation.h"
#include "calc/Truncate2.h"

namespace calc {

std::array<DisplayText, 7> displayTexts(const ShortcutResults& r) {
    return {{
        {.box = ReadoutBox::MinimumReflux, .text = formatGeneral(truncate2(r.rMin))},
        {.box = ReadoutBox::Reflux, .text = formatGeneral(truncate2(r.reflux))},
        {.box = ReadoutBox::MinimumStages, .text = formatGeneral(truncate2(r.nMin))},
        {.box = ReadoutBox::GillilandY, .text = formatGeneral(truncate2(r.gillilandY))},
        {.box = ReadoutBox::GillilandX, .text = formatGeneral(truncate2(r.gillilandX))},
        {.box = ReadoutBox::PlateCount, .text = formatGeneral(r.plateCount)},
        {.box = ReadoutBox::FeedPlate, .text = formatGeneral(r.feedPlate)},
    }};
}

std::optional<ShownDesign> shownDesignFor(const InputTexts& texts) {
    const std::optional<CalculatedDesign> design = calculateDesign(texts);
    if (!design) {
        return std::nullopt;
    }
    return ShownDesign{.readouts = displayTexts(design->results),
                       .gillilandX = design->results.gillilandX};
}

}  // namespace calc
