#pragma once

#include "calc/ShortcutInputs.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The seven inputs of a design, in the order their boxes stand on the window
// (ShortcutInputs says what each one is).
enum class InputBox {
    FeedRate,
    FeedComposition,
    ThermalCondition,
    RefluxFactor,
    TopComposition,
    BottomComposition,
    RelativeVolatility,
};

// One side of an input's rule: none, a constant, or a value read before it.
using Bound = std::variant<std::monostate, double, double ShortcutInputs::*>;

// Fields without a default are required: leaving one out of a row fails the
// build (-Wmissing-field-initializers is an error).
struct InputBoxRow {
    InputBox box;
    double ShortcutInputs::*field;  // where the accepted value goes
    Bound above = {};               // the value must be greater than this
    Bound below = {};               // and less than this
    const char* initialText;        // what the box shows when the window opens
    const char* linkKey;            // its name in a design's link (#F=100&xF=0.5...)
};

// The one home of what each input accepts and how it starts, in box order: the
// window, the tools and the tests take the inputs from here.
// clang-format off
inline constexpr std::array kInputBoxes = {
    InputBoxRow{.box = InputBox::FeedRate, .field = &ShortcutInputs::feedRate, .above = 0.0,
                .initialText = "100", .linkKey = "F"},
    InputBoxRow{.box = InputBox::FeedComposition, .field = &ShortcutInputs::xF,
                .above = &ShortcutInputs::xW, .below = &ShortcutInputs::xD, .initialText = "0.5",
                .linkKey = "xF"},
    InputBoxRow{.box = InputBox::ThermalCondition, .field = &ShortcutInputs::q,
                .initialText = "-0.1", .linkKey = "q"},
    InputBoxRow{.box = InputBox::RefluxFactor, .field = &ShortcutInputs::refluxFactor, .above = 1.0,
                .initialText = "1.2", .linkKey = "RRmin"},
    InputBoxRow{.box = InputBox::TopComposition, .field = &ShortcutInputs::xD, .above = 0.0,
                .below = 1.0, .initialText = "0.95", .linkKey = "xD"},
    InputBoxRow{.box = InputBox::BottomComposition, .field = &ShortcutInputs::xW, .above = 0.0,
                .below = &ShortcutInputs::xD, .initialText = "0.05", .linkKey = "xW"},
    InputBoxRow{.box = InputBox::RelativeVolatility, .field = &ShortcutInputs::alpha, .above = 1.0,
                .initialText = "2.47", .linkKey = "alpha"},
};
// clang-format on

inline constexpr std::size_t kInputCount = kInputBoxes.size();

constexpr const InputBoxRow& inputBox(InputBox box) {
    return kInputBoxes[static_cast<std::size_t>(box)];
}

// The order the calculation reads and tests the boxes in, the first failure
// ending it: the feed composition comes after both product compositions,
// because its rule compares it with them.
inline constexpr std::array kReadingOrder = {
    InputBox::FeedRate,          InputBox::ThermalCondition,  InputBox::RefluxFactor,
    InputBox::TopComposition,    InputBox::BottomComposition, InputBox::FeedComposition,
    InputBox::RelativeVolatility};

// The texts of the input boxes, by InputBox (UTF-8).
using InputTexts = std::array<std::string_view, kInputCount>;
// The same texts held: a design as typed.
using DesignTexts = std::array<std::string, kInputCount>;

constexpr InputTexts initialTexts() {
    InputTexts texts;
    for (const InputBoxRow& row : kInputBoxes) {
        texts[static_cast<std::size_t>(row.box)] = row.initialText;
    }
    return texts;
}

namespace input_detail {

constexpr std::size_t readingPosition(double ShortcutInputs::*field) {
    for (std::size_t i = 0; i < kReadingOrder.size(); ++i) {
        if (inputBox(kReadingOrder[i]).field == field) {
            return i;
        }
    }
    return kReadingOrder.size();
}

// A bound that is an earlier box's value has been read by the time it is used.
// (By value, not through get_if: with the sanitizers GCC does not take a
// pointer's test against null as a constant.)
constexpr bool readBefore(const Bound& bound, std::size_t position) {
    using Field = double ShortcutInputs::*;
    return !std::holds_alternative<Field>(bound) ||
           readingPosition(std::get<Field>(bound)) < position;
}

}  // namespace input_detail

// Checked as it compiles: each row stands at its box's place, each box is read
// once, and each rule compares only with values read before it.
static_assert(std::ranges::all_of(kInputBoxes, [](const InputBoxRow& row) {
    return &inputBox(row.box) == &row;
}));
static_assert(kReadingOrder.size() == kInputCount &&
              std::ranges::all_of(kInputBoxes, [](const InputBoxRow& row) {
                  return std::ranges::count(kReadingOrder, row.box) == 1;
              }));
static_assert(std::ranges::all_of(kInputBoxes, [](const InputBoxRow& row) {
    const std::size_t position = input_detail::readingPosition(row.field);
    return position < kInputCount && input_detail::readBefore(row.above, position) &&
           input_detail::readBefore(row.below, position);
}));

}  // namespace calc
