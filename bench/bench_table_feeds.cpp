// What deleting lines would take from the table, asked through the file manager as the window
// asks before a Delete Line, Delete Series or Erase Tape: the series and tape line states and
// whether the tape feeds the table. A main tape of N lines with three lines feeding a table,
// the focus in the middle; one open series over the whole tape (the worst case for finding a
// series' bounds) or closed series of ten entries. Time per question.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_tapes.h"
#include "documents/file_manager.h"
#include "documents/file_manager_table_records.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "table/table_manager.h"

namespace tally {
namespace {

namespace ev = events;

struct TFeedingDocument {
    explicit TFeedingDocument(int lineCount, bool openSeries) {
        TFileManagerSetup setup;
        setup.ApplicationBus = &bus;
        manager = std::make_unique<TFileManager>(std::move(setup));
        TTlyFile& document = manager->Visible();
        document.ShowColumn(TTapeColumn::TableColumns, true);
        document.AddTableNamed();
        TCalculator& tape = document.MainTape();
        if (openSeries) {
            bench::FillOpenSeries(tape.Lines(), lineCount);
        } else {
            bench::FillClosedSeries(tape.Lines(), lineCount);
        }
        int column = 1;
        for (const LineIndex line : {LineIndex{1}, LineIndex{lineCount / 2 + 1}, LineIndex{lineCount - 3}}) {
            tape.Lines().SetCell(line, TLineColumn::TableColumns, std::to_string(column++));
            document.TableManager().ApplyTableColumnCell(tape, line);
        }
        document.TableManager().CopyEntriesToTable();
        tape.SetFocusLine(lineCount / 2);
    }
    TStMediator bus;
    std::unique_ptr<TFileManager> manager;
};

template <class Record>
void Ask(benchmark::State& state, std::string_view event, bool openSeries) {
    TFeedingDocument document(static_cast<int>(state.range(0)), openSeries);
    for (auto _ : state) {
        Record answer;
        document.bus.Handle(event, nullptr, &answer);
        benchmark::DoNotOptimize(answer);
    }
}

void BM_SeriesState_OpenSeries(benchmark::State& state) {
    Ask<TMedFileMgr_SeriesStateVariables>(state, ev::FileMgr_GetCurrentSeriesState, true);
}
void BM_SeriesState_ClosedSeries(benchmark::State& state) {
    Ask<TMedFileMgr_SeriesStateVariables>(state, ev::FileMgr_GetCurrentSeriesState, false);
}
void BM_TapeLineState(benchmark::State& state) {
    Ask<TMedFileMgr_TapeLineStateVariables>(state, ev::FileMgr_GetCurrentTapeLineState, true);
}
void BM_TapeFeedsTable(benchmark::State& state) {
    Ask<TMedBoolean>(state, ev::FileMgr_ATableColHasCurrTapeData, true);
}

BENCHMARK(BM_SeriesState_OpenSeries)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeriesState_ClosedSeries)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TapeLineState)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TapeFeedsTable)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
