// Reading the input boxes into one design, testing each value as soon as it
// is read.
#include "calc/ReadInputs.h"

#include "calc/ParseNumber.h"

namespace calc {

namespace {

// A bound's value: its constant, or the value of the field it names as read so
// far; nullopt when the rule has no bound on that side.
std::optional<double> boundValue(const Bound& bound, const ShortcutInputs& read) {
    if (const auto* constant = std::get_if<double>(&bound)) {
        return *constant;
    }
    if (const auto* field = std::get_if<double ShortcutInputs::*>(&bound)) {
        return read.*(*field);
    }
    return std::nullopt;
}

bool accepts(const InputBoxRow& row, double value, const ShortcutInputs& read) {
    const std::optional<double> above = boundValue(row.above, read);
    const std::optional<double> below = boundValue(row.below, read);
    return (!above || value > *above) && (!below || value < *below);
}

}  // namespace

std::optional<ShortcutInputs> readInputs(const InputTexts& texts) {
    ShortcutInputs in{};
    for (const InputBox box : kReadingOrder) {
        const InputBoxRow& row = inputBox(box);
        // A text beyond the range of the arithmetic is rejected like a broken rule.
        const std::optional<double> value = parseNumber(texts[static_cast<std::size_t>(box)]);
        if (!value || !accepts(row, *value, in)) {
            return std::nullopt;
        }
        in.*row.field = *value;
    }
    return in;
}

}  // namespace calc
