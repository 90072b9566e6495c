#include "ui/print/pdf_tape_print.h"

#include <QApplication>
#include <QPrinter>

#include <memory>

#include "output/standalone_tape_print.h"
#include "ui/print/qt_printer.h"

namespace tally {

namespace {

// A Qt application without a display, for as long as the PDF is written.
std::unique_ptr<QApplication> StartOffscreenApplication() {
    if (QCoreApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tallyroll-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

TPrintJobResult PrintTapeToPdf(const TCalculator& tape, const TReportSettings& settings, const std::string& fileName,
                               const std::string& pdfPathUtf8) {
    const auto application = StartOffscreenApplication();
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, QString::fromStdString(pdfPathUtf8));
    QtPrinter qtPrinter(printer);
    return PrintStandaloneTape(tape, qtPrinter, settings, fileName);
}

}  // namespace tally
