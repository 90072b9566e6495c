// Printing a tape into a PDF with Qt's PDF printer at 1200 dots per inch, default page layout:
// page composition, text measuring on the printer and the PDF writing, end to end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_tapes.h"
#include "engine/tape/calculator.h"
#include "settings/print_settings.h"
#include "ui/print/pdf_tape_print.h"

namespace tally {
namespace {

void BM_PrintTapeToPdf(benchmark::State& state) {
    TCalculator tape;
    tape.SetColumnShown(TTapeColumn::Line, true);
    tape.SetColumnShown(TTapeColumn::Annotations, true);
    bench::FillClosedSeries(tape.Lines(), static_cast<int>(state.range(0)));
    // Every tenth line has an annotation.
    for (LineIndex line = 0; line < tape.LastLine(); line += 10) {
        tape.Lines().SetCell(line, TLineColumn::Annotations, "Invoice " + std::to_string(line));
    }
    const std::string pdf = "/tmp/tallyroll_bench_tape.pdf";
    for (auto _ : state) {
        if (PrintTapeToPdf(tape, TReportSettings{}, "Untitled(1)", pdf) != TPrintJobResult::Printed) {
            state.SkipWithError("the PDF was not written");
        }
    }
    std::remove(pdf.c_str());
}
BENCHMARK(BM_PrintTapeToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tally
