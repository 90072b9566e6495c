// Saving and opening ".tly" documents by tape length: tape lines per second each way, and the
// heap bytes an opened document takes per tape line.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "bench_tapes.h"
#include "documents/file_document.h"
#include "documents/tly_file.h"
#include "documents/tly_test_document.h"
#include "documents/tly_test_files.h"

namespace tally {
namespace {

std::size_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A document whose main tape holds closed series of ten entries, saved once.
struct TSavedDocument {
    explicit TSavedDocument(int lineCount) {
        bench::FillClosedSeries(document.MainTape().Lines(), lineCount);
        SaveTlyFile(document, file);
    }
    test::TTempFolder folder;
    std::string file = folder.File("bench.tly");
    test::TTestDocument document;
};

void BM_TlySave(benchmark::State& state) {
    const auto lineCount = static_cast<int>(state.range(0));
    TSavedDocument saved(lineCount);
    for (auto _ : state) {
        const TTlyFileResult result = SaveTlyFile(saved.document, saved.file);
        if (!result.Ok) state.SkipWithError(result.Reason.c_str());
    }
    state.SetItemsProcessed(state.iterations() * lineCount);
    state.counters["file_bytes_per_line"] = static_cast<double>(test::ReadBytes(saved.file).size()) / lineCount;
}

// Reading alone, or reading and recalculating every series as opening a document does.
void Open(benchmark::State& state, bool recalculate) {
    const auto lineCount = static_cast<int>(state.range(0));
    std::string file;
    test::TTempFolder folder;
    {
        TSavedDocument saved(lineCount);
        file = folder.File("open.tly");
        SaveTlyFile(saved.document, file);
    }
    double bytesPerLine = 0;
    for (auto _ : state) {
        const std::size_t before = HeapBytesInUse();
        auto document = std::make_unique<test::TTestDocument>();
        document->recalculateOnFinish_ = recalculate;
        const TTlyFileResult result = LoadTlyFile(*document, file);
        if (!result.Ok) state.SkipWithError(result.Reason.c_str());
        bytesPerLine = static_cast<double>(HeapBytesInUse() - before) / lineCount;
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lineCount);
    state.counters["bytes_per_line"] = bytesPerLine;
}

void BM_TlyOpen(benchmark::State& state) { Open(state, false); }
void BM_TlyOpenAndRecalculate(benchmark::State& state) { Open(state, true); }

// Opening as the window and tallyroll-cli do: a fresh document with its managers and headless
// pages, the file read into it, every tape recalculated and its links and tables refreshed.
void BM_DocumentOpen(benchmark::State& state) {
    const auto lineCount = static_cast<int>(state.range(0));
    test::TTempFolder folder;
    const std::string file = folder.File("open.tly");
    {
        TSavedDocument saved(lineCount);
        SaveTlyFile(saved.document, file);
    }
    double bytesPerLine = 0;
    for (auto _ : state) {
        const std::size_t before = HeapBytesInUse();
        TOpenedTlyFile opened = OpenTlyFile({}, file);
        if (!opened.Document) state.SkipWithError(opened.Reason.c_str());
        bytesPerLine = static_cast<double>(HeapBytesInUse() - before) / lineCount;
        state.PauseTiming();
        opened.Document.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lineCount);
    state.counters["bytes_per_line"] = bytesPerLine;
}

// The million-line case runs once: the machine is shared.
BENCHMARK(BM_TlySave)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TlySave)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TlyOpen)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TlyOpen)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TlyOpenAndRecalculate)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TlyOpenAndRecalculate)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentOpen)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentOpen)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
