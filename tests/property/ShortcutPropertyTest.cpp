// Physical relations of the shortcut design checked over many random valid
// designs (fixed seed, so a failure repeats). TRELVAN_PROPERTY_DESIGNS sets
// the number of designs; the memcheck run uses a small count.

#include "calc/DisplayTexts.h"
#include "calc/ParseNumber.h"
#include "calc/ShortcutCalculation.h"
#include "calc/Truncate2.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

namespace {

using namespace calc;

constexpr std::uint64_t kSeed = 20261207;
constexpr long kDefaultDesigns = 100000;

long designCount() {
    const char* env = std::getenv("TRELVAN_PROPERTY_DESIGNS");
    if (env == nullptr)
        return kDefaultDesigns;
    const long n = std::strtol(env, nullptr, 10);
    return n > 0 ? n : kDefaultDesigns;
}

// Random valid designs: 0 < xW < xF < xD < 1, alpha in (1, 10], R/Rmin in
// (1, 5], q in [-5, 5] with the two special values 0 and 1 drawn often.
class DesignSource {
public:
    ShortcutInputs next() {
        ShortcutInputs in{};
        in.feedRate = 100;
        drawCompositions(in);
        in.alpha = aboveOne(9.0);
        in.refluxFactor = aboveOne(4.0);
        in.q = drawQ();
        return in;
    }

    double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }

private:
    void drawCompositions(ShortcutInputs& in) {
        std::array<double, 3> x{};
        do {
            for (double& v : x)
                v = uniform(0.0, 1.0);
            std::sort(x.begin(), x.end());
        } while (!(0 < x[0] && x[0] < x[1] && x[1] < x[2]));
        in.xW = x[0];
        in.xF = x[1];
        in.xD = x[2];
    }

    // 1 + (0, span]: the draw from [0, span) is mirrored so 1 itself never comes.
    double aboveOne(double span) { return 1.0 + (span - uniform(0.0, span)); }

    double drawQ() {
        switch (std::uniform_int_distribution<>(0, 9)(rng_)) {
        case 0:
            return 0.0;
        case 1:
            return 1.0;
        default:
            return uniform(-5.0, 5.0);
        }
    }

    std::mt19937_64 rng_{kSeed};
};

void expectSound(const ShortcutInputs& in, const ShortcutResults& r) {
    const std::array<double, 12> all = {
        r.xq,         r.yq,     r.rMin,           r.reflux,           r.nMin,       r.gillilandX,
        r.gillilandY, r.stages, r.nMinRectifying, r.rectifyingStages, r.plateCount, r.feedPlate};
    for (const double v : all)
        ASSERT_TRUE(std::isfinite(v));
    SCOPED_TRACE(testing::Message()
                 << "xW " << in.xW << " xF " << in.xF << " xD " << in.xD << " q " << in.q
                 << " alpha " << in.alpha << " R/Rmin " << in.refluxFactor);
    EXPECT_GT(r.rMin, 0);
    EXPECT_GT(r.reflux, r.rMin);
    EXPECT_GT(r.gillilandX, 0);
    EXPECT_LT(r.gillilandX, 1);
    EXPECT_GT(r.gillilandY, 0);
    EXPECT_LT(r.gillilandY, 0.75);
    // Any reflux short of total reflux needs more stages than the Fenske minimum.
    EXPECT_GE(r.stages, r.nMin);
    // The rectifying section is part of the column: nMin > nMinRectifying as xW < xF.
    EXPECT_GE(r.plateCount, r.feedPlate);
    EXPECT_GE(r.feedPlate, 1);
}

// What the boxes show reads back as exactly the displayed value.
void expectTextsReadBack(const ShortcutResults& r) {
    const auto texts = displayTexts(r);
    const std::array<double, 7> shown = {
        truncate2(r.rMin),       truncate2(r.reflux), truncate2(r.nMin), truncate2(r.gillilandY),
        truncate2(r.gillilandX), r.plateCount,        r.feedPlate};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<double> back = parseNumber(texts[i].text);
        ASSERT_TRUE(back.has_value()) << texts[i].text;
        EXPECT_EQ(*back, shown[i]) << "text " << texts[i].text;
    }
}

TEST(ShortcutProperties, AcceptedDesignsArePhysical) {
    DesignSource designs;
    const long count = designCount();
    long accepted = 0;
    for (long i = 0; i < count; ++i) {
        const ShortcutInputs in = designs.next();
        const std::optional<ShortcutResults> r = calculateShortcut(in);
        if (!r)
            continue;
        ++accepted;
        expectSound(in, *r);
        // Beyond 1E13 the 15 significant digits of the text no longer hold
        // every hundredth; random designs stay far below.
        if (std::abs(r->reflux) < 1e12 && r->plateCount < 1e12)
            expectTextsReadBack(*r);
        if (testing::Test::HasFailure())
            return;
    }
    // Most random designs are sound: a guard against a vacuous pass.
    EXPECT_GT(accepted, count / 2) << "accepted " << accepted << " of " << count;
}

// Draws designs, raises one input of each by a random step and hands both
// results to `check` whenever both designs are accepted; stops at the first
// failure. Most pairs must be comparable, a guard against a vacuous pass.
template <typename Raise, typename Check>
void compareRaisedDesigns(Raise raise, Check check) {
    DesignSource designs;
    const long count = designCount();
    long compared = 0;
    for (long i = 0; i < count && !testing::Test::HasFailure(); ++i) {
        ShortcutInputs in = designs.next();
        const std::optional<ShortcutResults> low = calculateShortcut(in);
        raise(in, designs.uniform(0.01, 2.0));
        const std::optional<ShortcutResults> high = calculateShortcut(in);
        if (!low || !high)
            continue;
        ++compared;
        check(in, *low, *high);
    }
    EXPECT_GT(compared, count / 2);
}

TEST(ShortcutProperties, MinimumStagesFallAsVolatilityRises) {
    compareRaisedDesigns(
        [](ShortcutInputs& in, double step) { in.alpha += step; },
        [](const ShortcutInputs& in, const ShortcutResults& low, const ShortcutResults& high) {
            ASSERT_LT(high.nMin, low.nMin)
                << "alpha " << in.alpha << " xW " << in.xW << " xD " << in.xD;
        });
}

TEST(ShortcutProperties, PlateCountDoesNotRiseWithReflux) {
    compareRaisedDesigns(
        [](ShortcutInputs& in, double step) { in.refluxFactor += step; },
        [](const ShortcutInputs& in, const ShortcutResults& low, const ShortcutResults& high) {
            ASSERT_LE(high.plateCount, low.plateCount)
                << "R/Rmin " << in.refluxFactor << " alpha " << in.alpha << " q " << in.q;
            ASSERT_LE(high.feedPlate, low.feedPlate);
        });
}

// nMin depends on the product compositions and alpha only.
TEST(ShortcutProperties, MinimumStagesIgnoreFeedAndReflux) {
    DesignSource designs;
    const long count = designCount() / 10;
    for (long i = 0; i < count; ++i) {
        const ShortcutInputs in = designs.next();
        const std::optional<ShortcutResults> base = calculateShortcut(in);
        if (!base)
            continue;
        ShortcutInputs other = designs.next();
        other.xW = in.xW;
        other.xD = in.xD;
        other.alpha = in.alpha;
        other.xF = designs.uniform(in.xW, in.xD);
        if (!(other.xF > in.xW && other.xF < in.xD))
            continue;
        const std::optional<ShortcutResults> r = calculateShortcut(other);
        if (!r)
            continue;
        ASSERT_EQ(r->nMin, base->nMin);
    }
}

}  // namespace
