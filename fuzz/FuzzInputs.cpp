// libFuzzer target over the whole text path of one click: seven box texts ->
// readInputs -> calculateShortcut -> displayTexts, and the web page's design
// details and link. Beyond "no crash" it checks what the window relies on: every
// accepted record keeps its invariant, every result is finite, every read-out
// text reads back as a finite number, and the two counts are at least 1; any
// texts come back unchanged through a link, any fragment opens as a link, and
// the staircase stops at its limit with its feed stage and reboiler.
//
// Input layout: the seven texts in box order (feed rate first), separated by
// '|'. Missing texts are empty; text after the seventh separator is ignored.

#include "calc/ColumnFlows.h"
#include "calc/DesignLink.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"
#include "calc/McCabeThiele.h"
#include "calc/ParseNumber.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutCalculation.h"
#include "calc/Truncate2.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

using namespace calc;

constexpr char kSeparator = '|';
constexpr std::size_t kBoxCount = kInputCount;
// 15 significant digits: the text is within half a unit of the 15th digit.
constexpr double kTextTolerance = 1e-14;

using BoxTexts = InputTexts;

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

BoxTexts splitBoxes(std::string_view data) {
    BoxTexts boxes{};
    for (std::size_t i = 0; i < kBoxCount && !data.empty(); ++i) {
        const std::size_t end = data.find(kSeparator);
        boxes[i] = data.substr(0, end);
        data = end == std::string_view::npos ? std::string_view{} : data.substr(end + 1);
    }
    return boxes;
}

std::optional<double> checkedParse(std::string_view text) {
    const std::optional<double> value = parseNumber(text);
    require(!value || std::isfinite(*value), "parseNumber gave NaN or infinity");
    return value;
}

// The tests of readInputs in their order, on the numbers parseNumber gives:
// the reference the accepted record is compared with.
bool passesTests(const std::array<std::optional<double>, kBoxCount>& v) {
    for (const auto& value : v) {
        if (!value)
            return false;
    }
    const double feed = *v[0], xF = *v[1], factor = *v[3], xD = *v[4], xW = *v[5], alpha = *v[6];
    return feed > 0 && factor > 1 && xD > 0 && xD < 1 && xW > 0 && xW < xD && xF > xW && xF < xD &&
           alpha > 1;
}

void checkRecord(const ShortcutInputs& in, const std::array<std::optional<double>, kBoxCount>& v) {
    require(std::isfinite(in.feedRate) && std::isfinite(in.xF) && std::isfinite(in.q) &&
                std::isfinite(in.refluxFactor) && std::isfinite(in.xD) && std::isfinite(in.xW) &&
                std::isfinite(in.alpha),
            "accepted record holds a non-finite value");
    require(in.feedRate > 0, "accepted feedRate <= 0");
    require(0 < in.xW && in.xW < in.xF && in.xF < in.xD && in.xD < 1,
            "accepted compositions not ordered inside (0, 1)");
    require(in.refluxFactor > 1, "accepted refluxFactor <= 1");
    require(in.alpha > 1, "accepted alpha <= 1");
    require(passesTests(v), "record accepted although a box fails its test");
    require(in.feedRate == *v[0] && in.xF == *v[1] && in.q == *v[2] && in.refluxFactor == *v[3] &&
                in.xD == *v[4] && in.xW == *v[5] && in.alpha == *v[6],
            "accepted record differs from what parseNumber reads");
}

void checkResults(const ShortcutResults& r) {
    const std::array<double, 12> all = {
        r.xq,         r.yq,     r.rMin,           r.reflux,           r.nMin,       r.gillilandX,
        r.gillilandY, r.stages, r.nMinRectifying, r.rectifyingStages, r.plateCount, r.feedPlate};
    for (const double value : all)
        require(std::isfinite(value), "result not finite");
    require(r.rMin > 0, "accepted design with rMin <= 0");
    require(r.plateCount >= 1 && r.feedPlate >= 1, "a displayed count below 1");
}

// A read-out must be a plain numeral that reads back as the value shown:
// truncate2 of the first five results, the two counts as they are. A text
// such as "inf" would read back as 0, so finiteness alone proves nothing.
bool isPlainNumeral(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789.-+E") == std::string_view::npos;
}

bool readsBackAs(std::string_view text, double shown) {
    const std::optional<double> back = parseNumber(text);
    return back && std::isfinite(shown) &&
           std::abs(*back - shown) <= kTextTolerance * std::abs(shown);
}

void checkTexts(const ShortcutResults& r) {
    const auto texts = displayTexts(r);
    const std::array<double, 7> shown = {
        truncate2(r.rMin),       truncate2(r.reflux), truncate2(r.nMin), truncate2(r.gillilandY),
        truncate2(r.gillilandX), r.plateCount,        r.feedPlate};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        require(isPlainNumeral(texts[i].text), "a read-out text is not a plain numeral");
        require(readsBackAs(texts[i].text, shown[i]),
                "a read-out text does not read back as the value shown");
    }
    require(texts[5].box == ReadoutBox::PlateCount && texts[6].box == ReadoutBox::FeedPlate,
            "the counts not written to the plate-count and feed-plate boxes");
    require(*parseNumber(texts[5].text) >= 1 && *parseNumber(texts[6].text) >= 1,
            "a displayed count reads below 1");
}

void checkLink(std::string_view input, const BoxTexts& boxes) {
    designFromLink(input);
    const std::optional<DesignTexts> back = designFromLink(designLink(boxes));
    require(back.has_value(), "a design's link names no input");
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        require((*back)[i] == boxes[i], "a text did not come back unchanged through a link");
    }
}

// The staircase, the one loop of the details whose length the inputs decide
// (their other figures are this calculation's at other reflux factors).
void checkStaircase(const ShortcutInputs& in, const ShortcutResults& r) {
    const Staircase s = stepStages(in, r.reflux, columnFlows(in, r.reflux));
    require(s.stages.size() <= static_cast<std::size_t>(kStageLimit),
            "the staircase went past its limit");
    require(s.outcome != StaircaseOutcome::Stepped ||
                (s.feedStage >= 1 && s.stages.back().x <= in.xW),
            "a stepped staircase without its feed stage or its reboiler");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkedParse(input);

    const BoxTexts boxes = splitBoxes(input);
    checkLink(input, boxes);
    std::array<std::optional<double>, kBoxCount> values;
    for (std::size_t i = 0; i < kBoxCount; ++i)
        values[i] = checkedParse(boxes[i]);

    const std::optional<ShortcutInputs> record = readInputs(boxes);
    if (!record) {
        require(!passesTests(values), "record rejected although every box passes its test");
        return 0;
    }
    checkRecord(*record, values);

    const std::optional<ShortcutResults> results = calculateShortcut(*record);
    if (!results)
        return 0;
    checkResults(*results);
    checkTexts(*results);
    checkStaircase(*record, *results);
    return 0;
}
