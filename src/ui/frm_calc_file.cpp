// The main window's File menu: new, open, save, save as, close and reopen through the file
// manager, with its questions and dialogs shown by the window, and the caption that names the
// visible file.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>

#include <optional>

#include "documents/file_document.h"
#include "documents/file_manager.h"
#include "documents/file_manager_print_records.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/text_encoding.h"
#include "output/html_document.h"
#include "settings/appl_control_data.h"
#include "ui/frm_calc.h"
#include "ui/frm_print_preview.h"
#include "ui/print/print_to_printer.h"

namespace tally {

namespace {

const QString kTallyrollFilter = QStringLiteral("Tallyroll files (*.tly);;All files (*)");
const QString kTextFilter = QStringLiteral("Text files (*.txt);;All files (*)");
const QString kInternetDocumentFilter = QStringLiteral("Internet documents (*.htm *.html);;All files (*)");

// File names are the system's bytes; the user sees them decoded.
std::string SystemName(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }
QString ShownName(const std::string& fileName) { return QFile::decodeName(QByteArray::fromStdString(fileName)); }
// The file manager's questions as message boxes, and its save-as dialog through the window's
// file name chooser.
class TWindowAsker final : public IFileManagerAsker {
public:
    TWindowAsker(QWidget& window, const std::unique_ptr<IFileNameChooser>& chooser)
        : window_(window), chooser_(chooser) {}

