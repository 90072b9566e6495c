// The memory-plus-total lock: one series ("1", "+2", Enter) typed into the main tape of a
// document whose memory series already holds N stored values, so that the lock adds the new
// total to it. Also the same series typed without a lock, for the cost of watching for totals.
// Time per series typed, the memory growing by one value per iteration.
#include <benchmark/benchmark.h>

#include <string>

#include "documents/document_command_table.h"
#include "documents/file_document.h"
#include "engine/tape/calculator.h"

namespace tally {
namespace {

// One closed memory series of `values` entries, then the empty last line.
void FillMemory(TCalculator& memory, int values) {
    TLineStore& lines = memory.Lines();
    lines.RemoveLines(0, lines.LineCount());
    lines.InsertLines(0, values + 4);
    for (LineIndex line = 0; line < values; ++line) {
        lines.SetIndicator(line, " ");
        lines.SetEntries(line, "+3.00");
    }
    lines.SetIndicator(values, "=");
    lines.SetEntries(values, "==========");
    lines.SetIndicator(values + 1, "T");
    lines.SetIndicator(values + 2, "Z");
    lines.SetEntries(values + 2, "0.00");
    lines.SetParamsText(values + 2, "TT=DE,SDP=2");
    lines.SetIndicator(values + 3, " ");
    memory.RefreshAll();
}

void TypeSeries(TCalculator& tape) {
    for (const char key : std::string_view("1+2")) tape.KeyPress(key);
    if (!tape.KeyDown(TTapeKey::Enter)) tape.KeyPress(TapeChar::kEnter);
    // The zero total closes it, as Enter on the empty line after a total asks.
    tape.ZeroTotal();
}

void TypeWithMemory(benchmark::State& state, bool locked) {
    TTlyFile document;
    document.EnableMemory(true);
    FillMemory(*document.MemoryTape(), static_cast<int>(state.range(0)));
    if (locked) PerformDocumentCommand(document, "MemPlusTotalLock");
    for (auto _ : state) TypeSeries(document.MainTape());
    state.counters["memory lines"] = document.MemoryTape()->Lines().LineCount();
}

void BM_MemPlusTotalLock(benchmark::State& state) { TypeWithMemory(state, true); }
void BM_NoLock(benchmark::State& state) { TypeWithMemory(state, false); }

BENCHMARK(BM_MemPlusTotalLock)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NoLock)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
