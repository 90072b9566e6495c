#include "ui/print/print_to_printer.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

#include "documents/file_manager_print_records.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "ui/print/qt_printer.h"

namespace tally {

namespace {

bool IsLandscape(const QPrinter& printer) { return printer.pageLayout().orientation() == QPageLayout::Landscape; }

}  // namespace

void PrintVisibleToPrinter(QWidget* parent, TStMediator& applicationBus) {
    const TPrintSource source = VisiblePrintSource(applicationBus);
    if (source.ReportProps == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    StandInWhenNoPrinter(printer);
    const bool landscape = source.ReportProps->Orientation() == "Landscape";
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    if (IsLandscape(printer) != landscape) {
        TMedInteger orientation;
        orientation.Value = IsLandscape(printer) ? 1 : 0;
        applicationBus.HandleIfExists(events::gstrFileMgr_SetCurrDocPageOrient, &orientation, nullptr);
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TPrintJobResult result = TPrintJobResult::Failed;
    {
        QtPrinter qtPrinter(printer);
        result = PrintSource(source, qtPrinter);
    }
    QGuiApplication::restoreOverrideCursor();
    if (result == TPrintJobResult::Failed) {
        const std::string what = source.IsTable ? "table" : "tape";
        Notifier().MessageBox("Can not print the " + what + ": the printer did not start the document.",
                              CaptionInformation, TMessageBoxButtons::Ok, TMessageBoxIcon::Information);
    }
}

}  // namespace tally
