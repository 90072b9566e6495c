// The one place open documents meet their files: reading into a fresh document and writing,
// and saving under the present or a new name.

#include "documents/file_manager.h"
#include "table/table_manager.h"
#include "foundation/notifications/notifier.h"
#include "foundation/text_encoding.h"

namespace tally {

std::unique_ptr<TTlyFile> TFileManager::ReadDocument(const std::string& fileName, int fileNumber, std::string& failure) {
    const std::string canonical = CanonicalFileName(fileName);
    TOpenedTlyFile opened = OpenTlyFileInto(CreateDocument(canonical, fileNumber), canonical);
    if (!opened.Document) failure = CannotOpenFileMessage(fileName, opened.Reason);
    return std::move(opened.Document);
}

std::string TFileManager::WriteDocument(TTlyFile& document, const std::string& fileName) {
    const TTlyFileResult written = document.SaveAs(fileName, fileCalls_);
    return written.Ok ? std::string() : NotDone(CannotSaveFileMessage(fileName, written.Reason));
}

std::string TFileManager::NotDone(std::string reason) {
    ++writesNotDone_;
    return reason;
}

bool TFileManager::ReportNothingToExport() {
    std::string refusal = TableExportRefusal(Visible().TableManager().CurrentTable());
    if (refusal.empty()) return false;
    ReportFailure(std::move(refusal));
    return true;
}

void TFileManager::ReportFailure(std::string text) {
    TNotifier& notifier = Notifier();
    notifier.ExplainAndBeep(std::move(text));
    notifier.ShowLastExplanation();
}

void TFileManager::ShowSaveRefusal(const std::string& text) {
    Notifier().MessageBox(text, CaptionNotify, TMessageBoxButtons::Ok, TMessageBoxIcon::Warning);
}

std::string TFileManager::SaveFile(TTlyFile& document) {
    if (IndexOf(document) < 0 || IsUntitled(document)) return NotDone(std::string(kUntitledSaveRefusal));
    if (std::string failure = WriteDocument(document, document.FileName()); !failure.empty()) return failure;
    Remember(document.FileName());
    return {};
}

std::string TFileManager::SaveFileAs(TTlyFile& document, const std::string& newFileName) {
    const int index = IndexOf(document);
    if (index < 0 || newFileName.empty()) return NotDone(std::string(kNoNameSaveRefusal));
    const TTlyFile* holder = FindFile(newFileName);
    if (holder != nullptr && holder != &document) return NotDone(std::string(kSameNameRefusal));
    // Written under the name as given, so a failure names it so; then known by its canonical path.
    if (std::string failure = WriteDocument(document, newFileName); !failure.empty()) return failure;
    const std::string canonical = CanonicalFileName(newFileName);
    document.SetFileName(canonical);
    files_[index].Untitled = false;
    Remember(canonical);
    VisibleFileChanged();
    return {};
}

std::string TFileManager::SaveFileByNameAs(const std::string& presentFileName, const std::string& newFileName) {
    TTlyFile* document = FindByName(presentFileName);
    if (document == nullptr) {
        return NotDone(std::string(kUnknownFileSaveRefusal) + " \"" + FileNameText(presentFileName) + "\".");
    }
    return SaveFileAs(*document, newFileName);
}

}  // namespace tally
