// The design companion's figures: flows, plates against reflux, the staircase,
// the link and the report the page shows. Expected values are worked by hand
// or are the textbook's.
#include "calc/ColumnFlows.h"
#include "calc/DesignLink.h"
#include "calc/DesignReport.h"
#include "calc/McCabeThiele.h"
#include "calc/RefluxSweep.h"
#include "calc/Round2.h"
#include "tests/calc/KnownDesigns.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace calc;
using namespace std::string_literals;

const ShortcutInputs& kDefaults = known::kDefaultInputs;

ShortcutInputs with(double ShortcutInputs::*field, double value) {
    ShortcutInputs in = kDefaults;
    in.*field = value;
    return in;
}

TEST(Round2, HalvesGoUpAndTheProductDecides) {
    EXPECT_EQ(round2(0.125), 0.13);
    EXPECT_EQ(round2(-0.125), -0.12);
    EXPECT_EQ(round2(1.005), 1);  // 100 v is 100.49999999999999
    EXPECT_EQ(round2(135.9379), 135.94);
    EXPECT_EQ(round2(50.000000000000007), 50);
}

// D = 100 (0.5 - 0.05) / (0.95 - 0.05) = 50; at R = 2: L = 100, V = 150,
// L' = 100 - 0.1 * 100, V' = 150 - 1.1 * 100.
TEST(ColumnFlows, BalancesTheFeed) {
    const ColumnFlows f = columnFlows(kDefaults, 2);
    EXPECT_DOUBLE_EQ(f.distillate, 50);
    EXPECT_DOUBLE_EQ(f.bottoms, 50);
    EXPECT_DOUBLE_EQ(f.liquid, 100);
    EXPECT_DOUBLE_EQ(f.vapour, 150);
    EXPECT_DOUBLE_EQ(f.strippingLiquid, 90);
    EXPECT_DOUBLE_EQ(f.strippingVapour, 40);
    EXPECT_TRUE(hasStrippingVapour(f));
    EXPECT_FALSE(hasStrippingVapour(columnFlows(with(&ShortcutInputs::q, -2), 2)));  // 150 - 300
}

struct Stepped {
    const char* name;
    ShortcutInputs inputs;
    double reflux;
    StaircaseOutcome outcome;
    std::size_t stages;
    int feedStage;
};

void PrintTo(const Stepped& s, std::ostream* os) {
    *os << s.name;
}

class Staircases : public testing::TestWithParam<Stepped> {};

TEST_P(Staircases, StepFromTheTop) {
    const Stepped& c = GetParam();
    const Staircase s = stepStages(c.inputs, c.reflux, columnFlows(c.inputs, c.reflux));
    EXPECT_EQ(s.outcome, c.outcome);
    EXPECT_EQ(s.stages.size(), c.stages);
    EXPECT_EQ(s.feedStage, c.feedStage);
    if (!s.stages.empty()) {
        EXPECT_EQ(s.stages.front().y, c.inputs.xD);
    }
}

constexpr ShortcutInputs kTextbook{.feedRate = 100,
                                   .xF = 0.5,
                                   .q = 1,
                                   .refluxFactor = 2 / 1.1,
                                   .xD = 0.95,
                                   .xW = 0.05,
                                   .alpha = 2.5};

INSTANTIATE_TEST_SUITE_P(
    Designs, Staircases,
    testing::Values(
        // 11 stages with the reboiler, the fifth the feed stage: the textbook's answer.
        Stepped{"Textbook", kTextbook, 2.0, StaircaseOutcome::Stepped, 11, 5},
        Stepped{"Defaults", kDefaults, 2.718759012454149, StaircaseOutcome::Stepped, 13, 7},
        // A volatility of 1.01 asks for thousands of stages.
        Stepped{"NearThePinch", with(&ShortcutInputs::alpha, 1.01), 60,
                StaircaseOutcome::BeyondLimit, 1000, 0},
        Stepped{"Superheated", with(&ShortcutInputs::q, -3), 2, StaircaseOutcome::NoStrippingVapour,
                0, 0}));

// The two tests before stepping that V' > 0 leaves unreachable for a validated
// design, met with flows made up to pass the first.
TEST(Staircase, NeedsOperatingLinesThatMeetInsideTheColumn) {
    const ColumnFlows vapour{.distillate = 50,
                             .bottoms = 50,
                             .liquid = 100,
                             .vapour = 150,
                             .strippingLiquid = 0,
                             .strippingVapour = 1};
    EXPECT_EQ(stepStages(with(&ShortcutInputs::q, -2), 2, vapour).outcome,
              StaircaseOutcome::ParallelLines);
    // x_i = (0.95 (-4) + 0.5 6) / 2 = -0.4
    EXPECT_EQ(stepStages(with(&ShortcutInputs::q, -3), 5, vapour).outcome,
              StaircaseOutcome::IntersectionOutside);
}

TEST(Staircase, EquilibriumCurveRunsCornerToCorner) {
    const std::vector<Stage> curve = equilibriumCurve(100);
    EXPECT_EQ(curve.front().x, 0);
    EXPECT_EQ(curve.back().y, 1);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_LT(curve[i - 1].x, curve[i].x);
        EXPECT_LE(curve[i].y - curve[i - 1].y, 0.011);  // as smooth in y as in x
    }
}

