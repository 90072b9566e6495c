// Recalculating one series of N entry lines, the work done after every edit of a long series.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"

namespace tally {
namespace {

// One open series of `count` entries such as "+1,234.56" ending on the tape's empty last line.
void FillSeries(TCalculator& tape, int count) {
    TLineStore& lines = tape.Lines();
    lines.InsertLines(0, count);
    for (int i = 0; i < count; ++i) {
        lines.SetEntries(i, "+" + std::to_string(1000 + i % 9000) + "." + std::to_string(10 + i % 90));
        lines.SetIndicator(i, " ");
    }
}

void BM_RecalculateSeries(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TCalculator tape;
    tape.SetColumnShown(TTapeColumn::RunningTotal, true);
    FillSeries(tape, count);
    for (auto _ : state) {
        tape.StandardSeries().Recalculate(0);
        benchmark::DoNotOptimize(tape.RunningValue());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RecalculateSeries)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
