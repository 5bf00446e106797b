// One whole calculation as the confirm button runs it: reading and testing the
// initial input texts, the shortcut design and the seven result texts; and the
// design details the web page shows beside them, as its report and as a link.
#include "calc/DesignLink.h"
#include "calc/DesignReport.h"
#include "calc/DisplayTexts.h"
#include "calc/InputBoxes.h"
#include "calc/ParseNumber.h"
#include "calc/ReadInputs.h"
#include "calc/ShortcutCalculation.h"

#include <benchmark/benchmark.h>
#include <string_view>

namespace {

using namespace calc;

constexpr InputTexts kDefaultTexts = initialTexts();

void BM_DefaultTextsToResultTexts(benchmark::State& state) {
    for (auto _ : state) {
        InputTexts texts = kDefaultTexts;
        benchmark::DoNotOptimize(texts);
        const std::optional<ShortcutInputs> inputs = readInputs(texts);
        const std::optional<ShortcutResults> results = calculateShortcut(*inputs);
        std::array<DisplayText, 7> shown = displayTexts(*results);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_DefaultTextsToResultTexts);

void BM_ParseNumber(benchmark::State& state) {
    for (auto _ : state) {
        std::string_view text = "2.47";
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(parseNumber(text));
    }
}
BENCHMARK(BM_ParseNumber);

void BM_CalculateShortcut(benchmark::State& state) {
    const ShortcutInputs inputs = *readInputs(kDefaultTexts);
    for (auto _ : state) {
        ShortcutInputs in = inputs;
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(calculateShortcut(in));
    }
}
BENCHMARK(BM_CalculateShortcut);

void BM_DisplayTexts(benchmark::State& state) {
    const ShortcutResults results = *calculateShortcut(*readInputs(kDefaultTexts));
    for (auto _ : state) {
        ShortcutResults r = results;
        benchmark::DoNotOptimize(r);
        std::array<DisplayText, 7> shown = displayTexts(r);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_DisplayTexts);

// The defaults, and a close-boiling pair whose staircase runs to the limit.
void BM_DesignReport(benchmark::State& state) {
    InputTexts texts = kDefaultTexts;
    if (state.range(0) != 0) {
        texts = {"100", "0.5", "0.5", "1.2", "0.99", "0.01", "1.01"};
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(designReportFor(texts));
    }
}
BENCHMARK(BM_DesignReport)->Arg(0)->Arg(1);

void BM_DesignFromLink(benchmark::State& state) {
    const std::string link = designLink(kDefaultTexts);
    for (auto _ : state) {
        benchmark::DoNotOptimize(designFromLink(link));
    }
}
BENCHMARK(BM_DesignFromLink);

}  // namespace

BENCHMARK_MAIN();
