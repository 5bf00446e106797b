#include "calc/ShortcutCalculation.h"

#include "calc/DisplayTexts.h"
#include "calc/ReadInputs.h"
#include "tests/calc/KnownDesigns.h"

#include <array>
#include <gtest/gtest.h>

namespace {

using namespace calc;

const ShortcutInputs& kDefaults = known::kDefaultInputs;

ShortcutInputs withQ(double q) {
    ShortcutInputs in = kDefaults;
    in.q = q;
    return in;
}

class ShortcutDesign : public testing::TestWithParam<known::Design> {};

TEST_P(ShortcutDesign, ShowsTheseTexts) {
    const std::optional<ShortcutInputs> in = readInputs(GetParam().texts);
    ASSERT_TRUE(in.has_value());
    const std::optional<ShortcutResults> r = calculateShortcut(*in);
    ASSERT_TRUE(r.has_value());
    const std::array<DisplayText, 7> shown = displayTexts(*r);
    const std::array<ReadoutBox, 7> boxes{ReadoutBox::MinimumReflux, ReadoutBox::Reflux,
                                          ReadoutBox::MinimumStages, ReadoutBox::GillilandY,
                                          ReadoutBox::GillilandX,    ReadoutBox::PlateCount,
                                          ReadoutBox::FeedPlate};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].box, boxes[i]) << i;
        EXPECT_EQ(shown[i].text, GetParam().readouts[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, ShortcutDesign, testing::ValuesIn(known::kDesigns),
                         [](const testing::TestParamInfo<known::Design>& info) {
                             return info.param.name;
                         });

TEST(ShortcutCalculation, DefaultIntermediates) {
    const std::optional<ShortcutResults> r = calculateShortcut(kDefaults);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->xq, 0.2714, 1e-4);  // the second root of the q-line quadratic
    EXPECT_NEAR(r->yq, 0.4792, 1e-4);
    EXPECT_NEAR(r->rMin, 2.2656, 1e-4);
    EXPECT_NEAR(r->reflux, 2.7188, 1e-4);
    EXPECT_NEAR(r->nMin, 6.5127, 1e-4);
    EXPECT_NEAR(r->gillilandX, 0.121849, 1e-6);
    EXPECT_NEAR(r->gillilandY, 0.522540, 1e-6);
    EXPECT_NEAR(r->stages, 14.7347, 1e-4);
    EXPECT_NEAR(r->rectifyingStages, 7.9145, 1e-4);
}

TEST(ShortcutCalculation, QCloseToOneTakesTheQuadratic) {
    const std::optional<ShortcutResults> r = calculateShortcut(withQ(0.9999999));
    ASSERT_TRUE(r.has_value());
    EXPECT_NE(r->xq, kDefaults.xF);
    EXPECT_NEAR(r->xq, kDefaults.xF, 1e-6);
}

struct Degenerate {
    const char* name;
    ShortcutInputs inputs;
};

void PrintTo(const Degenerate& d, std::ostream* os) {
    *os << d.name;
}

class DegenerateDesign : public testing::TestWithParam<Degenerate> {};

TEST_P(DegenerateDesign, HasNoResult) {
    EXPECT_FALSE(calculateShortcut(GetParam().inputs).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DegenerateDesign,
    testing::Values(
        // yq above xD: a negative minimum reflux ratio
        Degenerate{"NegativeMinimumReflux", ShortcutInputs{.feedRate = 100,
                                                           .xF = 0.9,
                                                           .q = 1,
                                                           .refluxFactor = 1.2,
                                                           .xD = 0.95,
                                                           .xW = 0.05,
                                                           .alpha = 2.47}},
        // yq exactly at xD: a minimum reflux ratio of zero
        Degenerate{"ZeroMinimumReflux", ShortcutInputs{.feedRate = 100,
                                                       .xF = 0.25,
                                                       .q = 1,
                                                       .refluxFactor = 1.2,
                                                       .xD = 0.5,
                                                       .xW = 0.05,
                                                       .alpha = 3}},
        // rounding loses the second root, so no root lies inside (0, 1)
        Degenerate{"TinyNonzeroQ", withQ(1e-300)}, Degenerate{"TinyNegativeQ", withQ(-1e-300)},
        // records outside the input invariant still give no result rather than NaN
        Degenerate{"NegativeDiscriminant", ShortcutInputs{.feedRate = 100,
                                                          .xF = -2,
                                                          .q = 1.5,
                                                          .refluxFactor = 1.2,
                                                          .xD = 0.95,
                                                          .xW = 0.05,
                                                          .alpha = 2}}),
    [](const testing::TestParamInfo<Degenerate>& info) { return info.param.name; });

}  // namespace
