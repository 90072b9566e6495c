// Printing a tape into a PDF with Qt's PDF printer at 1200 dots per inch, default page layout:
// page composition, text measuring on the printer and the PDF writing, end to end; and paging
// through the print preview of a long tape, each page composed and drawn on its bitmap as the
// preview window does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "bench_tapes.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "output/print_source.h"
#include "platform/headless_printer.h"
#include "settings/print_settings.h"
#include "settings/tape_page_layout.h"
#include "ui/print/preview_page_image.h"
#include "ui/print/print_to_files.h"
#include "ui/print/qt_printer.h"

namespace tally {
namespace {

// The main tape of a document with the Line, Entries, indicator and Annotations columns,
// every tenth line annotated, and the document's default page layout.
class TBenchDocument {
public:
    explicit TBenchDocument(int lines) {
        bus_.Add(events::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedObjectReference>(out)->ObjRef = &tape_;
        });
        fileNames_.Add(events::FileMgr_GetVisibleFileName, [](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedString>(out)->Value = "Untitled(1)";
        });
        report_.Assign(TReportSettings{});
        tape_.SetColumnShown(TTapeColumn::Line, true);
        tape_.SetColumnShown(TTapeColumn::Annotations, true);
        bench::FillClosedSeries(tape_.Lines(), lines);
        for (LineIndex line = 0; line < tape_.LastLine(); line += 10) {
            tape_.Lines().SetCell(line, TLineColumn::Annotations, "Invoice " + std::to_string(line));
        }
    }
    TPrintSource Source() { return {false, &tape_, nullptr, &layout_, &report_, {}, &fileNames_}; }
    // One column group a page: about 50 lines a page.
    void PrintOneGroup() { layout_.SetTapeColumnGroups(false, 1); }

private:
    TStMediator bus_;
    TStMediator fileNames_;
    TCalculator tape_{'t', &bus_};
    TTapePageLayout layout_{&bus_};
    HeadlessPrinter documentPrinter_;
    TWyn_ReportProperties report_{documentPrinter_};
};

void BM_PrintTapeToPdf(benchmark::State& state) {
    TBenchDocument document(static_cast<int>(state.range(0)));
    const std::string pdf = "/tmp/tallyroll_bench_tape.pdf";
    for (auto _ : state) {
        if (PrintToPdf(document.Source(), pdf) != TPrintJobResult::Printed) state.SkipWithError("the PDF was not written");
    }
    std::remove(pdf.c_str());
}
BENCHMARK(BM_PrintTapeToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrintTapeToPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A Qt application on the offscreen platform for the preview benchmarks.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "tallyroll_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *application;
}

// The zoomed preview of a 100,000-line tape (one column group a page, about 2,000 pages) at
// 96 dots per inch on the PDF printer's pages, opened (prepared, page 1 shown) before the
// timing.
class TBenchPreview : public IPrintPreview {
public:
    void ShowPreview(IPageComposer& composer, TWyn_ReportProperties&) override { run_(composer); }
    void Run(const std::function<void(TPrintPreviewPages&, TSize)>& body) {
        Application();
        TBenchDocument document(100000);
        document.PrintOneGroup();
        QPrinter printer(QPrinter::HighResolution);
        MakePdfPrinter(printer, QString());
        QtPrinter qtPrinter(printer);
        run_ = [&](IPageComposer& composer) {
            TPrintPreviewPages pages(composer, qtPrinter, kPngPagesDpi);
            pages.ToggleZoom();
            const TSize size = pages.BitmapSize({});
            PreviewPageImage(pages, size, kPngPagesDpi, true);
            body(pages, size);
        };
        PreviewSource(document.Source(), qtPrinter, *this);
    }

private:
    std::function<void(IPageComposer&)> run_;
};

// Opening the preview: the composer prepared (every cell of the printed columns measured on
// the printer) and page 1 shown.
void BM_PreviewOpen(benchmark::State& state) {
    TBenchPreview preview;
    preview.Run([&state](TPrintPreviewPages& pages, TSize size) {
        for (auto _ : state) benchmark::DoNotOptimize(PreviewPageImage(pages, size, kPngPagesDpi, true));
    });
}
BENCHMARK(BM_PreviewOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// Next Page from page 1 on: every page composed the first time, from the record of its start
// that the page before left.
void BM_PreviewNextPage(benchmark::State& state) {
    TBenchPreview preview;
    preview.Run([&state](TPrintPreviewPages& pages, TSize size) {
        for (auto _ : state) {
            if (!pages.NextPage()) {
                state.SkipWithError("the tape has no more pages");
                break;
            }
            benchmark::DoNotOptimize(PreviewPageImage(pages, size, kPngPagesDpi, false));
        }
        state.counters["last page"] = pages.CurrentPage();
    });
}
BENCHMARK(BM_PreviewNextPage)->Unit(benchmark::kMillisecond)->Iterations(200);

// Page 2 and page 2,000 shown again once the preview has paged past them.
void BM_PreviewPageShownAgain(benchmark::State& state) {
    TBenchPreview preview;
    const int target = static_cast<int>(state.range(0));
    preview.Run([&state, target](TPrintPreviewPages& pages, TSize size) {
        while (pages.CurrentPage() < 2000 && pages.NextPage()) {
            PreviewPageImage(pages, size, kPngPagesDpi, false);
        }
        while (pages.CurrentPage() > target && pages.PrevPage()) {
        }
        for (auto _ : state) benchmark::DoNotOptimize(PreviewPageImage(pages, size, kPngPagesDpi, false));
        state.counters["page"] = pages.CurrentPage();
    });
}
BENCHMARK(BM_PreviewPageShownAgain)->Arg(2)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace tally
