// Changing the document's rounding method re-rounds every line of a tape: the whole-tape
// recalculation, sized by tape length.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/decimals/tape_decimals.h"
#include "engine/tape/calculator.h"

namespace tally {
namespace {

// Closed series of eight entries with a separator, total and zero total line each, as many as
// fit in `count` lines, and the empty last line. Entries end in 5 at the third decimal so that
// "up" and "even" round them apart.
void FillClosedSeries(TCalculator& tape, int count) {
    constexpr int kSeriesLines = 11;
    TLineStore& lines = tape.Lines();
    lines.RemoveLines(0, lines.LineCount());
    const int series = count / kSeriesLines;
    lines.InsertLines(0, series * kSeriesLines + 1);
    LineIndex line = 0;
    for (int s = 0; s < series; ++s) {
        for (int e = 0; e < 8; ++e, ++line) {
            std::string entry = "+";
            entry += std::to_string(100 + (s * 8 + e) % 900);
            entry += '.';
            entry += std::to_string(10 + (s + e) % 90);
            entry += '5';
            lines.SetEntries(line, entry);
            lines.SetIndicator(line, " ");
        }
        lines.SetIndicator(line++, "=");
        lines.SetIndicator(line++, "T");
        lines.SetIndicator(line, "Z");
        lines.SetParamsText(line++, "TT=DE,SDP=2");
    }
    lines.SetIndicator(line, " ");
    tape.SetFocusLine(line);
}

void BM_ChangeRoundingMethod(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TCalculator tape;
    FillClosedSeries(tape, count);
    TRoundingMethod method = TRoundingMethod::Up;
    for (auto _ : state) {
        method = method == TRoundingMethod::Up ? TRoundingMethod::Even : TRoundingMethod::Up;
        ChangeRoundingMethod(tape, method);
        benchmark::DoNotOptimize(tape.Lines().Entries(0).data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChangeRoundingMethod)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
