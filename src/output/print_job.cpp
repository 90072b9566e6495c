#include "output/print_job.h"

namespace tally {

namespace {

class TDocumentGuard {
public:
    explicit TDocumentGuard(IPrinter& printer) : printer_(printer) {}
    ~TDocumentGuard() { printer_.EndDocument(); }
    TDocumentGuard(const TDocumentGuard&) = delete;
    TDocumentGuard& operator=(const TDocumentGuard&) = delete;

private:
    IPrinter& printer_;
};

}  // namespace

TPrintJobResult PrintJob(IPageComposer& composer, TWyn_ReportProperties& report) {
    IPrinter& printer = report.Printer();
    report.ReadMetrics();
    if (!report.HasPage()) return TPrintJobResult::Failed;
    TTly_PrinterPage page(printer, nullptr, true);
    // Preparing measures only, so a job that cannot print begins no document.
    if (!composer.PreparePages(page)) return TPrintJobResult::Refused;
    ICanvas* canvas = printer.BeginDocument();
    if (!canvas) return TPrintJobResult::Failed;
    TDocumentGuard document(printer);
    page.AttachCanvas(canvas);
    for (int pageNumber = 1;; ++pageNumber) {
        if (!composer.ComposePage(pageNumber, page)) break;
        printer.NewPage();
    }
    return TPrintJobResult::Printed;
}

}  // namespace tally
