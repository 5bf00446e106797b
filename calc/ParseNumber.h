#pragma once

#include <optional>
#include <string_view>

namespace calc {

// The one rule by which a typed text becomes a number.
//
// Blanks (space, tab, line feed) are dropped wherever they stand; the value is
// read from the start of what remains and reading stops at the first character
// that cannot continue the numeral: [+|-] digits [. digits] [(E|D) [+|-] digits],
// or &H / &O followed by a hexadecimal / octal integer in 16- or 32-bit two's
// complement. A text that does not begin with a numeral reads as 0; the decimal
// point is always '.', whatever the locale.
//
// Returns nullopt only when the numeral cannot be represented: a decimal beyond
// the double range (1E999) or a radix integer wider than 32 bits. Underflow
// reads as 0. The result is never NaN or infinite.
std::optional<double> parseNumber(std::string_view text);

}  // namespace calc
