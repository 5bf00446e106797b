#pragma once

#include "calc/InputBoxes.h"
#include "calc/ShortcutResults.h"

#include <array>
#include <optional>
#include <string>

namespace calc {

// The seven read-out boxes, named after their controls.
enum class ReadoutBox { Text8, Text14, Text9, Text10, Text11, Text12, Text13 };

struct DisplayText {
    ReadoutBox box;
    std::string text;
};

// The seven texts in the order the click handler writes them:
// Rmin, R, Nmin, Y, X, plate count, feed plate.
std::array<DisplayText, 7> displayTexts(const ShortcutResults& r);

// What the read-out boxes show after a click with these input texts, as the
// click handler computes it; nullopt where it shows the error message instead.
std::optional<std::array<DisplayText, 7>> readoutsFor(const InputTexts& texts);

}  // namespace calc
