// The seven result texts.
#include "calc/DisplayTexts.h"

#include "calc/FormatGeneral.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutCalculation.h"
#include "calc/Truncate2.h"

namespace calc {

std::array<DisplayText, 7> displayTexts(const ShortcutResults& r) {
    return {{
        {ReadoutBox::Text8, formatGeneral(truncate2(r.rMin))},
        {ReadoutBox::Text14, formatGeneral(truncate2(r.reflux))},
        {ReadoutBox::Text9, formatGeneral(truncate2(r.nMin))},
        {ReadoutBox::Text10, formatGeneral(truncate2(r.gillilandY))},
        {ReadoutBox::Text11, formatGeneral(truncate2(r.gillilandX))},
        {ReadoutBox::Text12, formatGeneral(r.plateCount)},
        {ReadoutBox::Text13, formatGeneral(r.feedPlate)},
    }};
}

std::optional<std::array<DisplayText, 7>> readoutsFor(const InputTexts& texts) {
    const std::optional<ShortcutInputs> inputs = readInputs(texts);
    const std::optional<ShortcutResults> results =
        inputs ? calculateShortcut(*inputs) : std::nullopt;
    if (!results) {
        return std::nullopt;
    }
    return displayTexts(*results);
}

}  // namespace calc