TEST(RefluxTable, ListsTheFactorsWithTheDesignsOwn) {
    std::vector<RefluxRow> rows = refluxTable(kDefaults);
    ASSERT_EQ(rows.size(), kTabledRefluxFactors.size());
    EXPECT_TRUE(rows[1].isDesign);
    EXPECT_EQ(rows[1].plateCount, 15);  // the window's own read-outs at 1.2
    EXPECT_EQ(rows[1].feedPlate, 8);
    EXPECT_DOUBLE_EQ(rows[1].vapourRatio, 2.718759012454149 + 1);
    for (const double own : {1.25, 4.0}) {
        rows = refluxTable(with(&ShortcutInputs::refluxFactor, own));
        ASSERT_EQ(rows.size(), kTabledRefluxFactors.size() + 1);
        const auto marked = std::ranges::find_if(rows, &RefluxRow::isDesign);
        EXPECT_EQ(marked->factor, own);
        EXPECT_TRUE(std::ranges::is_sorted(rows, {}, &RefluxRow::factor));
        EXPECT_EQ(std::ranges::count_if(rows, &RefluxRow::isDesign), 1);
    }
}

TEST(StagesAgainstReflux, FallsFromJustAboveOneToFive) {
    for (const double own : {1.2, 8.0}) {
        const std::vector<StagesAtReflux> curve =
            stagesAgainstReflux(with(&ShortcutInputs::refluxFactor, own));
        EXPECT_GT(curve.front().factor, 1);
        EXPECT_LT(curve.front().factor, 1.001);
        EXPECT_EQ(curve.back().factor, std::max(5.0, own));
        EXPECT_TRUE(std::ranges::is_sorted(curve, std::ranges::greater{}, &StagesAtReflux::stages));
    }
}

TEST(DesignLink, CarriesEveryTextUnchanged) {
    EXPECT_EQ(designLink(initialTexts()),
              "F=100&xF=0.5&q=-0.1&RRmin=1.2&xD=0.95&xW=0.05&alpha=2.47");
    const std::string odd[] = {"1 00", "a&b=c#d",          "%41%",     "\0x"s,
                               "进料", "\xF0\x9F\x98\x80", "\xFF\xFE", "+"};
    InputTexts texts = initialTexts();
    for (std::size_t i = 0; i < std::size(odd) && i < kInputCount; ++i) {
        texts[i] = odd[i];
    }
    const std::string link = designLink(texts);
    EXPECT_EQ(link.find_first_not_of(
                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%&="),
              std::string::npos);
    const std::optional<DesignTexts> back = designFromLink("#" + link);
    ASSERT_TRUE(back.has_value());
    for (std::size_t i = 0; i < kInputCount; ++i) {
        EXPECT_EQ((*back)[i], texts[i]) << i;
    }
}

struct Opened {
    const char* fragment;
    std::optional<std::array<const char*, kInputCount>> texts;
};

class DesignLinks : public testing::TestWithParam<Opened> {};

TEST_P(DesignLinks, GiveTheBoxes) {
    const std::optional<DesignTexts> texts = designFromLink(GetParam().fragment);
    ASSERT_EQ(texts.has_value(), GetParam().texts.has_value());
    for (std::size_t i = 0; texts && i < kInputCount; ++i) {
        EXPECT_EQ((*texts)[i], (*GetParam().texts)[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, DesignLinks,
    testing::Values(
        Opened{"#xF=0.4", {{"100", "0.4", "-0.1", "1.2", "0.95", "0.05", "2.47"}}},
        Opened{"F=1&F=2&top=3&alpha", {{"1", "0.5", "-0.1", "1.2", "0.95", "0.05", "2.47"}}},
        Opened{"q=%zz%4&RRmin=%31%2E5&xD=", {{"100", "0.5", "%zz%4", "1.5", "", "0.05", "2.47"}}},
        Opened{"", std::nullopt}, Opened{"#", std::nullopt}, Opened{"#top&f=1", std::nullopt}));

TEST(DesignReport, GivesThePageItsTexts) {
    const std::optional<std::string> report = designReportFor(initialTexts());
    ASSERT_TRUE(report.has_value());
    for (const char* part :
         {R"("flows":{"D":"50","W":"50","L":"135.94","V":"185.94","Lbar":"125.94","Vbar":"75.94"},)"
          R"("strippingVapour":true)",
          R"({"factor":"1.2","RRmin":"1.2","VD":"3.72","NT":"15","NI":"8","design":true})",
          R"("staircase":{"outcome":"stepped","count":"13","feedStage":"7","limit":"1000"})",
          R"("readouts":{"rMin":"2.26","reflux":"2.71","nMin":"6.51","gillilandY":"0.52",)"}) {
        EXPECT_NE(report->find(part), std::string::npos) << part;
    }
    InputTexts rejected = initialTexts();
    rejected[6] = "1";
    EXPECT_FALSE(designReportFor(rejected).has_value());
}

}  // namespace
