// Reading the seven input boxes into one design, testing each value as soon as
// it is read.
#include "calc/ReadInputs.h"

#include "calc/ParseNumber.h"

namespace calc {

namespace {

// Reads one box into field when its value passes accepted; false is a rejection,
// whether the value fails its test or cannot be represented at all.
template <typename Test>
bool readField(std::string_view text, double& field, Test accepted) {
    const std::optional<double> value = parseNumber(text);
    if (!value || !accepted(*value)) {
        return false;
    }
    field = *value;
    return true;
}

}  // namespace

std::optional<ShortcutInputs> readInputs(const InputTexts& texts) {
    ShortcutInputs in{};
    // The feed composition comes after both product compositions because its
    // test compares it with them; q is read second and never tested.
    const bool accepted =
        readField(texts.text1, in.feedRate, [](double v) { return v > 0; }) &&
        readField(texts.text3, in.q, [](double) { return true; }) &&
        readField(texts.text4, in.refluxFactor, [](double v) { return v > 1; }) &&
        readField(texts.text5, in.xD, [](double v) { return v > 0 && v < 1; }) &&
        readField(texts.text6, in.xW, [&](double v) { return v > 0 && v < in.xD; }) &&
        readField(texts.text2, in.xF, [&](double v) { return v > in.xW && v < in.xD; }) &&
        readField(texts.text7, in.alpha, [](double v) { return v > 1; });
    if (!accepted) {
        return std::nullopt;
    }
    return in;
}

}  // namespace calc
