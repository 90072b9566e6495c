#include "ui/print/pdf_tape_print.h"

#include <QApplication>
#include <QPrinter>

#include <cstdio>
#include <memory>

#include "output/standalone_tape_print.h"
#include "ui/print/qt_printer.h"

namespace tally {

namespace {

// Qt's own notes (such as a missing runtime folder of the offscreen platform) would mix into
// the command-line tool's messages on standard error; only its critical messages go there.
void CriticalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A Qt application without a display, for as long as the PDF is written; nothing when one runs.
class TOffscreenApplication {
public:
    TOffscreenApplication() {
        if (QCoreApplication::instance()) return;
        previousHandler_ = qInstallMessageHandler(CriticalOnly);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    ~TOffscreenApplication() {
        if (!application_) return;
        application_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    TOffscreenApplication(const TOffscreenApplication&) = delete;
    TOffscreenApplication& operator=(const TOffscreenApplication&) = delete;

private:
    static inline int argc_ = 1;
    static inline char name_[] = "tallyroll-cli";
    static inline char* argv_[] = {name_, nullptr};
    QtMessageHandler previousHandler_ = nullptr;
    std::unique_ptr<QApplication> application_;
};

}  // namespace

TPrintJobResult PrintTapeToPdf(const TCalculator& tape, const TReportSettings& settings, const std::string& fileName,
                               const std::string& pdfPathUtf8) {
    const TOffscreenApplication application;
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, QString::fromStdString(pdfPathUtf8));
    QtPrinter qtPrinter(printer);
    return PrintStandaloneTape(tape, qtPrinter, settings, fileName);
}

}  // namespace tally
