// The general number format, two ways to the same text: the shortest digits
// laid out by hand where they need no rounding (the common case, and cheaper
// by a good part of a click), std::to_chars' own 15-digit rounding otherwise.
#include "calc/FormatGeneral.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace calc {

namespace {

constexpr int kSignificantDigits = 15;

// The general form switches to an exponent below 1E-4 and from 1E15 on.
constexpr int kSmallestFixedExponent = -4;

// The decimal digits of a value and the power of ten of the first one.
struct DecimalDigits {
    bool negative = false;
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// Shortest digits that read back as v (fast, exact), split out of d.ddde+XX.
DecimalDigits shortestDigits(double v) {
    char text[32];
    const char* const end =
        std::to_chars(text, text + sizeof text, v, std::chars_format::scientific).ptr;
    DecimalDigits d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') {
            d.digits[d.count++] = *p;
        }
    }
    const char* exponent = p + 1;
    if (*exponent == '+') {
        ++exponent;  // from_chars takes a '-' but no '+'
    }
    std::from_chars(exponent, end, d.exponent);
    return d;
}

void appendExponent(std::string& text, int exponent) {
    text += 'E';
    text += exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
}

// The general form of a number whose digits need no rounding.
std::string generalForm(const DecimalDigits& d) {
    std::string text;
    if (d.negative) {
        text += '-';
    }
    const std::string_view digits(d.digits, static_cast<std::size_t>(d.count));
    if (d.exponent < kSmallestFixedExponent || d.exponent >= kSignificantDigits) {
        text += digits.front();
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        appendExponent(text, d.exponent);
    } else if (d.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        text += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(d.exponent + 1);
        text += digits.substr(0, integerDigits);
        if (digits.size() > integerDigits) {
            text += '.';
            text += digits.substr(integerDigits);
        } else {
            text.append(integerDigits - digits.size(), '0');
        }
    }
    return text;
}

// Rounding to 15 significant digits: std::to_chars with a precision rounds like
// %.15G in the "C" locale and never looks at the locale itself.
std::string roundedGeneralForm(double v) {
    char buffer[32];
    const char* const end = std::to_chars(buffer, buffer + sizeof buffer, v,
                                          std::chars_format::general, kSignificantDigits)
                                .ptr;
    std::string text(static_cast<const char*>(buffer), end);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

}  // namespace

std::string formatGeneral(double v) {
    if (v == 0) {
        return "0";  // also for -0, which would otherwise keep its sign
    }
    // For a normal double the 15-digit decimal grid is coarser than the spacing
    // of doubles, so shortest digits that fit in 15 are exactly the 15-digit
    // rounding; only longer ones (and subnormals) need the slower rounding.
    if (std::isnormal(v)) {
        const DecimalDigits d = shortestDigits(v);
        if (d.count <= kSignificantDigits) {
            return generalForm(d);
        }
    }
    return roundedGeneralForm(v);
}

std::string formatFixed(double v, int decimals) {
    char buffer[32];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals).ptr;
    return {static_cast<const char*>(buffer), end};
}

}  // namespace calc
