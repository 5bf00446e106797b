// The chart's ticks: built once from the axis, each with its value, its place
// on the axis and its label, and the labels' place and width on the panel.

#include "chart/AxisTicks.h"

#include "calc/FormatGeneral.h"
#include "chart/ChartConstants.h"
#include "chart/DrawingSurface.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

double decadesUpToOne(const LogAxis& axis) {
    return -lowerExponent(axis);
}

double unitsPerDecade(const LogAxis& axis) {
    return double{kUserRange} / decades(axis);
}

// One decade of the axis, counted from its lower limit: grid counter i runs
// first..last by first, in units of the lower limit, so the lines sit at 1, 2,
// ... 10 times the decade's start.
struct GridDecade {
    long long first;
    long long last;
    bool top;  // the axis's last decade, ending at the upper limit
    long long multiple(long long i) const { return i / first; }
};

GridDecade gridDecade(const LogAxis& axis, int d) {
    const auto first = static_cast<long long>(powerOfTen(d));
    return {.first = first, .last = 10 * first, .top = d == decades(axis) - 1};
}

// Every decade labels its lines at 1 to 4 and at 8 times its start; its line
// at 10 times is the next decade's first.
constexpr long long kLabelledBelow = 5;
constexpr long long kLabelledAt = 8;

// The grid value of counter i, formed as i divided (or multiplied) by a power
// of ten so that it is the double a decimal literal gives: 3 / 100 is 0.03.
double gridValue(const LogAxis& axis, long long i) {
    const int n = lowerExponent(axis);
    const auto count = static_cast<double>(i);
    return n < 0 ? count / powerOfTen(-n) : count * powerOfTen(n);
}

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// The text printed at grid line i of a decade, if the line is labelled: its
// value in the numeric print format, but for the y axis's top decade.
std::string gridLabel(ChartAxis side, const GridDecade& decade, long long i, double v) {
    const bool yTop = side == ChartAxis::Y && decade.top;
    const long long multiple = decade.multiple(i);
    if (multiple < kLabelledBelow) {
        return numericPrintText(v);
    }
    if (multiple == kLabelledAt) {
        return yTop ? withoutBlanks(numericPrintText(v)) : numericPrintText(v);
    }
    if (yTop && i == decade.last) {
        return calc::formatFixed(v, 1);
    }
    return {};
}

// Label placement converts plot units to panel twips with this fixed factor,
// 1.25 (the box's outer size over the user range; its border is ignored).
constexpr double kTwipsPerUserUnit = double{kPlotBoxTwips} / kUserRange;
// An x label starts this far left of its grid line, its top at the box's
// bottom edge.
constexpr double kXLabelShiftLeft = 200.0;
// A y label starts this far left of the plot box, its top this far above its
// grid line.
constexpr double kYLabelShiftLeft = 400.0;
constexpr double kYLabelShiftUp = 100.0;

// The least distance, in plot units, between two neighbouring labels of one
// axis.
double closestLabels(const AxisTicks& ticks) {
    double closest = kUserRange;
    const Tick* previous = nullptr;
    for (const Tick& tick : ticks.ticks) {
        if (tick.label.empty()) {
            continue;
        }
        if (previous != nullptr && previous->axis == tick.axis) {
            closest = std::min(closest, tick.position - previous->position);
        }
        previous = &tick;
    }
    return closest;
}

constexpr int kWidthAtTwoDecades = 75;

}  // namespace

double LogAxisPosition(double v, const LogAxis& axis) {
    return (std::log(v) / std::log(10.0) + decadesUpToOne(axis)) * unitsPerDecade(axis);
}

AxisTicks axisTicks(const LogAxis& axis) {
    AxisTicks made{.axis = axis, .ticks = {}};
    for (const ChartAxis side : {ChartAxis::X, ChartAxis::Y}) {
        for (int d = 0; d < decades(axis); ++d) {
            const GridDecade decade = gridDecade(axis, d);
            for (long long i = decade.first; i <= decade.last; i += decade.first) {
                const double v = gridValue(axis, i);
                made.ticks.push_back({.axis = side,
                                      .value = v,
                                      .position = LogAxisPosition(v, axis),
                                      .label = gridLabel(side, decade, i, v)});
            }
        }
    }
    return made;
}

const AxisTicks& gillilandTicks() {
    static const AxisTicks ticks = axisTicks(kGillilandAxis);
    return ticks;
}

PanelPoint tickLabelPlace(const Tick& tick, const DrawingSurface& plotBox) {
    const double bottom = plotBox.Top() + plotBox.Height();
    if (tick.axis == ChartAxis::X) {
        return {.x = plotBox.Left() + kTwipsPerUserUnit * tick.position - kXLabelShiftLeft,
                .y = bottom};
    }
    return {.x = plotBox.Left() - kYLabelShiftLeft,
            .y = bottom - kTwipsPerUserUnit * tick.position - kYLabelShiftUp};
}

int tickLabelWidth(const AxisTicks& ticks) {
    static const double atTwoDecades =
        closestLabels(axisTicks(LogAxis{.lower = 0.01, .upper = 1.0}));
    const double width = kWidthAtTwoDecades * closestLabels(ticks) / atTwoDecades;
    return std::min(100, static_cast<int>(std::lround(width)));
}

}  // namespace chart
