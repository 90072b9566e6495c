// The main window's File menu: opening a document from its file, saving it, and the caption
// that names the file.

#include <QFile>
#include <QFileInfo>
#include <QMenuBar>

#include <filesystem>

#include "documents/file_document.h"
#include "foundation/notifications/notifier.h"
#include "ui/frm_calc.h"
#include "ui/print/print_tape_command.h"
#include "ui/qt_text.h"

namespace tally {

namespace {

const QString kTallyrollFilter = QStringLiteral("Tallyroll files (*.tly);;All files (*)");

// File names are the system's bytes; the user sees them decoded.
std::string SystemName(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }
QString ShownName(const std::string& fileName) { return QFile::decodeName(QByteArray::fromStdString(fileName)); }
// A file name in a message: as the program's texts are, or as the system's bytes when it has
// characters they cannot hold.
std::string MessageName(const QString& fileName) {
    bool ok = false;
    std::string text = FromQString(fileName, &ok);
    return ok ? text : SystemName(fileName);
}

std::string WithoutFolder(const std::string& fileName) {
    return std::filesystem::path(fileName).filename().string();
}

void ShowFailure(const std::string& message) {
    Notifier().MessageBox(message, CaptionNotify, TMessageBoxButtons::Ok, TMessageBoxIcon::Warning);
}

}  // namespace

void TfrmCalc::AddFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mniFileOpen_ = file->addAction(QStringLiteral("&Open..."), this, [this] {
        const QString chosen = chooser_->OpenFileName(this, QStringLiteral("Open Tallyroll File"), lastFolder_,
                                                      kTallyrollFilter);
        if (!chosen.isEmpty()) OpenFile(chosen);
    });
    mniFileOpen_->setShortcut(QKeySequence::Open);
    mniFileSave_ = file->addAction(QStringLiteral("&Save"), this, [this] { SaveDocument(); });
    mniFileSave_->setShortcut(QKeySequence::Save);
    mniFileSaveAs_ = file->addAction(QStringLiteral("Save &As..."), this, [this] { SaveDocumentAs(); });
    file->addSeparator();
    file->addAction(QStringLiteral("Print Tape To &Printer..."), this,
                    [this] { PrintTapeToPrinter(this, Tape(), document_->FileName()); });
    file->addSeparator();
    mniFileExit_ = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
}

bool TfrmCalc::OpenFile(const QString& fileName) {
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    const std::string name = SystemName(absolute);
    TOpenedTlyFile opened = OpenTlyFile(DocumentSetup(name), name);
    if (!opened.Document) {
        ShowFailure(CannotOpenFileMessage(MessageName(absolute), opened.Reason));
        return false;
    }
    lastFolder_ = QFileInfo(absolute).absolutePath();
    if (!MayLetGoOfDocument()) return false;
    SetDocument(std::move(opened.Document));
    return true;
}

bool TfrmCalc::SaveDocument() {
    if (!document_->HasFile()) return SaveDocumentAs();
    const TTlyFileResult saved = document_->Save();
    if (!saved.Ok) {
        ShowFailure(CannotSaveFileMessage(MessageName(ShownName(document_->FileName())), saved.Reason));
        return false;
    }
    return true;
}

bool TfrmCalc::SaveDocumentAs() {
    // The dialog offers the document's own name; an untitled one offers none.
    QString start = lastFolder_;
    if (document_->HasFile()) start = ShownName(document_->FileName());
    const QString chosen = chooser_->SaveFileName(this, QStringLiteral("Save Tallyroll File As"), start,
                                                  kTallyrollFilter, QStringLiteral("tly"));
    if (chosen.isEmpty()) return false;
    const QString absolute = QFileInfo(chosen).absoluteFilePath();
    const TTlyFileResult saved = document_->SaveAs(SystemName(absolute));
    if (!saved.Ok) {
        ShowFailure(CannotSaveFileMessage(MessageName(absolute), saved.Reason));
        return false;
    }
    lastFolder_ = QFileInfo(absolute).absolutePath();
    ShowCaption();
    return true;
}

void TfrmCalc::ShowCaption() {
    setWindowTitle(QStringLiteral("Tallyroll - ") + ShownName(WithoutFolder(document_->FileName())));
}

bool TfrmCalc::MayLetGoOfDocument() {
    // An untitled document nobody typed into goes without a question.
    if (!document_->IsModified() || (!document_->HasFile() && document_->IsEmpty())) return true;
    Notifier().Platform().Beep();
    const std::string question = "File \"" + MessageName(ShownName(WithoutFolder(document_->FileName()))) +
                                 "\" changed.  \r\nDo you want to save the changes?";
    switch (Notifier().MessageBox(question, CaptionConfirm, TMessageBoxButtons::YesNoCancel,
                                  TMessageBoxIcon::Question)) {
        case TMessageBoxAnswer::Yes: return SaveDocument();
        case TMessageBoxAnswer::No: return true;
        default: return false;
    }
}

}  // namespace tally
