// Line table costs by tape length: building a realistic tape, walking it, inserting a line in
// the middle, and the heap bytes one line takes.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <string>

#include "engine/lines/line_store.h"

namespace tally {
namespace {

// Heap bytes in use, including blocks the allocator maps directly (large vectors).
std::size_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Series of eight entries with running totals, a separator, a counted total and a zero total
// that carries the series' total type and decimal places.
void BuildRealisticTape(TLineStore& lines, LineIndex count) {
    lines.InsertLines(0, count);
    char text[32];
    for (LineIndex i = 0; i < count; ++i) {
        switch (i % 11) {
            case 8:
                lines.SetIndicator(i, "=");
                lines.SetEntries(i, "==========");
                break;
            case 9:
                lines.SetIndicator(i, "T(8)");
                std::snprintf(text, sizeof text, "%d,%03d.%02d", 10 + i % 90, i % 1000, i % 100);
                lines.SetEntries(i, text);
                break;
            case 10:
                lines.SetIndicator(i, "Z");
                lines.SetEntries(i, "0.00");
                lines.SetParamsText(i, "TT=DE,SDP=2");
                break;
            default:
                lines.SetIndicator(i, " ");
                std::snprintf(text, sizeof text, "+%d,%03d.%02d", 1 + i % 9, i % 1000, i % 100);
                lines.SetEntries(i, text);
                std::snprintf(text, sizeof text, "%d,%03d.%02d", 10 + i % 90, i % 1000, i % 100);
                lines.SetCell(i, TLineColumn::RunningTotal, text);
                break;
        }
    }
}

void BM_LineStoreBuild(benchmark::State& state) {
    const auto count = static_cast<LineIndex>(state.range(0));
    double bytesPerLine = 0;
    for (auto _ : state) {
        const std::size_t before = HeapBytesInUse();
        TLineStore lines;
        BuildRealisticTape(lines, count);
        bytesPerLine = static_cast<double>(HeapBytesInUse() - before) / count;
        benchmark::DoNotOptimize(lines.LineCount());
    }
    state.counters["bytes_per_line"] = bytesPerLine;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_LineStoreWalkEntriesAndIndicator(benchmark::State& state) {
    const auto count = static_cast<LineIndex>(state.range(0));
    TLineStore lines;
    BuildRealisticTape(lines, count);
    for (auto _ : state) {
        std::size_t totals = 0;
        std::size_t characters = 0;
        for (LineIndex i = 0; i < count; ++i) {
            totals += lines.InGroup(i, LineGroup::kTotalLine) ? 1 : 0;
            characters += lines.Entries(i).size();
        }
        benchmark::DoNotOptimize(totals);
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_LineStoreInsertAndRemoveInTheMiddle(benchmark::State& state) {
    const auto count = static_cast<LineIndex>(state.range(0));
    TLineStore lines;
    BuildRealisticTape(lines, count);
    for (auto _ : state) {
        lines.InsertLines(count / 2, 1);
        lines.RemoveLines(count / 2, 1);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_LineStoreBuild)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineStoreWalkEntriesAndIndicator)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineStoreInsertAndRemoveInTheMiddle)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tally
