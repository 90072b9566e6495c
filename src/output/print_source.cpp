#include "output/print_source.h"

namespace tally {

namespace {

bool IsComplete(const TPrintSource& source) {
    return source.Layout != nullptr && source.ReportProps != nullptr && (source.IsTable || source.Tape != nullptr);
}

// The document's report settings on the printer that prints.
TWyn_ReportProperties OnPrinter(const TWyn_ReportProperties& document, IPrinter& printer) {
    TWyn_ReportProperties report(printer);
    report.Assign(document.Settings());
    report.Font = document.Font;
    return report;
}

}  // namespace

TPrintJobResult PrintSource(const TPrintSource& source, IPrinter& printer) {
    if (!IsComplete(source)) return TPrintJobResult::Failed;
    TWyn_ReportProperties report = OnPrinter(*source.ReportProps, printer);
    if (source.IsTable) return PrintTable(source.Table, *source.Layout, report, source.FileNameBus);
    return PrintTape(*source.Tape, *source.Layout, report, source.Prefixes, source.FileNameBus);
}

bool PreviewSource(const TPrintSource& source, IPrinter& printer, IPrintPreview& preview) {
    if (!IsComplete(source)) return false;
    TWyn_ReportProperties report = OnPrinter(*source.ReportProps, printer);
    if (source.IsTable) {
        PreviewTable(source.Table, *source.Layout, report, source.FileNameBus, preview);
    } else {
        PreviewTape(*source.Tape, *source.Layout, report, source.Prefixes, source.FileNameBus, preview);
    }
    return true;
}

}  // namespace tally
