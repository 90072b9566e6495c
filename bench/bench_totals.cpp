// Group and grand totals kept current: Enter at the end of a tape that holds up to 1,000
// single-line group totals and 10 grand totals above the open series, and committing a changed
// entry in the tape's first series, which reaches the first group and grand total: once with
// those ranges, which grow with the tape, and once with ranges of a fixed size. Also Enter after
// a zero total at the end, which inserts a group total.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <string>

#include "bench_tapes.h"
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "engine/totals/total_manager.h"
#include "foundation/mediator.h"

namespace tally {
namespace {

// Where the ranges stand: a group total after every few series, up to a number of them, and a
// grand total after every few group totals.
struct TRangeLayout {
    int SeriesPerGroup;
    int GroupsPerGrand;
    int MaxGroups;
};

// Up to 1,000 group totals spread over the whole tape, a grand total after every 100: the
// ranges grow with the tape.
TRangeLayout SpreadRanges(int lineCount) {
    constexpr int kGroupTotals = 1000;
    const int seriesCount = std::max(1, (lineCount - 1) / bench::kSeriesLength);
    return {std::max(1, seriesCount / std::min(kGroupTotals, seriesCount)), 100, kGroupTotals};
}

// A group total after every 5 series and a grand total after every 4 group totals, however
// long the tape: the ranges keep their size.
constexpr TRangeLayout kSmallRanges{5, 4, std::numeric_limits<int>::max()};

void WriteRange(TLineStore& lines, LineIndex line, char opening, char total, char closing, std::string_view type) {
    lines.SetIndicator(line, std::string(1, opening));
    lines.SetIndicator(line + 1, std::string(1, total));
    lines.SetEntries(line + 1, "0.00");
    lines.SetIndicator(line + 2, std::string(1, closing));
    for (LineIndex at = line; at < line + 3; ++at) lines.SetProperty(at, LineKey::kSeriesType, type);
    lines.SetParamsText(line + 2, std::string("STYP=") + std::string(type) + ",TSD=SL,SDP=2,TT=DE");
}

// lineCount lines, written in order: closed series of ten entries with single-line ranges
// between them as the layout says, a few open entries and the empty last line.
void FillSeriesWithTotals(TLineStore& lines, int lineCount, const TRangeLayout& layout) {
    lines.RemoveLines(0, lines.LineCount());
    lines.InsertLines(0, lineCount);
    LineIndex line = 0;
    const auto fits = [&](int count) { return line + count < lineCount; };
    for (int series = 1, groups = 0; fits(bench::kSeriesLength); ++series) {
        for (int at = 0; at < bench::kSeriesLength; ++at) bench::WriteClosedSeriesLine(lines, line + at, at);
        line += bench::kSeriesLength;
        if (groups >= layout.MaxGroups || series % layout.SeriesPerGroup != 0 || !fits(3)) continue;
        WriteRange(lines, line, '[', 'g', ']', "gro");
        line += 3;
        if (++groups % layout.GroupsPerGrand != 0 || !fits(3)) continue;
        WriteRange(lines, line, '{', 'G', '}', "gra");
        line += 3;
    }
    for (; line + 1 < lineCount; ++line) bench::WriteClosedSeriesLine(lines, line, 0);
    lines.SetIndicator(lineCount - 1, " ");
}

struct TTotalsDocument : ITotalTapes {
    TTotalsDocument(int lineCount, const TRangeLayout& layout) {
        FillSeriesWithTotals(tape.Lines(), lineCount, layout);
        tape.Hooks().ProcessPendingTotals = [this](TCalculator&) { totals.ProcessPendingTotals(); };
        tape.SetFocusLine(tape.LastLine());
    }
    TCalculator* TapeById(char id) override { return id == tape.TapeId() ? &tape : nullptr; }

    TStMediator bus;
    TCalculator tape{'t', &bus};
    TTotalManager totals{bus, *this};
};

void BM_EnterAtEndOfTapeWithTotals(benchmark::State& state) {
    const int lineCount = static_cast<int>(state.range(0));
    TTotalsDocument document(lineCount, SpreadRanges(lineCount));
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

// Enter on the empty last line after a zero total inserts a group total of the series before
// it (typed and closed untimed just before).
void BM_EnterInsertsGroupTotalAtEnd(benchmark::State& state) {
    const int lineCount = static_cast<int>(state.range(0));
    TTotalsDocument document(lineCount, SpreadRanges(lineCount));
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        document.tape.KeyPress('5');
        document.tape.KeyPress(TapeChar::kEnter);
        document.tape.ZeroTotal();
        const auto closed = Clock::now();
        document.tape.KeyPress(TapeChar::kEnter);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - closed).count());
    }
    if (!document.tape.Lines().HasKind(document.tape.LastLine() - 1, LineKind::kGroupTrailing)) {
        state.SkipWithError("Enter inserted no group total");
    }
    state.counters["lines"] = static_cast<double>(document.tape.Lines().LineCount());
}

// Commits a changed entry in the tape's first series; the post-edit pass recalculates the first
// group and grand total, which hold it.
void CommitEntriesInFirstSeries(benchmark::State& state, const TRangeLayout& layout) {
    TTotalsDocument document(static_cast<int>(state.range(0)), layout);
    document.tape.SetFocusLine(0);
    int value = 100;
    for (auto _ : state) {
        const std::string entry = "+" + std::to_string(value++ % 900 + 100) + ".00";
        document.tape.StandardSeries().CommitEntry(0, entry);
        document.tape.PostEditPass();
    }
    state.counters["lines"] = static_cast<double>(document.tape.Lines().LineCount());
}

void BM_CommitEntryInFirstSeries(benchmark::State& state) {
    CommitEntriesInFirstSeries(state, SpreadRanges(static_cast<int>(state.range(0))));
}

void BM_CommitEntryInFirstSeriesSmallRanges(benchmark::State& state) { CommitEntriesInFirstSeries(state, kSmallRanges); }

BENCHMARK(BM_EnterAtEndOfTapeWithTotals)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(200)->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnterInsertsGroupTotalAtEnd)->Arg(1000)->Arg(1000000)->Iterations(200)->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitEntryInFirstSeries)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitEntryInFirstSeriesSmallRanges)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
