#pragma once

#include "calc/InputBoxes.h"
#include "calc/ShortcutResults.h"

#include <array>
#include <optional>
#include <string>

namespace calc {

// The seven results the window shows, in the order the click handler writes
// them (ShortcutResults says what each one is).
enum class ReadoutBox {
    MinimumReflux,
    Reflux,
    MinimumStages,
    GillilandY,
    GillilandX,
    PlateCount,
    FeedPlate,
};

struct DisplayText {
    ReadoutBox box;
    std::string text;
};

// The seven texts, in ReadoutBox order.
std::array<DisplayText, 7> displayTexts(const ShortcutResults& r);

// What the read-out boxes show after a click with these input texts, as the
// click handler computes it; nullopt where it shows the error message instead.
std::optional<std::array<DisplayText, 7>> readoutsFor(const InputTexts& texts);

}  // namespace calc
