#pragma once

#include "calc/InputBoxes.h"
#include "calc/ShortcutResults.h"

#include <array>
#include <cstddef>
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

// Everything the window shows after a click that finds a design: the seven
// read-out texts, in ReadoutBox order, and the operating point it marks on the
// chart, described by its read-outs.
struct ShownDesign {
    std::array<DisplayText, 7> readouts;
    double gillilandX;

    const std::string& text(ReadoutBox box) const {
        return readouts[static_cast<std::size_t>(box)].text;
    }
};

// What the window shows after a click with these input texts; nullopt where
// it shows the error message instead.
std::optional<ShownDesign> shownDesignFor(const InputTexts& texts);

}  // namespace calc
