#include "calc/ReadInputs.h"

#include <gtest/gtest.h>

namespace {

using namespace calc;

const InputTexts kDefaults = initialTexts();

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

InputTexts with(InputTexts t, InputBox box, std::string_view text) {
    t[static_cast<std::size_t>(box)] = text;
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ReadInputsCase,
    testing::Values(
        InputCase{"Defaults", kDefaults, true},
        InputCase{"QNeverTested", with(kDefaults, InputBox::ThermalCondition, "abc"), true},
        InputCase{"QEmpty", with(kDefaults, InputBox::ThermalCondition, ""), true},
        InputCase{"QOverflows", with(kDefaults, InputBox::ThermalCondition, "1E999"), false},
        InputCase{"TinyFeed", with(kDefaults, InputBox::FeedRate, "1E-300"), true},
        InputCase{"FeedZero", with(kDefaults, InputBox::FeedRate, "0"), false},
        InputCase{"FeedNegative", with(kDefaults, InputBox::FeedRate, "-100"), false},
        InputCase{"FeedUnderflows", with(kDefaults, InputBox::FeedRate, "1E-400"), false},
        InputCase{"FeedTooWideHex", with(kDefaults, InputBox::FeedRate, "&H100000000"), false},
        InputCase{"RefluxOne", with(kDefaults, InputBox::RefluxFactor, "1"), false},
        InputCase{"RefluxDecimalComma", with(kDefaults, InputBox::RefluxFactor, "1,5"), false},
        InputCase{"TopZero", with(kDefaults, InputBox::TopComposition, "0"), false},
        InputCase{"TopOne", with(kDefaults, InputBox::TopComposition, "1"), false},
        InputCase{"TopWithBlanks", with(kDefaults, InputBox::TopComposition, " 0.9 5"), true},
        InputCase{"BottomZero", with(kDefaults, InputBox::BottomComposition, "0"), false},
        InputCase{"BottomEqualsTop", with(kDefaults, InputBox::BottomComposition, "0.95"), false},
        InputCase{"FeedCompEqualsBottom", with(kDefaults, InputBox::FeedComposition, "0.05"),
                  false},
        InputCase{"FeedCompEqualsTop", with(kDefaults, InputBox::FeedComposition, "0.95"), false},
        InputCase{"FeedCompDecimalComma", with(kDefaults, InputBox::FeedComposition, "0,5"), false},
        // The feed composition is read after both products and tested against
        // them; read before the bottom, it would meet a bottom of zero.
        InputCase{"BottomAboveFeedComp", with(kDefaults, InputBox::BottomComposition, "0.6"),
                  false},
        InputCase{"AlphaOne", with(kDefaults, InputBox::RelativeVolatility, "1"), false},
        InputCase{"AlphaOverflows", with(kDefaults, InputBox::RelativeVolatility, "1E999"), false},
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
