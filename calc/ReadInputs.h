#pragma once

#include "calc/ShortcutInputs.h"

#include <optional>
#include <string_view>

namespace calc {

// The current texts of the seven input boxes, by box (UTF-8). Build it by field
// name, so that every box is named where its text is given.
struct InputTexts {
    std::string_view text1;  // feed rate
    std::string_view text2;  // feed composition
    std::string_view text3;  // q
    std::string_view text4;  // R / Rmin
    std::string_view text5;  // top composition
    std::string_view text6;  // bottom composition
    std::string_view text7;  // relative volatility
};

// Reads and tests the boxes in their fixed order (Text1, Text3, Text4, Text5,
// Text6, Text2, Text7), each test against constants or earlier fields only, and
// stops at the first failure. nullopt is the one rejection: it carries no reason.
std::optional<ShortcutInputs> readInputs(const InputTexts& texts);

}  // namespace calc
