#include "ui/print/print_tape_command.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

#include "foundation/notifications/notifier.h"
#include "output/standalone_tape_print.h"
#include "settings/print_settings.h"
#include "ui/print/qt_printer.h"

namespace tally {

void PrintTapeToPrinter(QWidget* parent, const TCalculator& tape, const std::string& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    StandInWhenNoPrinter(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    TReportSettings settings;
    // The orientation chosen in the dialog is the one printed.
    settings.PageOrientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? "Landscape" : "Portrait";
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QtPrinter qtPrinter(printer);
    const TPrintJobResult result = PrintStandaloneTape(tape, qtPrinter, settings, fileName);
    QGuiApplication::restoreOverrideCursor();
    if (result == TPrintJobResult::Failed) {
        Notifier().MessageBox("Can not print the tape: the printer did not start the document.", CaptionInformation,
                              TMessageBoxButtons::Ok, TMessageBoxIcon::Information);
    }
}

}  // namespace tally
