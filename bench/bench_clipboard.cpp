// Copy and paste of a whole tape through its clipboard record, by tape length: building and
// writing the record (copy), and reading, preparing links for and inserting it as one block
// in front of a one-line tape (paste). The total of every tenth series feeds the first entry
// of the series after it, so renumbering and the circle check have work to do.

#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <string>

#include "bench_tapes.h"
#include "engine/records/record_builder.h"
#include "engine/tape/calculator.h"
#include "foundation/mediator.h"
#include "links/calculator_link_tape.h"
#include "links/link_manager.h"
#include "links/paste_links.h"
#include "links/tape_paste.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

constexpr std::string_view kSession = "1234567890123456";

void FillLinkedTape(TLineStore& lines, int lineCount) {
    bench::FillClosedSeries(lines, lineCount);
    for (LineIndex line = 0, link = 1; line + bench::kSeriesLength < lineCount; line += 10 * bench::kSeriesLength) {
        std::string number = std::to_string(link++);
        number.insert(0, 16 - number.size(), '0');
        // The series' total feeds the first entry of the next series.
        lines.SetProperty(line + bench::kEntriesPerSeries + 1, "LID", "AS+" + number);
        lines.SetProperty(line + bench::kSeriesLength, "LID", "AD+" + number);
    }
}

std::string CopyTapeText(const TLineStore& lines) {
    const TRecordSource source{lines, std::string(kSession), "copy", true, 2, "DE"};
    return WriteTapeRecord(BuildTapeRecord(source));
}

void BM_CopyTape(benchmark::State& state) {
    TLineStore lines;
    FillLinkedTape(lines, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = CopyTapeText(lines);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["record_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CopyTape)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_PasteTape(benchmark::State& state) {
    TLineStore source;
    FillLinkedTape(source, static_cast<int>(state.range(0)));
    const std::string text = CopyTapeText(source);
    const TRandomFraction random = ProgramRandomFraction();
    for (auto _ : state) {
        state.PauseTiming();
        TLineStore target;
        target.InsertLines(0, 1);
        std::set<std::string, std::less<>> inUse;
        state.ResumeTiming();
        auto record = ReadTapeRecord(text, TRecordKind::EntireTape);
        if (!record) {
            state.SkipWithError("record refused");
            break;
        }
        PreparePastedProperties(*record, PasteRulesFor(TPasteTarget::TapeOrRange, TPasteCase::Copy), inUse, random);
        InsertRecordLines(target, 0, record->groups, true);
        benchmark::DoNotOptimize(target.LineCount());
    }
}
BENCHMARK(BM_PasteTape)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// A one-tape document with its link manager and clipboard.
struct TPasteDocument {
    TStMediator bus;
    TCalculator tape{'t', &bus};
    TCalculatorLinkTape link{tape};
    HeadlessClipboard clipboard;
    TLinkManager links{[this] { return std::vector<ILinkTape*>{&link}; }};
};

// The tape's Paste Tape command: the record read and checked, links prepared, the circle
// check, the block inserted, and the tape recalculated.
void BM_PasteTapeCommand(benchmark::State& state) {
    TLineStore source;
    FillLinkedTape(source, static_cast<int>(state.range(0)));
    const std::string text = CopyTapeText(source);
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<TPasteDocument>();
        document->clipboard.SetText(text);
        TTapePaster paster(document->tape, document->clipboard, document->links);
        state.ResumeTiming();
        if (!paster.PasteTape()) {
            state.SkipWithError("paste refused");
            break;
        }
        benchmark::DoNotOptimize(document->tape.Lines().LineCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteTapeCommand)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
