// Printing with Qt: the PDF printer's metrics, the canvas's highlighted text and a tape
// printed into a PDF file.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "engine/tape/calculator.h"
#include "settings/print_settings.h"
#include "ui/print/pdf_tape_print.h"
#include "ui/print/qt_canvas.h"
#include "ui/print/qt_printer.h"
#include "ui_test_registry.h"

namespace tally {

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void pdfPrinterHasRealMetricsInBothOrientations() {
        QPrinter printer(QPrinter::HighResolution);
        MakePdfPrinter(printer, QStringLiteral("unused.pdf"));
        QtPrinter qtPrinter(printer);
        const TPrinterMetrics portrait = qtPrinter.Metrics();
        QVERIFY(portrait.DpiX > 0 && portrait.DpiY > 0);
        QVERIFY(portrait.PhysicalHeight > portrait.PhysicalWidth);
        QCOMPARE(portrait.PrintableWidth + portrait.OffsetX, portrait.PhysicalWidth);
        QVERIFY(qtPrinter.Measurer().TextWidth({"Arial", 10}, "MMMM") > 0);
        qtPrinter.SetOrientation(TPageOrientation::Landscape);
        const TPrinterMetrics landscape = qtPrinter.Metrics();
        QCOMPARE(landscape.PhysicalWidth, portrait.PhysicalHeight);
        QCOMPARE(landscape.PhysicalHeight, portrait.PhysicalWidth);
    }

    void highlightedTextGetsItsBackground() {
        const auto greenPixels = [](std::uint32_t brush) {
            QImage image(200, 40, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QtCanvas canvas(painter, image);
            canvas.SetFont({"Arial", 10});
            canvas.SetBrushColor(brush);
            canvas.DrawText({0, 0, 200, 40}, "+1,234.50", TTextAlign::Right);
            painter.end();
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == qRgb(0, 255, 0) ? 1 : 0;
            }
            return count;
        };
        QVERIFY(greenPixels(0x00FF00) > 100);
        QCOMPARE(greenPixels(kWhite), 0);
    }

    void tapePrintsIntoAPdfFileAndAMissingFolderFails() {
        TCalculator tape;
        TLineStore& lines = tape.Lines();
        lines.InsertLines(0, 3);
        lines.SetEntries(0, "+12.00");
        lines.SetEntries(1, "+5.00");
        lines.SetEntries(2, "17.00");
        lines.SetIndicator(2, "T");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("tape.pdf"));
        QCOMPARE(PrintTapeToPdf(tape, TReportSettings{}, "Untitled(1)", pdf.toStdString()), TPrintJobResult::Printed);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), QByteArray("%PDF"));
        const QString missing = folder.filePath(QStringLiteral("missing/tape.pdf"));
        QCOMPARE(PrintTapeToPdf(tape, TReportSettings{}, "Untitled(1)", missing.toStdString()), TPrintJobResult::Failed);
    }
};

TALLY_REGISTER_UI_TEST(TestPrint);

}  // namespace tally

#include "print_test.moc"
