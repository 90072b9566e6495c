// The one place open documents meet their files: reading into a fresh document and writing,
// and saving under the present or a new name.

#include <cctype>

#include "documents/file_manager.h"
#include "documents/tly_file.h"
#include "foundation/notifications/notifier.h"

namespace tally {

namespace {

// A reason from the reader or writer as a sentence after the message.
std::string ReasonSentence(std::string reason) {
    if (reason.empty()) return {};
    reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
    if (reason.back() != '.') reason += '.';
    return "  " + reason;
}

}  // namespace

std::unique_ptr<TTlyFile> TFileManager::ReadDocument(const std::string& fileName, int fileNumber, std::string& reason) {
    std::unique_ptr<TTlyFile> document = CreateDocument(CanonicalFileName(fileName), fileNumber);
    const TTlyFileResult read = LoadTlyFile(*document, fileName);
    if (!read.Ok) {
        reason = ReasonSentence(read.Reason);
        return nullptr;
    }
    return document;
}

std::string TFileManager::WriteDocument(TTlyFile& document, const std::string& fileName) {
    const TTlyFileResult written = SaveTlyFile(document, fileName, fileCalls_);
    if (!written.Ok) return "Cannot save file \"" + fileName + "\"." + ReasonSentence(written.Reason);
    document.ClearModified();
    return {};
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
    if (IndexOf(document) < 0 || IsUntitled(document)) return std::string(kUntitledSaveRefusal);
    if (std::string failure = WriteDocument(document, document.FileName()); !failure.empty()) return failure;
    Remember(document.FileName());
    return {};
}

std::string TFileManager::SaveFileAs(TTlyFile& document, const std::string& newFileName) {
    const int index = IndexOf(document);
    if (index < 0 || newFileName.empty()) return std::string(kNoNameSaveRefusal);
    const TTlyFile* holder = FindFile(newFileName);
    if (holder != nullptr && holder != &document) return std::string(kSameNameRefusal);
    const std::string canonical = CanonicalFileName(newFileName);
    if (std::string failure = WriteDocument(document, canonical); !failure.empty()) return failure;
    document.SetFileName(canonical);
    files_[index].Untitled = false;
    Remember(canonical);
    VisibleFileChanged();
    return {};
}

std::string TFileManager::SaveFileByNameAs(const std::string& presentFileName, const std::string& newFileName) {
    TTlyFile* document = FindByName(presentFileName);
    if (document == nullptr) return std::string(kUnknownFileSaveRefusal) + " \"" + presentFileName + "\".";
    return SaveFileAs(*document, newFileName);
}

}  // namespace tally
