// Group and grand totals kept current: Enter at the end of a tape that holds up to 1,000
// single-line group totals and 10 grand totals above the open series, and committing a changed
// entry in the tape's first series, which reaches the first group and grand total.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench_tapes.h"
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "engine/totals/total_manager.h"
#include "foundation/mediator.h"

namespace tally {
namespace {

constexpr int kGroupTotals = 1000;
constexpr int kGroupsPerGrand = 100;

void AppendRange(TLineStore& lines, LineIndex& line, char opening, char total, char closing,
                 std::string_view type) {
    lines.InsertLines(line, 3);
    lines.SetIndicator(line, std::string(1, opening));
    lines.SetIndicator(line + 1, std::string(1, total));
    lines.SetEntries(line + 1, "0.00");
    lines.SetIndicator(line + 2, std::string(1, closing));
    for (LineIndex at = line; at < line + 3; ++at) lines.SetProperty(at, LineKey::kSeriesType, type);
    lines.SetParamsText(line + 2, std::string("STYP=") + std::string(type) + ",TSD=SL,SDP=2,TT=DE");
    line += 3;
}

// Closed series of ten entries with a group total after every few of them (up to 1,000) and a
// grand total after every 100 group totals, then the empty last line.
void FillSeriesWithTotals(TLineStore& lines, int lineCount) {
    bench::FillClosedSeries(lines, lineCount);
    const int seriesCount = (lineCount - 1) / bench::kSeriesLength;
    const int groups = std::min(kGroupTotals, seriesCount);
    const int seriesPerGroup = std::max(1, seriesCount / std::max(1, groups));
    LineIndex line = 0;
    for (int series = 1, group = 0; series <= seriesCount && group < groups; ++series) {
        line += bench::kSeriesLength;
        if (series % seriesPerGroup != 0) continue;
        AppendRange(lines, line, '[', 'g', ']', "gro");
        if (++group % kGroupsPerGrand == 0) AppendRange(lines, line, '{', 'G', '}', "gra");
    }
}

struct TTotalsDocument : ITotalTapes {
    explicit TTotalsDocument(int lineCount) {
        FillSeriesWithTotals(tape.Lines(), lineCount);
        tape.Hooks().ProcessPendingTotals = [this](TCalculator&) { totals.ProcessPendingTotals(); };
        tape.SetFocusLine(tape.LastLine());
    }
    TCalculator* TapeById(char id) override { return id == tape.TapeId() ? &tape : nullptr; }

    TStMediator bus;
    TCalculator tape{'t', &bus};
    TTotalManager totals{bus, *this};
};

void BM_EnterAtEndOfTapeWithTotals(benchmark::State& state) {
    TTotalsDocument document(static_cast<int>(state.range(0)));
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        document.tape.KeyPress('1');
        document.tape.KeyPress('2');
        const auto typed = Clock::now();
        document.tape.KeyPress(TapeChar::kEnter);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - typed).count());
    }
    state.counters["lines"] = static_cast<double>(document.tape.Lines().LineCount());
}

void BM_CommitEntryInFirstSeries(benchmark::State& state) {
    TTotalsDocument document(static_cast<int>(state.range(0)));
    document.tape.SetFocusLine(0);
    int value = 100;
    for (auto _ : state) {
        const std::string entry = "+" + std::to_string(value++ % 900 + 100) + ".00";
        document.tape.StandardSeries().CommitEntry(0, entry);
        document.tape.PostEditPass();
    }
}

BENCHMARK(BM_EnterAtEndOfTapeWithTotals)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(200)->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitEntryInFirstSeries)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
