// The seven result texts and the number-to-text rule behind them.
#include "DisplayTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

double truncate2(double v) {
    return std::floor(v * 100) / 100;
}

std::string formatGeneral(double v) {
    if (v == 0) {
        return "0";  // also for -0, which would otherwise keep its sign
    }
    // Like %.15G but free of the global locale: the general form strips
    // trailing zeros and writes a two-digit signed exponent (1.5e+20, 1e-05).
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general,
                                      kSignificantDigits);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::array<DisplayText, 7> displayTexts(const ShortcutResults& r) {
    return {{
        {ReadoutBox::Text8, formatGeneral(truncate2(r.rMin))},
        {ReadoutBox::Text14, formatGeneral(truncate2(r.reflux))},
        {ReadoutBox::Text9, formatGeneral(truncate2(r.nMin))},
        {ReadoutBox::Text10, formatGeneral(truncate2(r.gillilandY))},
        {ReadoutBox::Text11, formatGeneral(truncate2(r.gillilandX))},
        {ReadoutBox::Text12, formatGeneral(r.plateCount)},
        {ReadoutBox::Text13, formatGeneral(r.feedPlate)},
    }};
}
