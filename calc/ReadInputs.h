#pragma once

#include "calc/InputBoxes.h"
#include "calc/ShortcutInputs.h"

#include <optional>

namespace calc {

// Reads and tests the boxes in kReadingOrder, each against its rule as soon as
// it is read, and stops at the first failure. nullopt is the one rejection: it
// carries no reason.
std::optional<ShortcutInputs> readInputs(const InputTexts& texts);

}  // namespace calc
