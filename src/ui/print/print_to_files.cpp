#include "ui/print/print_to_files.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QTemporaryFile>

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "settings/atomic_file.h"
#include "ui/print/preview_page_image.h"
#include "ui/print/qt_printer.h"

namespace tally {

namespace {

// Qt's own notes (such as a missing runtime folder of the offscreen platform) would mix into
// the command-line tool's messages on standard error; only its critical messages go there.
void CriticalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A Qt application without a display, for as long as the files are written; nothing when one
// runs.
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

bool SyncFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite)) return false;
    return ::fsync(file.handle()) == 0;
}

// Draws every page as the zoomed preview shows it and writes it as a PNG file.
class TPngPagesPreview final : public IPrintPreview {
public:
    TPngPagesPreview(IPrinter& printer, QDir folder, TPngPages& result)
        : printer_(printer), folder_(std::move(folder)), result_(result) {}

    void ShowPreview(IPageComposer& composer, TWyn_ReportProperties&) override {
        TPrintPreviewPages pages(composer, printer_, kPngPagesDpi);
        pages.ToggleZoom();
        const TSize size = pages.BitmapSize({});
        QImage image = PreviewPageImage(pages, size, kPngPagesDpi, true);
        if (!pages.Prepared()) {
            result_.Result = TPrintJobResult::Refused;
            return;
        }
        for (;;) {
            if (!WritePage(pages.CurrentPage(), image)) return;
            if (!pages.NextPage()) return;
            image = PreviewPageImage(pages, size, kPngPagesDpi, false);
        }
    }

private:
    bool WritePage(int number, const QImage& image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const QString path = folder_.filePath(QStringLiteral("page-%1.png").arg(number));
        const std::string target = QFile::encodeName(path).toStdString();
        if (!image.save(&buffer, "PNG")) {
            Fail(target, "the image could not be encoded");
            return false;
        }
        if (const TFileResult written = WriteFileAtomically(target, std::string_view(bytes.constData(), bytes.size()));
            !written) {
            Fail(target, written.Reason);
            return false;
        }
        result_.Files.push_back(path.toStdString());
        return true;
    }
    void Fail(const std::string& target, const std::string& reason) {
        result_.Result = TPrintJobResult::Failed;
        result_.Failure = "Cannot write file \"" + target + "\": " + reason;
    }

    IPrinter& printer_;
    QDir folder_;
    TPngPages& result_;
};

}  // namespace

TPrintJobResult PrintToPdf(const TPrintSource& source, const std::string& pdfPathUtf8) {
    const TOffscreenApplication application;
    const QFileInfo target(QString::fromStdString(pdfPathUtf8));
    // The pages go into a new file beside the old one, which is replaced only by a complete PDF.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.%1.XXXXXX").arg(target.fileName()));
    if (!temporary.open()) return TPrintJobResult::Failed;
    temporary.close();
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, temporary.fileName());
    TPrintJobResult result = TPrintJobResult::Failed;
    {
        QtPrinter qtPrinter(printer);
        result = PrintSource(source, qtPrinter);
    }
    if (result != TPrintJobResult::Printed) return result;
    const QFile::Permissions permissions =
        target.exists() ? target.permissions()
                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    temporary.setPermissions(permissions);
    if (!SyncFile(temporary.fileName()) ||
        std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        return TPrintJobResult::Failed;
    }
    temporary.setAutoRemove(false);
    return TPrintJobResult::Printed;
}

TPngPages WritePngPages(const TPrintSource& source, const std::string& folderUtf8) {
    const TOffscreenApplication application;
    TPngPages result;
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, QString());
    QtPrinter qtPrinter(printer);
    TPngPagesPreview preview(qtPrinter, QDir(QString::fromStdString(folderUtf8)), result);
    if (!PreviewSource(source, qtPrinter, preview)) result.Result = TPrintJobResult::Failed;
    return result;
}

}  // namespace tally
