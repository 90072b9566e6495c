// The tape's per-edit work: the post-edit pass with the after-edit notifications, and a
// focus move between two lines, on tapes of 1,000 to 1,000,000 lines. Tapes are made either
// of many short closed series (the usual shape) or of one long open series (the worst case
// for the walks that find a series' bounds).
#include <benchmark/benchmark.h>

#include <string>

#include "bench_tapes.h"
#include "engine/tape/calculator.h"

namespace tally {
namespace {

void AttachHooks(TCalculator& tape, int& calls) {
    TCalculatorHooks& hooks = tape.Hooks();
    hooks.OnSeriesTotalChange = [&calls](TCalculator&, const std::string&) { ++calls; };
    hooks.OnDecimalPlacesChange = [&calls](TCalculator&) { ++calls; };
    hooks.OnTotalTypeChange = [&calls](TCalculator&) { ++calls; };
    hooks.GetPendingLinkCount = [] { return 0; };
    hooks.ProcessPendingTotals = [&calls](TCalculator&) { ++calls; };
}

void BM_PostEditPass(benchmark::State& state) {
    TCalculator tape;
    bench::FillClosedSeries(tape.Lines(), static_cast<int>(state.range(0)));
    tape.SetFocusLine(tape.LastLine() / 2);
    int calls = 0;
    AttachHooks(tape, calls);
    for (auto _ : state) {
        tape.AfterEditNotifications();
        tape.PostEditPass();
    }
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_PostEditPass)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The focus-move checks, the series choice and the notifications for a move between two
// neighbouring entries in the middle of the tape.
template <void (*Fill)(TLineStore&, int)>
void BM_FocusMove(benchmark::State& state) {
    TCalculator tape;
    Fill(tape.Lines(), static_cast<int>(state.range(0)));
    const LineIndex middle = tape.LastLine() / 2 / bench::kSeriesLength * bench::kSeriesLength + 3;
    tape.SetFocusLine(middle);
    int calls = 0;
    AttachHooks(tape, calls);
    LineIndex target = middle + 1;
    for (auto _ : state) {
        if (!tape.SelectCell(TTapeColumn::Entries, target)) state.SkipWithError("move refused");
        target = target == middle ? middle + 1 : middle;
    }
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(BM_FocusMove<bench::FillClosedSeries>)->Name("BM_FocusMove/ShortSeries")->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FocusMove<bench::FillOpenSeries>)->Name("BM_FocusMove/OneSeries")->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
