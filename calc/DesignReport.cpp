// The JSON is written by hand: its keys are fixed words and every value is a
// number, a boolean or a text of digits, so nothing needs escaping.
#include "calc/DesignReport.h"

#include "calc/DisplayTexts.h"
#include "calc/FormatGeneral.h"
#include "calc/Round2.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

namespace calc {

namespace {

// The read-outs under the names of the results they show.
constexpr std::pair<ReadoutBox, std::string_view> kReadoutKeys[] = {
    {ReadoutBox::MinimumReflux, "rMin"},    {ReadoutBox::Reflux, "reflux"},
    {ReadoutBox::MinimumStages, "nMin"},    {ReadoutBox::GillilandY, "gillilandY"},
    {ReadoutBox::GillilandX, "gillilandX"}, {ReadoutBox::PlateCount, "plateCount"},
    {ReadoutBox::FeedPlate, "feedPlate"}};

std::string_view outcomeName(StaircaseOutcome outcome) {
    switch (outcome) {
    case StaircaseOutcome::Stepped:
        return "stepped";
    case StaircaseOutcome::BeyondLimit:
        return "beyondLimit";
    case StaircaseOutcome::NoStrippingVapour:
        return "noStrippingVapour";
    case StaircaseOutcome::ParallelLines:
        return "parallelLines";
    case StaircaseOutcome::IntersectionOutside:
        return "intersectionOutside";
    }
    return "";
}

class Json {
public:
    Json& open(char bracket) {
        separate();
        out_ += bracket;
        fresh_ = true;
        return *this;
    }
    Json& close(char bracket) {
        out_ += bracket;
        fresh_ = false;
        return *this;
    }
    Json& key(std::string_view name) {
        separate();
        out_ += '"';
        out_ += name;
        out_ += "\":";
        fresh_ = true;
        return *this;
    }
    Json& text(std::string_view value) {
        separate();
        out_ += '"';
        out_ += value;
        out_ += '"';
        return *this;
    }
    Json& number(double value) {
        separate();
        out_ += formatGeneral(value);
        return *this;
    }
    Json& boolean(bool value) {
        separate();
        out_ += value ? "true" : "false";
        return *this;
    }
    Json& point(double x, double y) { return open('[').number(x).number(y).close(']'); }
    std::string take() { return std::move(out_); }

private:
    void separate() {
        if (!fresh_) {
            out_ += ',';
        }
        fresh_ = false;
    }

    std::string out_;
    bool fresh_ = true;
};

std::string twoDecimals(double v) {
    return formatGeneral(round2(v));
}

// A step of 1, 2 or 5 times a power of ten that cuts the span into at most
// five parts.
double tickStep(double span) {
    if (!(span > 0)) {
        return 1;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(span / 5)));
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (span / (multiple * decade) <= 5) {
            return multiple * decade;
        }
    }
    return 10 * decade;
}

// An axis from `from` to `to` (widened to whole steps) with its ticks.
void axis(Json& json, std::string_view name, double from, double to) {
    const double step = tickStep(to - from);
    const double first = std::floor(from / step);
    const int parts = static_cast<int>(std::ceil(to / step) - first);
    json.key(name).open('{').key("from").number(first * step);
    json.key("to").number((first + parts) * step).key("ticks").open('[');
    for (int k = 0; k <= parts; ++k) {
        const double tick = (first + k) * step;
        json.open('[').number(tick).text(formatGeneral(tick)).close(']');
    }
    json.close(']').close('}');
}

void inputs(Json& json, const ShortcutInputs& in) {
    json.key("inputs").open('{');
    for (const InputBoxRow& row : kInputBoxes) {
        json.key(row.linkKey).text(formatGeneral(in.*row.field));
    }
    json.close('}');
}

void readouts(Json& json, const ShortcutResults& results) {
    json.key("readouts").open('{');
    for (const DisplayText& shown : displayTexts(results)) {
        const auto named = std::ranges::find(kReadoutKeys, shown.box,
                                             &std::pair<ReadoutBox, std::string_view>::first);
        json.key(named->second).text(shown.text);
    }
    json.close('}');
}

