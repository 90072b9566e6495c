// A tape written as an HTML document by tape length, the whole write timed: composing every
// line, escaping and UTF-8, and the file's temporary copy synced and renamed into place.
// Closed series of ten entries with Line, Running Total and Annotations shown (every tenth line
// annotated), with the default page layout, so each line is a row of five cells and each
// series ends with a rule row.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_tapes.h"
#include "documents/tly_test_files.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "output/html_document.h"
#include "settings/tape_page_layout.h"

namespace tally {
namespace {

void BM_TapeHtml(benchmark::State& state) {
    const auto lineCount = static_cast<int>(state.range(0));
    TStMediator documentBus;
    TCalculator tape('t', &documentBus);
    documentBus.Add(events::FileObj_GetMainTapeCalcObject, [&tape](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedObjectReference>(out)->ObjRef = &tape;
    });
    TStMediator fileNameBus;
    fileNameBus.Add(events::FileMgr_GetVisibleFileName, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedString>(out)->Value = "/home/user/budget.tly";
    });
    for (TTapeColumn column : {TTapeColumn::Line, TTapeColumn::RunningTotal, TTapeColumn::Annotations}) {
        tape.SetColumnShown(column, true);
    }
    bench::FillClosedSeries(tape.Lines(), lineCount);
    for (LineIndex line = 0; line < tape.LastLine(); ++line) {
        if (line % 10 == 0) tape.Lines().SetCell(line, TLineColumn::Annotations, "Invoice #" + std::to_string(line));
        if (tape.Lines().KindOf(line) == ' ') tape.Lines().SetCell(line, TLineColumn::RunningTotal, "1,022.50");
    }
    TTapePageLayout layout(&documentBus);
    test::TTempFolder folder;
    const std::string file = folder.File("tape.htm");
    for (auto _ : state) {
        const TFileResult written = WriteTapeHtml(file, tape, layout, &fileNameBus);
        if (!written) state.SkipWithError(written.Reason.c_str());
    }
    state.SetItemsProcessed(state.iterations() * lineCount);
    state.counters["file_bytes_per_line"] = static_cast<double>(std::filesystem::file_size(file)) / lineCount;
}
BENCHMARK(BM_TapeHtml)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TapeHtml)->Arg(1'000'000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
