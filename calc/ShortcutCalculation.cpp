// The shortcut design of a binary column. Every formula keeps its order of
// operations as written, since that order decides the last bit of the doubles
// and so the truncated two-decimal texts.
#include "calc/ShortcutCalculation.h"

#include "calc/GillilandCorrelation.h"
#include "calc/ReadInputs.h"
#include "calc/Truncate2.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace calc {

namespace {

struct QLinePoint {
    double xq;
    double yq;
};

// Vapour fraction in equilibrium with liquid fraction x at constant volatility.
double equilibriumVapour(double alpha, double x) {
    return alpha * x / ((alpha - 1) * x + 1);
}

bool insideUnitInterval(double v) {
    return v > 0 && v < 1;
}

// The liquid fraction where the q-line meets the equilibrium curve, from
// a x^2 + b x - xF = 0. xq stays 0 when rounding leaves no root inside (0, 1);
// when both roots lie inside, the second one is taken.
double qLineRoot(const ShortcutInputs& in) {
    const double a = in.q * (in.alpha - 1);
    const double b = in.alpha * (1 - in.xF - in.q) + in.q + in.xF;
    const double d = b * b + 4 * a * in.xF;
    const double s = std::sqrt(d);
    const double r1 = ((-b - s) / 2) / a;
    const double r2 = ((-b + s) / 2) / a;
    double xq = 0;
    if (insideUnitInterval(r1)) {
        xq = r1;
    }
    if (insideUnitInterval(r2)) {
        xq = r2;
    }
    return xq;
}

// A saturated liquid (q = 1) or vapour (q = 0) feed meets the curve at xF
// directly; -0 compares equal to 0 and takes the vapour branch.
QLinePoint qLineIntersection(const ShortcutInputs& in) {
    if (in.q == 1) {
        return {in.xF, equilibriumVapour(in.alpha, in.xF)};
    }
    if (in.q == 0) {
        const double yq = in.xF;
        return {yq / (in.alpha - (in.alpha - 1) * yq), yq};
    }
    const double xq = qLineRoot(in);
    return {xq, equilibriumVapour(in.alpha, xq)};
}

// Fenske minimum stages from a lower composition x up to the top composition xD.
double fenskeStages(double xD, double x, double alpha) {
    return std::log(((1 - x) * (xD / (1 - xD))) / x) / std::log(alpha);
}

// A design is shown only when every value is finite and each two-decimal
// value still is after scaling by 100.
bool isShowable(const ShortcutResults& r) {
    for (double v :
         {r.xq, r.yq, r.nMinRectifying, r.stages, r.rectifyingStages, r.plateCount, r.feedPlate}) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    for (double v : {r.rMin, r.reflux, r.nMin, r.gillilandX, r.gillilandY}) {
        if (!std::isfinite(truncate2(v))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ShortcutResults> calculateShortcut(const ShortcutInputs& in) {
    ShortcutResults r;
    const QLinePoint point = qLineIntersection(in);
    r.xq = point.xq;
    r.yq = point.yq;
    r.rMin = (in.xD - r.yq) / (r.yq - r.xq);
    // A minimum reflux of zero or below (yq at or above xD) leaves no column to
    // design and would feed a negative base to the correlation's power.
    if (!(r.rMin > 0)) {
        return std::nullopt;
    }
    r.reflux = r.rMin * in.refluxFactor;
    r.nMin = fenskeStages(in.xD, in.xW, in.alpha);
    r.gillilandX = (r.reflux - r.rMin) / (r.reflux + 1);
    r.gillilandY = gillilandOrdinate(r.gillilandX);
    r.stages = (r.gillilandY + r.nMin) / (1 - r.gillilandY);
    r.plateCount = std::floor(r.stages) + 1;
    r.nMinRectifying = fenskeStages(in.xD, in.xF, in.alpha);
    r.rectifyingStages = (r.nMinRectifying + r.gillilandY) / (1 - r.gillilandY);
    r.feedPlate = std::floor(r.rectifyingStages) + 1;
    if (!isShowable(r)) {
        return std::nullopt;
    }
    return r;
}

std::optional<CalculatedDesign> calculateDesign(const InputTexts& texts) {
    const std::optional<ShortcutInputs> inputs = readInputs(texts);
    const std::optional<ShortcutResults> results =
        inputs ? calculateShortcut(*inputs) : std::nullopt;
    if (!results) {
        return std::nullopt;
    }
    return CalculatedDesign{.inputs = *inputs, .results = *results};
}

}  // namespace calc
