#pragma once

#include "calc/InputBoxes.h"
#include "calc/ShortcutInputs.h"
#include "calc/ShortcutResults.h"

#include <optional>

namespace calc {

// The shortcut design of one column: q-line / equilibrium intersection, minimum
// and operating reflux, Fenske, Gilliland (Eduljee), plate count and feed plate.
//
// nullopt when the design is degenerate: any computed value not finite (no
// q-line root inside (0, 1), negative discriminant, yq == xq, ...) or a minimum
// reflux ratio that is zero or negative (yq >= xD). Such a design is treated by
// the window exactly like a rejected input.
std::optional<ShortcutResults> calculateShortcut(const ShortcutInputs& in);

// A design from the texts as typed: its inputs as read and its results.
struct CalculatedDesign {
    ShortcutInputs inputs;
    ShortcutResults results;
};

// What a click on the confirm button calculates from the texts: readInputs,
// then calculateShortcut; nullopt where the window shows the error message.
std::optional<CalculatedDesign> calculateDesign(const InputTexts& texts);

}  // namespace calc
