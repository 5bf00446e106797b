#include "calc/DisplayTexts.h"

#include "calc/FormatGeneral.h"
#include "calc/ParseNumber.h"
#include "calc/Truncate2.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace {

using namespace calc;

TEST(Truncate2, FloorsTowardMinusInfinity) {
    EXPECT_EQ(truncate2(2.2656), 2.26);
    EXPECT_EQ(truncate2(2.269999), 2.26);
    EXPECT_EQ(truncate2(-0.122), -0.13);
    EXPECT_EQ(truncate2(7), 7);
}

// Each result goes to its own box, in the order the click handler writes them;
// the five ratios truncated, never rounded, the two counts whole. Every value
// is distinct, so a swapped box or a rounded ratio shows.
TEST(DisplayTexts, WritesEachResultTruncatedIntoItsBox) {
    const ShortcutResults r{.rMin = 2.2656,
                            .reflux = 2.7188,
                            .nMin = 6.5191,
                            .gillilandX = 0.1279,
                            .gillilandY = 0.5299,
                            .plateCount = 15,
                            .feedPlate = 8};
    const std::array<DisplayText, 7> shown = displayTexts(r);
    const std::pair<ReadoutBox, const char*> expected[] = {
        {ReadoutBox::MinimumReflux, "2.26"}, {ReadoutBox::Reflux, "2.71"},
        {ReadoutBox::MinimumStages, "6.51"}, {ReadoutBox::GillilandY, "0.52"},
        {ReadoutBox::GillilandX, "0.12"},    {ReadoutBox::PlateCount, "15"},
        {ReadoutBox::FeedPlate, "8"}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].box, expected[i].first);
        EXPECT_EQ(shown[i].text, expected[i].second);
    }
}

struct Formatted {
    double value;
    const char* text;
};

void PrintTo(const Formatted& f, std::ostream* os) {
    *os << f.text;
}

class FormatGeneral : public testing::TestWithParam<Formatted> {};

TEST_P(FormatGeneral, Text) {
    EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatGeneral,
    testing::Values(Formatted{2.26, "2.26"}, Formatted{15, "15"}, Formatted{0.12, "0.12"},
                    Formatted{-0.13, "-0.13"}, Formatted{0, "0"}, Formatted{-0.0, "0"},
                    Formatted{0.1 + 0.2, "0.3"}, Formatted{1e-5, "1E-05"},
                    Formatted{1.5e20, "1.5E+20"}, Formatted{999999999999999, "999999999999999"},
                    Formatted{1e15, "1E+15"},
                    Formatted{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}));

// The process runs in the "C" locale, where %.15G is the rule itself: compare
// over two-decimal values and over random doubles of every magnitude.
TEST(FormatGeneral, MatchesPrintfInTheCLocale) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> hundredths(-100000, 100000);
    for (int i = 0; i < 200000; ++i) {
        const double v =
            i % 2 == 0 ? std::bit_cast<double>(bits(random)) : hundredths(random) / 100.0;
        if (!std::isfinite(v) || v == 0) {
            continue;
        }
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", v);
        ASSERT_EQ(formatGeneral(v), expected) << std::hexfloat << v;
    }
}

// Result texts and numerals keep the full stop under a decimal-comma locale
// (scripts/setup.sh generates it; a skip without it would hide any fault).
// Windows names its locales by language tag, and its older C runtime (the one
// mingw-w64 links by default) by language and country.
#ifdef _WIN32
const char* const kDecimalCommaLocales[] = {"de-DE", "German_Germany.1252"};
#else
const char* const kDecimalCommaLocales[] = {"de_DE.UTF-8"};
#endif

bool setDecimalCommaLocale() {
    for (const char* name : kDecimalCommaLocales) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            return true;
        }
    }
    return false;
}

TEST(FormatGeneral, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_TRUE(setDecimalCommaLocale()) << "no decimal-comma locale";
    if (std::localeconv()->decimal_point == std::string(".")) {
        // A C library whose locales all write a full stop (the browser's) has
        // nothing to get wrong here.
        std::setlocale(LC_NUMERIC, saved.c_str());
        GTEST_SKIP() << "every locale of this C library writes a full stop";
    }
    EXPECT_EQ(formatGeneral(2.26), "2.26");
    EXPECT_EQ(parseNumber("0.95"), 0.95);
    EXPECT_EQ(parseNumber("1,5"), 1);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
