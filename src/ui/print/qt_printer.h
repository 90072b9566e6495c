#pragma once
// The printer interface over a QPrinter: page metrics in device pixels with the printable area
// as the painter's origin, the printer's font metrics, and a painter for the document.

#include <QPainter>

#include <memory>

#include "platform/printer.h"
#include "ui/print/qt_canvas.h"

class QPrinter;

namespace tally {

// Makes the printer a PDF printer on the locale's paper size (Letter where the locale
// measures in inches, A4 elsewhere), writing to the file.
void MakePdfPrinter(QPrinter& printer, const QString& fileName);
// With no printer installed, the printer becomes a PDF printer, so there are always real page
// metrics and printing to a file always works.
void StandInWhenNoPrinter(QPrinter& printer);

class QtPrinter : public IPrinter {
public:
    explicit QtPrinter(QPrinter& printer);
    ~QtPrinter() override;

    TPrinterMetrics Metrics() const override;
    void SetOrientation(TPageOrientation orientation) override;
    const ITextMeasurer& Measurer() const override { return measurer_; }
    ICanvas* BeginDocument() override;
    void NewPage() override;
    void EndDocument() override;

private:
    QPrinter& printer_;
    QtTextMeasurer measurer_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace tally
