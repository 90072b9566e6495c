#include "ui/print/qt_printer.h"

#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace tally {

void MakePdfPrinter(QPrinter& printer, const QString& fileName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    printer.setPageSize(QPageSize(inches ? QPageSize::Letter : QPageSize::A4));
}

void StandInWhenNoPrinter(QPrinter& printer) {
    if (QPrinterInfo::availablePrinters().isEmpty()) MakePdfPrinter(printer, printer.outputFileName());
}

QtPrinter::QtPrinter(QPrinter& printer) : printer_(printer), measurer_(&printer) {
    // The painter's origin is the printable area's corner; the margins are the device's least.
    printer_.setFullPage(false);
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

QtPrinter::~QtPrinter() { EndDocument(); }

TPrinterMetrics QtPrinter::Metrics() const {
    const int resolution = printer_.resolution();
    const QPageLayout layout = printer_.pageLayout();
    const QRect full = layout.fullRectPixels(resolution);
    const QRect paint = layout.paintRectPixels(resolution);
    return {full.width(), full.height(), paint.width(), paint.height(), paint.left() - full.left(),
            paint.top() - full.top(), resolution, resolution};
}

void QtPrinter::SetOrientation(TPageOrientation orientation) {
    printer_.setPageOrientation(orientation == TPageOrientation::Landscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait);
}

ICanvas* QtPrinter::BeginDocument() {
    if (painter_.isActive() || !painter_.begin(&printer_)) return nullptr;
    canvas_ = std::make_unique<QtCanvas>(painter_, printer_);
    return canvas_.get();
}

void QtPrinter::NewPage() {
    if (painter_.isActive()) printer_.newPage();
}

void QtPrinter::EndDocument() {
    if (painter_.isActive()) painter_.end();
    canvas_.reset();
}

}  // namespace tally
