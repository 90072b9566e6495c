// The tape Edit menu's tests, all asked once as the window asks them each time the menu opens,
// by tape length: the focus in the middle of a tape of closed ten-entry series, with the whole
// tape's "[Entire Tape]" record on the clipboard (the worst case: the tape copy test walks the
// tape and the tape paste test reads the record). A second case has a foreign 20 MB text on
// the clipboard.

#include <benchmark/benchmark.h>

#include <string>

#include "bench_tapes.h"
#include "engine/records/record_builder.h"
#include "engine/records/tape_record.h"
#include "engine/sorting/segment_sort.h"
#include "engine/tape/calculator.h"
#include "engine/totals/total_manager.h"
#include "foundation/mediator.h"
#include "links/line_paste.h"
#include "links/selection_commands.h"
#include "links/tape_copy.h"
#include "links/tape_paste.h"

namespace tally {
namespace {

constexpr std::string_view kSession = "1234567890123456";

int AskEditMenu(const TCalculator& tape, const std::string& clipboard) {
    const LineIndex focus = tape.FocusLine();
    const bool answers[] = {
        CanCutSelection(tape),
        CanCopySelection(tape),
        CanPasteSelection(tape),
        RecordKindOf(clipboard).has_value(),
        IsAcceptableEntryText(tape, clipboard),
        tape.CanInsertNewSeries(),
        CanSortTapeSegment(tape),
        MayCutEntryText(tape, focus),
        IsCopyableLine(tape, focus),
        CanPasteLine(tape, clipboard, kSession),
        CanCopySeries(tape),
        CanPasteSeries(tape, clipboard),
        CanCopyEmbeddedSeries(tape),
        CanPasteEmbeddedSeries(tape, clipboard),
        tape.CanInsertGroupTotal(),
        CanCopyTotalRange(tape, "gro"),
        CanPasteTape(tape, clipboard, TRecordKind::GroupTotalRange),
        tape.CanInsertGrandTotal(),
        CanCopyTotalRange(tape, "gra"),
        CanPasteTape(tape, clipboard, TRecordKind::GrandTotalRange),
        CanCopyTape(tape),
        CanPasteTape(tape, clipboard, TRecordKind::EntireTape),
    };
    int yes = 0;
    for (const bool answer : answers) yes += answer ? 1 : 0;
    return yes;
}

void RunEditMenu(benchmark::State& state, const std::string& clipboard, TCalculator& tape) {
    tape.SetFocusLine(tape.Lines().LineCount() / 2);
    tape.ChooseCurrentSeries();
    for (auto _ : state) benchmark::DoNotOptimize(AskEditMenu(tape, clipboard));
}

// A main tape on a document bus with its total manager, so the group and grand total tests
// run in full as they do in the window.
struct TMenuDocument : ITotalTapes {
    explicit TMenuDocument(int lineCount) { bench::FillClosedSeries(tape.Lines(), lineCount); }
    TCalculator* TapeById(char id) override { return id == tape.TapeId() ? &tape : nullptr; }

    TStMediator bus;
    TCalculator tape{'t', &bus};
    TTotalManager totals{bus, *this};
};

void BM_EditMenuWithTapeOnClipboard(benchmark::State& state) {
    TMenuDocument document(static_cast<int>(state.range(0)));
    const TRecordSource source{document.tape.Lines(), std::string(kSession), "copy", false, 2, "DE"};
    const std::string clipboard = WriteTapeRecord(BuildTapeRecord(source));
    RunEditMenu(state, clipboard, document.tape);
}
BENCHMARK(BM_EditMenuWithTapeOnClipboard)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_EditMenuWithForeignText(benchmark::State& state) {
    TMenuDocument document(static_cast<int>(state.range(0)));
    RunEditMenu(state, std::string(20'000'000, 'x'), document.tape);
}
BENCHMARK(BM_EditMenuWithForeignText)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
