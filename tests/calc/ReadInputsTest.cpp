#include "calc/ReadInputs.h"

#include <gtest/gtest.h>

namespace {

using namespace calc;

const InputTexts kDefaults{.text1 = "100",
                           .text2 = "0.5",
                           .text3 = "-0.1",
                           .text4 = "1.2",
                           .text5 = "0.95",
                           .text6 = "0.05",
                           .text7 = "2.47"};

struct InputCase {
    const char* name;
    InputTexts texts;
    bool accepted;
};

// Names the case in failure messages; without it GoogleTest would print the
// record's raw bytes, padding included.
void PrintTo(const InputCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadInputsCase : public testing::TestWithParam<InputCase> {};

TEST_P(ReadInputsCase, AcceptsOrRejects) {
    EXPECT_EQ(readInputs(GetParam().texts).has_value(), GetParam().accepted);
}

InputTexts with(InputTexts t, std::string_view InputTexts::*box, std::string_view text) {
    t.*box = text;
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ReadInputsCase,
    testing::Values(
        InputCase{"Defaults", kDefaults, true},
        InputCase{"QNeverTested", with(kDefaults, &InputTexts::text3, "abc"), true},
        InputCase{"QEmpty", with(kDefaults, &InputTexts::text3, ""), true},
        InputCase{"QOverflows", with(kDefaults, &InputTexts::text3, "1E999"), false},
        InputCase{"TinyFeed", with(kDefaults, &InputTexts::text1, "1E-300"), true},
        InputCase{"FeedZero", with(kDefaults, &InputTexts::text1, "0"), false},
        InputCase{"FeedNegative", with(kDefaults, &InputTexts::text1, "-100"), false},
        InputCase{"FeedUnderflows", with(kDefaults, &InputTexts::text1, "1E-400"), false},
        InputCase{"FeedTooWideHex", with(kDefaults, &InputTexts::text1, "&H100000000"), false},
        InputCase{"RefluxOne", with(kDefaults, &InputTexts::text4, "1"), false},
        InputCase{"RefluxDecimalComma", with(kDefaults, &InputTexts::text4, "1,5"), false},
        InputCase{"TopZero", with(kDefaults, &InputTexts::text5, "0"), false},
        InputCase{"TopOne", with(kDefaults, &InputTexts::text5, "1"), false},
        InputCase{"TopWithBlanks", with(kDefaults, &InputTexts::text5, " 0.9 5"), true},
        InputCase{"BottomZero", with(kDefaults, &InputTexts::text6, "0"), false},
        InputCase{"BottomEqualsTop", with(kDefaults, &InputTexts::text6, "0.95"), false},
        InputCase{"FeedCompEqualsBottom", with(kDefaults, &InputTexts::text2, "0.05"), false},
        InputCase{"FeedCompEqualsTop", with(kDefaults, &InputTexts::text2, "0.95"), false},
        InputCase{"FeedCompDecimalComma", with(kDefaults, &InputTexts::text2, "0,5"), false},
        // the feed composition is tested after both products, against them
        InputCase{"BottomAboveFeedComp", with(kDefaults, &InputTexts::text6, "0.6"), false},
        InputCase{"AlphaOne", with(kDefaults, &InputTexts::text7, "1"), false},
        InputCase{"AlphaOverflows", with(kDefaults, &InputTexts::text7, "1E999"), false},
        InputCase{"AllEmpty", InputTexts{}, false}),
    [](const testing::TestParamInfo<InputCase>& info) { return info.param.name; });

TEST(ReadInputs, KeepsEachValueInItsField) {
    const std::optional<ShortcutInputs> in = readInputs(kDefaults);
    ASSERT_TRUE(in.has_value());
    EXPECT_EQ(in->feedRate, 100);
    EXPECT_EQ(in->xF, 0.5);
    EXPECT_EQ(in->q, -0.1);
    EXPECT_EQ(in->refluxFactor, 1.2);
    EXPECT_EQ(in->xD, 0.95);
    EXPECT_EQ(in->xW, 0.05);
    EXPECT_EQ(in->alpha, 2.47);
}

}  // namespace