void flows(Json& json, const ColumnFlows& f) {
    json.key("flows").open('{');
    json.key("D").text(twoDecimals(f.distillate)).key("W").text(twoDecimals(f.bottoms));
    json.key("L").text(twoDecimals(f.liquid)).key("V").text(twoDecimals(f.vapour));
    json.key("Lbar").text(twoDecimals(f.strippingLiquid));
    json.key("Vbar").text(twoDecimals(f.strippingVapour));
    json.close('}').key("strippingVapour").boolean(hasStrippingVapour(f));
}

void table(Json& json, const std::vector<RefluxRow>& rows) {
    json.key("table").open('[');
    for (const RefluxRow& row : rows) {
        json.open('{').key("factor").text(formatGeneral(row.factor));
        json.key("RRmin")
            .text(twoDecimals(row.factor))
            .key("VD")
            .text(twoDecimals(row.vapourRatio));
        json.key("NT")
            .text(formatGeneral(row.plateCount))
            .key("NI")
            .text(formatGeneral(row.feedPlate));
        json.key("design").boolean(row.isDesign).close('}');
    }
    json.close(']');
}

void stagesChart(Json& json, const DesignDetails& d) {
    const std::vector<StagesAtReflux>& curve = d.stagesCurve;
    if (curve.empty()) {
        json.key("stagesChart").open('{').close('}');
        return;
    }
    const auto [fewest, most] = std::ranges::minmax(curve, {}, &StagesAtReflux::stages);
    json.key("stagesChart").open('{');
    axis(json, "x", 1, curve.back().factor);
    axis(json, "y", 0, most.stages);
    json.key("curve").open('[');
    for (const StagesAtReflux& p : curve) {
        json.point(p.factor, p.stages);
    }
    json.close(']').key("design").point(d.inputs.refluxFactor, d.results.stages);
    json.key("texts").open('{');
    json.key("fromFactor").text(twoDecimals(curve.front().factor));
    json.key("toFactor").text(twoDecimals(curve.back().factor));
    json.key("fromStages").text(twoDecimals(curve.front().stages));
    json.key("toStages").text(twoDecimals(fewest.stages));
    json.key("designFactor").text(twoDecimals(d.inputs.refluxFactor));
    json.key("designStages").text(twoDecimals(d.results.stages));
    json.close('}').close('}');
}

void staircase(Json& json, const Staircase& s) {
    json.key("staircase").open('{');
    json.key("outcome").text(outcomeName(s.outcome));
    json.key("count").text(formatGeneral(static_cast<double>(s.stages.size())));
    json.key("feedStage").text(formatGeneral(s.feedStage));
    json.key("limit").text(formatGeneral(kStageLimit));
    json.close('}');
}

void diagram(Json& json, const DesignDetails& d) {
    const ShortcutInputs& in = d.inputs;
    const Staircase& s = d.staircase;
    json.key("diagram").open('{');
    axis(json, "axis", 0, 1);
    json.key("equilibrium").open('[');
    for (const Stage& p : equilibriumCurve(in.alpha)) {
        json.point(p.x, p.y);
    }
    json.close(']');
    json.key("qLine").open('[').point(in.xF, in.xF).point(d.results.xq, d.results.yq).close(']');
    const bool stepped = !s.stages.empty();
    json.key("operating").open('[');
    if (stepped) {
        json.point(in.xD, in.xD).point(s.xi, s.yi).point(in.xW, in.xW);
    }
    json.close(']').key("stages").open('[');
    for (const Stage& stage : s.stages) {
        json.point(stage.x, stage.y);
    }
    json.close(']').key("marks").open('{');
    using Mark = std::pair<std::string_view, double>;
    for (const auto& [name, value] : {Mark{"xW", in.xW}, Mark{"xF", in.xF}, Mark{"xD", in.xD}}) {
        json.key(name).open('[').number(value).text(formatGeneral(value)).close(']');
    }
    json.close('}').close('}');
}

}  // namespace

std::string designReport(const DesignDetails& details) {
    Json json;
    json.open('{');
    inputs(json, details.inputs);
    readouts(json, details.results);
    flows(json, details.flows);
    table(json, details.refluxTable);
    stagesChart(json, details);
    staircase(json, details.staircase);
    diagram(json, details);
    return json.close('}').take();
}

std::optional<std::string> designReportFor(const InputTexts& texts) {
    const std::optional<DesignDetails> details = designDetailsFor(texts);
    if (!details) {
        return std::nullopt;
    }
    return designReport(*details);
}

}  // namespace calc