    TMessageBoxAnswer AskYesNoCancel(const std::string& question) override {
        return Notifier().MessageBox(question, CaptionConfirm, TMessageBoxButtons::YesNoCancel,
                                     TMessageBoxIcon::Question);
    }
    std::optional<std::string> AskSaveAsFileName(const std::string& offeredName,
                                                 const std::string& startFolder) override {
        // The dialog offers the document's own name in the last folder; an untitled one offers none.
        QString start = ShownName(startFolder);
        if (!offeredName.empty()) start = start.isEmpty() ? ShownName(offeredName) : start + '/' + ShownName(offeredName);
        const QString chosen = chooser_->SaveFileNameUnconfirmed(&window_, QStringLiteral("Save Tallyroll File As"),
                                                                 start, kTallyrollFilter, QStringLiteral("tly"));
        if (chosen.isEmpty()) return std::nullopt;
        return SystemName(QFileInfo(chosen).absoluteFilePath());
    }
    bool AskYesNo(const std::string& question) override {
        return Notifier().MessageBox(question, CaptionConfirm, TMessageBoxButtons::YesNo, TMessageBoxIcon::Warning) ==
               TMessageBoxAnswer::Yes;
    }

private:
    QWidget& window_;
    const std::unique_ptr<IFileNameChooser>& chooser_;
};

}  // namespace

void TfrmCalc::AddFileMenu() {
    asker_ = std::make_unique<TWindowAsker>(*this, chooser_);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mniFileNew_ = file->addAction(QStringLiteral("&New"), this, [this] { files_->NewFile(); });
    mniFileNew_->setShortcut(QKeySequence::New);
    mniFileOpen_ = file->addAction(QStringLiteral("&Open..."), this, [this] {
        const QString chosen = chooser_->OpenFileName(this, QStringLiteral("Open Tallyroll File"),
                                                      ShownName(files_->LastFolder()), kTallyrollFilter);
        if (!chosen.isEmpty()) OpenFile(chosen);
    });
    mniFileOpen_->setShortcut(QKeySequence::Open);
    mniFileSave_ = file->addAction(QStringLiteral("&Save"), this, [this] { SaveDocument(); });
    mniFileSave_->setShortcut(QKeySequence::Save);
    mniFileSaveAs_ = file->addAction(QStringLiteral("Save &As..."), this, [this] { SaveDocumentAs(); });
    mniFileClose_ = file->addAction(QStringLiteral("&Close"), this, [this] { files_->CloseVisible(); });
    mnuFileReopen_ = file->addMenu(QStringLiteral("&Reopen"));
    // The submenu follows every change of the list; opening the File menu also drops the files
    // that have gone since.
    if (settings_ != nullptr) settings_->SetReopenListObserver([this] { FillReopenMenu(); });
    connect(file, &QMenu::aboutToShow, this, [this] {
        if (settings_ != nullptr) settings_->DropMissingReopenFiles();
    });
    FillReopenMenu();
    file->addSeparator();
    // The visible tape or table, with its document's page layout.
    file->addAction(QStringLiteral("Print Tape To &Printer..."), this, [this] { PrintVisibleToPrinter(this, appBus_); });
    mniFileInternetDocument_ = file->addAction(QStringLiteral("Print To &Internet Document File..."), this,
                                               [this] { PrintToInternetDocument(); });
    mniFilePrintPreview_ =
        file->addAction(QStringLiteral("Print Pre&view..."), this, [this] { PreviewVisibleDocument(this, appBus_); });
    mniFileExportTable_ = file->addAction(QStringLiteral("Export &Table To Text File..."), this, [this] { ExportTable(); });
    file->addSeparator();
    mniFileExit_ = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
}

void TfrmCalc::FillReopenMenu() {
    // Each item's mnemonic is the next of these; the list holds at most 35 names.
    static constexpr std::string_view kMnemonics = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    mnuFileReopen_->clear();
    const std::vector<std::string> none;
    const std::vector<std::string>& names = settings_ != nullptr ? settings_->ReopenList() : none;
    for (std::size_t i = 0; i < names.size() && i < kMnemonics.size(); ++i) {
        const QString shown = ShownName(names[i]);
        // "&&" keeps an ampersand of the name from becoming a mnemonic.
        QString caption = shown;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        mnuFileReopen_->addAction(QStringLiteral("&%1 %2").arg(QLatin1Char(kMnemonics[i])).arg(caption), this,
                                  [this, shown] { OpenFile(shown); });
    }
    mnuFileReopen_->setEnabled(!mnuFileReopen_->isEmpty());
}

QString TfrmCalc::ShownFileName(const std::string& fileName) { return ShownName(fileName); }

bool TfrmCalc::OpenFile(const QString& fileName) {
    return files_->OpenFile(SystemName(QFileInfo(fileName).absoluteFilePath()));
}

void TfrmCalc::ExportTable() {
    // Nothing to export is said before a name is asked for.
    if (files_->ReportNothingToExport()) return;
    const QString chosen = chooser_->SaveFileName(this, QStringLiteral("Tallyroll - Specify Table's Textfile Name"),
                                                  ShownName(files_->LastFolder()), kTextFilter, QStringLiteral("txt"));
    if (chosen.isEmpty()) return;
    // The file manager writes the visible document's table and reports a failure itself.
    TMedString name;
    name.Value = SystemName(QFileInfo(chosen).absoluteFilePath());
    appBus_.Handle(events::FileMgr_ExportCurrentTableAsTextFile, &name, nullptr);
}

void TfrmCalc::PrintToInternetDocument() {
    const QString chosen =
        chooser_->SaveFileName(this, QStringLiteral("Tallyroll - Specify Internet Document Filename"),
                               ShownName(files_->LastFolder()), kInternetDocumentFilter, QStringLiteral("htm"));
    if (chosen.isEmpty()) return;
    const std::string fileName = SystemName(QFileInfo(chosen).absoluteFilePath());
    TMedVisibleDocPrintParams params;
    appBus_.Handle(events::FileMgr_GetVisibleDocPrintParams, nullptr, &params);
    TFileResult written;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A visible table page without a table has nothing to write.
    if (params.VisibleKind == TVisibleKind::Table && params.Table != nullptr) {
        written = WriteTableHtml(fileName, *params.Table, *params.PageLayout, &appBus_);
    } else if (params.VisibleKind != TVisibleKind::Table && params.Tape != nullptr) {
        written = WriteTapeHtml(fileName, *params.Tape, *params.PageLayout, &appBus_);
    }
    QApplication::restoreOverrideCursor();
    if (!written) {
        Notifier().ExplainAndBeep(CannotWriteInternetDocumentMessage(fileName, written.Reason));
        Notifier().ShowLastExplanation();
    }
}

bool TfrmCalc::SaveDocument() { return files_->SaveVisible(); }

bool TfrmCalc::SaveDocumentAs() { return files_->SaveVisibleAs(); }

void TfrmCalc::ShowCaption() { setWindowTitle(ShownName(files_->WindowCaption())); }

}  // namespace tally
