// Printing with Qt: the PDF printer's metrics, the canvas's highlighted text and a tape
// printed into a PDF file.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "platform/headless_notification_platform.h"
#include "platform/headless_printer.h"
#include "settings/print_settings.h"
#include "settings/tape_page_layout.h"
#include "ui/print/print_to_files.h"
#include "ui/print/qt_canvas.h"
#include "ui/print/qt_printer.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

// A main tape of three lines with its page layout and its document's report properties.
struct TPrintedTape {
    TPrintedTape() {
        bus.Add(events::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedObjectReference>(out)->ObjRef = &tape;
        });
        report.Assign(TReportSettings{});
        TLineStore& lines = tape.Lines();
        lines.InsertLines(0, 3);
        lines.SetEntries(0, "+12.00");
        lines.SetEntries(1, "+5.00");
        lines.SetEntries(2, "17.00");
        lines.SetIndicator(2, "T");
    }
    TPrintSource Source() { return {false, &tape, nullptr, &layout, &report, {}, nullptr}; }

    TStMediator bus;
    TCalculator tape{'t', &bus};
    TTapePageLayout layout{&bus};
    HeadlessPrinter documentPrinter;
    TWyn_ReportProperties report{documentPrinter};
};

QByteArray FileBytes(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

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
        TPrintedTape printed;
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("tape.pdf"));
        QCOMPARE(PrintToPdf(printed.Source(), pdf.toStdString()), TPrintJobResult::Printed);
        QCOMPARE(FileBytes(pdf).left(4), QByteArray("%PDF"));
        const QString missing = folder.filePath(QStringLiteral("missing/tape.pdf"));
        QCOMPARE(PrintToPdf(printed.Source(), missing.toStdString()), TPrintJobResult::Failed);
    }

    // The PDF printer writes into a file of its own beside the old one, which only a complete
    // job replaces: the old file's bytes are never written over (a second name of it keeps
    // them), and a job that is refused leaves it as it was, with no other file.
    void aNewPdfReplacesTheOldFileOnlyWhenComplete() {
        TPrintedTape printed;
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("tape.pdf"));
        const QString secondName = folder.filePath(QStringLiteral("old.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file");
        old.close();
        QVERIFY(::link(QFile::encodeName(pdf).constData(), QFile::encodeName(secondName).constData()) == 0);
        QCOMPARE(PrintToPdf(printed.Source(), pdf.toStdString()), TPrintJobResult::Printed);
        QCOMPARE(FileBytes(pdf).left(4), QByteArray("%PDF"));
        QCOMPARE(FileBytes(secondName), QByteArray("the old file"));
    }

    void aRefusedJobKeepsTheOldPdfAndLeavesNoOtherFile() {
        HeadlessNotificationPlatform platform;
        TInstalledNotifier notifier(platform);
        TPrintedTape printed;
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("tape.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file");
        old.close();
        TReportSettings narrow;
        narrow.LeftMargin = 4.5L;
        narrow.RightMargin = 4.5L;
        printed.report.Assign(narrow);
        QCOMPARE(PrintToPdf(printed.Source(), pdf.toStdString()), TPrintJobResult::Refused);
        QCOMPARE(FileBytes(pdf), QByteArray("the old file"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tape.pdf")});
        QCOMPARE(platform.MessageBoxes().size(), std::size_t{1});
    }
};

TALLY_REGISTER_UI_TEST(TestPrint);

}  // namespace tally

#include "print_test.moc"
