// Reading a typed text as a number: a decimal numeral with an optional E / D
// exponent, or an &H / &O radix integer, blanks ignored wherever they stand.
#include "calc/ParseNumber.h"

#include "calc/TextCursor.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>
#if !(defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L)
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#endif

namespace calc {

namespace {

// A double is told apart from the halfway points next to it by at most 767
// significant decimal digits. Digits beyond this many only matter as "some
// nonzero digit follows", which one extra sticky digit keeps, so the
// conversion stays correctly rounded while the buffer stays fixed and small.
constexpr int kMaxSignificantDigits = 800;

// Decimal magnitudes (value in [10^(e-1), 10^e)) beyond these bounds lie
// outside the double range whatever the digits are.
constexpr std::int64_t kOverflowMagnitude = 310;
constexpr std::int64_t kUnderflowMagnitude = -330;

// Exponent digits stop counting here; any larger exponent is out of range anyway.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

// The widest radix integer accepted: 32 bits.
constexpr std::uint64_t kMaxRadixValue = 0xFFFF'FFFF;
constexpr std::uint64_t kMax16BitValue = 0xFFFF;

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The significant digits of a decimal numeral as 0.d1 d2 d3 ... x 10^magnitude,
// d1 being the first nonzero digit; leading zeros only shift the magnitude.
struct SignificantDigits {
    std::array<char, kMaxSignificantDigits> digits;  // only the first count are meaningful
    int count = 0;
    bool sticky = false;  // a nonzero digit beyond the kept ones
    std::int64_t magnitude = 0;

    void addIntegerDigit(char d) {
        if (count == 0 && d == '0') {
            return;
        }
        keep(d);
        ++magnitude;
    }

    void addFractionDigit(char d) {
        if (count == 0 && d == '0') {
            --magnitude;
            return;
        }
        keep(d);
    }

    void keep(char d) {
        if (count < kMaxSignificantDigits) {
            digits[count++] = d;
        } else if (d != '0') {
            sticky = true;
        }
    }

    bool isZero() const { return count == 0; }
};

double signedZero(bool negative) {
    return negative ? -0.0 : 0.0;
}

// [(E|D) [+|-] digits]: the letter only continues the numeral when digits
// follow it, so "1E" and "1E+" read as 1.
std::int64_t readExponent(TextCursor& cursor) {
    TextCursor ahead = cursor;
    if (!isExponentLetter(ahead.peek())) {
        return 0;
    }
    ahead.advance();
    const bool negative = ahead.peek() == '-';
    if (negative || ahead.peek() == '+') {
        ahead.advance();
    }
    if (!isDecimalDigit(ahead.peek())) {
        return 0;
    }
    std::int64_t exponent = 0;
    while (isDecimalDigit(ahead.peek())) {
        if (exponent < kExponentCap) {
            exponent = exponent * 10 + (ahead.peek() - '0');
        }
        ahead.advance();
    }
    cursor = ahead;
    return negative ? -exponent : exponent;
}

// The correctly rounded double of a decimal text such as ".25e3"; false when
// it lies beyond double's range, above or below. A standard library without
// floating-point from_chars (LLVM's libc++ before 20) has C's strtod do it,
// in the C locale's notation whatever the program's own locale.
bool convertDecimal(const char* text, const char* end, double& value) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    return std::from_chars(text, end, value).ec != std::errc::result_out_of_range;
#else
    const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    const locale_t previous = uselocale(classic);
    errno = 0;
    char* stop = nullptr;
    value = std::strtod(text, &stop);
    const bool inRange = errno != ERANGE && stop == end;
    uselocale(previous);
    freelocale(classic);
    return inRange;
#endif
}

// Correctly rounded, locale-independent conversion of 0.digits x 10^magnitude.
std::optional<double> toDouble(const SignificantDigits& m, bool negative) {
    if (m.isZero() || m.magnitude < kUnderflowMagnitude) {
        return signedZero(negative);
    }
    if (m.magnitude > kOverflowMagnitude) {
        return std::nullopt;
    }
    std::array<char, kMaxSignificantDigits + 32> text;
    char* out = text.data();
    *out++ = '.';
    for (int i = 0; i < m.count; ++i) {
        *out++ = m.digits[i];
    }
    if (m.sticky) {
        *out++ = '1';
    }
    *out++ = 'e';
    out = std::to_chars(out, text.data() + text.size() - 1, m.magnitude).ptr;
    *out = '\0';

    double value = 0;
    if (!convertDecimal(text.data(), out, value)) {
        if (m.magnitude > 0) {
            return std::nullopt;
        }
        return signedZero(negative);
    }
    return negative ? -value : value;
}

// [+|-] digits [. digits] [exponent]; no digit at all reads as 0.
std::optional<double> readDecimal(TextCursor& cursor) {
    const bool negative = cursor.peek() == '-';
    if (negative || cursor.peek() == '+') {
        cursor.advance();
    }
    SignificantDigits m;
    bool anyDigit = false;
    bool afterPoint = false;
    for (;;) {
        const char c = cursor.peek();
        if (isDecimalDigit(c)) {
            if (afterPoint) {
                m.addFractionDigit(c);
            } else {
                m.addIntegerDigit(c);
            }
            anyDigit = true;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
        cursor.advance();
    }
    if (!anyDigit) {
        return 0.0;
    }
    const std::int64_t exponent = readExponent(cursor);
    m.magnitude += exponent;
    return toDouble(m, negative);
}

int radixDigitValue(char c, int radix) {
    int value = radix;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    }
    return value < radix ? value : -1;
}

// Hexadecimal or octal digits after &H / &O, taken in two's complement: a value
// that fits 16 bits as a signed 16-bit integer (&HFFFF = -1), a larger one as a
// signed 32-bit integer. Wider than 32 bits cannot be represented.
std::optional<double> readRadixInteger(TextCursor& cursor, int radix) {
    std::uint64_t value = 0;
    for (int digit = radixDigitValue(cursor.peek(), radix); digit >= 0;
         digit = radixDigitValue(cursor.peek(), radix)) {
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > kMaxRadixValue) {
            return std::nullopt;
        }
        cursor.advance();
    }
    if (value <= kMax16BitValue) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The radix of an &H / &O prefix, consumed; 0 (nothing consumed) otherwise.
int readRadixPrefix(TextCursor& cursor) {
    if (cursor.peek() != '&') {
        return 0;
    }
    TextCursor ahead = cursor;
    ahead.advance();
    int radix = 0;
    switch (ahead.peek()) {
    case 'H':
    case 'h':
        radix = 16;
        break;
    case 'O':
    case 'o':
        radix = 8;
        break;
    default:
        return 0;
    }
    ahead.advance();
    cursor = ahead;
    return radix;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    TextCursor cursor(text);
    if (const int radix = readRadixPrefix(cursor); radix != 0) {
        return readRadixInteger(cursor, radix);
    }
    return readDecimal(cursor);
}

}  // namespace calc
