#pragma once

// Designs whose read-outs are known, pinned once for the calculation's tests
// and the window's: each as typed into the boxes, with the seven texts a click
// on it shows.

#include "calc/InputBoxes.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutInputs.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <utility>

namespace known {

// The texts the window opens with, but for the boxes given, typed over.
inline calc::InputTexts
initialTextsWith(std::initializer_list<std::pair<calc::InputBox, std::string_view>> typed = {}) {
    calc::InputTexts texts = calc::initialTexts();
    for (const auto& [which, text] : typed) {
        texts[static_cast<std::size_t>(which)] = text;
    }
    return texts;
}

// The seven read-out texts, in ReadoutBox order: Rmin, R, Nmin, Y, X, plates,
// feed plate.
using ReadoutTexts = std::array<const char*, 7>;

struct Design {
    const char* name;
    calc::InputTexts texts;
    ReadoutTexts readouts;
};

// Names the design in failure messages.
inline void PrintTo(const Design& d, std::ostream* os) {
    *os << d.name;
}

using calc::InputBox;

inline const Design kDefaults{.name = "Defaults",
                              .texts = initialTextsWith(),
                              .readouts = {"2.26", "2.71", "6.51", "0.52", "0.12", "15", "8"}};
inline const Design kSaturatedLiquid{
    .name = "SaturatedLiquid",
    .texts = initialTextsWith({{InputBox::ThermalCondition, "1"}}),
    .readouts = {"1.12", "1.34", "6.51", "0.55", "0.09", "16", "9"}};
inline const Design kSaturatedVapour{
    .name = "SaturatedVapour",
    .texts = initialTextsWith({{InputBox::ThermalCondition, "0"}}),
    .readouts = {"2.12", "2.54", "6.51", "0.52", "0.11", "15", "8"}};
// An empty box reads as 0, and -0 compares equal to 0: both a vapour feed.
inline const Design kBlankIsVapour{.name = "BlankIsVapour",
                                   .texts = initialTextsWith({{InputBox::ThermalCondition, ""}}),
                                   .readouts = kSaturatedVapour.readouts};
inline const Design kNegativeZeroIsVapour{
    .name = "NegativeZeroIsVapour",
    .texts = initialTextsWith({{InputBox::ThermalCondition, "-0"}}),
    .readouts = kSaturatedVapour.readouts};
// Rmin and R are just below 1.05 and 1.575 as doubles and truncate down.
inline const Design kTruncatesTheDoubleProduct{
    .name = "TruncatesTheDoubleProduct",
    .texts = {"100", "0.4", "1.2", "1.5", "0.9", "0.1", "2.5"},
    .readouts = {"1.04", "1.57", "4.79", "0.44", "0.2", "10", "6"}};

inline const std::array kDesigns = {
    kDefaults,      kSaturatedLiquid,      kSaturatedVapour,
    kBlankIsVapour, kNegativeZeroIsVapour, kTruncatesTheDoubleProduct};

// The default design's inputs as read (ReadInputsTest pins each value).
inline const calc::ShortcutInputs kDefaultInputs = calc::readInputs(kDefaults.texts).value();

}  // namespace known
