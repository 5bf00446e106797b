#include "calc/ParseNumber.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace calc;

struct Numeral {
    const char* text;
    double value;
};

void PrintTo(const Numeral& n, std::ostream* os) {
    *os << '"' << n.text << '"';
}

class ParseNumberReads : public testing::TestWithParam<Numeral> {};

TEST_P(ParseNumberReads, Value) {
    const auto [text, expected] = GetParam();
    const std::optional<double> value = parseNumber(text);
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(*value, expected) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Numerals, ParseNumberReads,
    testing::Values(
        // blanks anywhere, and where reading stops
        Numeral{" 100", 100}, Numeral{"1 00", 100}, Numeral{"100 \t\n", 100},
        Numeral{"0. 95", 0.95}, Numeral{"2.47abc", 2.47}, Numeral{"100kmol/h", 100},
        Numeral{"1.2.3", 1.2}, Numeral{"0,95", 0}, Numeral{"1,5", 1}, Numeral{"1\r5", 1},
        Numeral{"2\xC2\xA0"
                "5",
                2},
        // sign, point and exponent forms
        Numeral{"1E2", 100}, Numeral{"9.5D-1", 0.95}, Numeral{"1e-1", 0.1}, Numeral{"-0.1", -0.1},
        Numeral{"1 e + 2", 100}, Numeral{"1E", 1}, Numeral{"1E+", 1}, Numeral{"1Dx", 1},
        Numeral{".5", 0.5}, Numeral{"5.", 5}, Numeral{"+7", 7}, Numeral{"0.1", 0.1},
        Numeral{"123456789012345678901234567890", 1.2345678901234568e29},
        Numeral{"1.7976931348623157E308", 1.7976931348623157e308},
        // underflow reads as zero
        Numeral{"1E-400", 0}, Numeral{"1E-99999999999999999999", 0},
        // no numeral at the start
        Numeral{"", 0}, Numeral{"abc", 0}, Numeral{"kmol", 0}, Numeral{",", 0}, Numeral{".", 0},
        Numeral{"+", 0}, Numeral{"inf", 0}, Numeral{"nan", 0}, Numeral{"0x10", 0},
        Numeral{"-&H10", 0}, Numeral{"&", 0}, Numeral{"&X1", 0},
        // radix integers in 16- and 32-bit two's complement
        Numeral{"&H64", 100}, Numeral{"&O17", 15}, Numeral{"&h 6 4", 100}, Numeral{"&H", 0},
        Numeral{"&HFFFF", -1}, Numeral{"&H7FFF", 32767}, Numeral{"&H8000", -32768},
        Numeral{"&H10000", 65536}, Numeral{"&HFFFFFFFF", -1}, Numeral{"&H80000000", -2147483648.0},
        Numeral{"&H000000064", 100}, Numeral{"&O177777", -1}, Numeral{"&O18", 1},
        Numeral{"&HFFG", 255}));

TEST(ParseNumber, OutOfRangeNumeralsCannotBeRepresented) {
    for (const char* text : {"1E999", "-1E999", "1.8E308", "1E99999999999999999999", "&H100000000",
                             "&O40000000000", "&H123456789"}) {
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    }
}

TEST(ParseNumber, NegativeZeroKeepsItsSign) {
    const std::optional<double> value = parseNumber("-0");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, 0);
    EXPECT_TRUE(std::signbit(*value));
}

TEST(ParseNumber, LongNumeralsAreRoundedCorrectly) {
    // 1 + 2^-53 written out exactly: halfway between 1 and the next double, so
    // it rounds to even, while any nonzero digit after it, however far, tips
    // it up. A million digits are read in one pass.
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
    const double next = std::nextafter(1.0, 2.0);
    EXPECT_EQ(parseNumber(halfway), 1.0);
    EXPECT_EQ(parseNumber(halfway + "1"), next);
    EXPECT_EQ(parseNumber(halfway + std::string(1'000'000, '0') + "1"), next);
    EXPECT_EQ(parseNumber("0." + std::string(1'000'000, '0') + "25E1000001"), 2.5);
    EXPECT_FALSE(parseNumber(std::string(1'000'000, '9')).has_value());
}

}  // namespace
