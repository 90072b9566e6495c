// Results table costs by table length: sorting by a column (totals recomputed after it), a full
// recomputation of a column total, and copying one more row into a total column (the running
// addition); and by tape length, copying the entries of a tape's assigned lines into the table.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_tapes.h"
#include "engine/tape/calculator.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally {
namespace {

// Two data columns of decimals written with thousand separators, in two different orders, the
// first showing its total.
void FillTable(TResultsTable& table, int rows) {
    table.AddDataColumn("0000000000000001", 1, "First");
    table.AddDataColumn("0000000000000002", 2, "Second");
    char text[32];
    for (int row = 1; row <= rows; ++row) {
        const unsigned a = static_cast<unsigned>(row) * 2654435761U;
        const unsigned b = static_cast<unsigned>(row) * 40503U + 12345U;
        std::snprintf(text, sizeof text, "%u,%03u.%02u", a % 1000, (a / 1000) % 1000, a % 100);
        table.PutValue(1, row, text);
        std::snprintf(text, sizeof text, "%u.%u", b % 100000, b % 10);
        table.PutValue(2, row, text);
    }
    table.SetCurrentCell(1, 1);
    table.SetCurrentColumnTotalShown(true);
}

void BM_TableSort(benchmark::State& state) {
    TResultsTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    int column = 1;
    for (auto _ : state) {
        // Sorting by the other column each time, so no sort starts from sorted rows.
        column = 3 - column;
        table.SetCurrentCell(column, 1);
        benchmark::DoNotOptimize(table.Sort(true));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_TableSort)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_TableRecomputeTotal(benchmark::State& state) {
    TResultsTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        table.RecomputeColumnTotal(1);
        benchmark::DoNotOptimize(table.ColumnTotalText(1));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_TableRecomputeTotal)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_TableCopyRowIntoTotal(benchmark::State& state) {
    TResultsTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.PutValue(1, table.FirstTotalRow(), "1,234.56"));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_TableCopyRowIntoTotal)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Copy to table collects the assignments of every line of the tape (here three lines of a
// tape of N lines are assigned), so it grows with the tape, not with the table.
void BM_CopyEntriesToTable(benchmark::State& state) {
    TCalculator tape;
    const int lineCount = static_cast<int>(state.range(0));
    bench::FillClosedSeries(tape.Lines(), lineCount);
    tape.SetColumnShown(TTapeColumn::TableColumns, true);
    TTableManager manager;
    manager.Tapes().MainTape = [&tape] { return &tape; };
    manager.CreateTable();
    for (const LineIndex line : {0, lineCount / 2, lineCount - 3}) {
        tape.Lines().SetCell(line, TLineColumn::TableColumns, "1");
        manager.ApplyTableColumnCell(tape, line);
    }
    for (auto _ : state) manager.CopyEntriesToTable();
    state.counters["lines"] = static_cast<double>(lineCount);
}
BENCHMARK(BM_CopyEntriesToTable)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
