// Saving a document to its ".tly" file and opening one into a fresh document.

#include "documents/file_document.h"
#include "foundation/text_encoding.h"
#include "table/results_table.h"

namespace tally {

namespace {

// An untitled document's name is its caption, "Untitled(1)" and the like.
constexpr std::string_view kUntitledPrefix = "Untitled";

// "the file does not exist" becomes "The file does not exist."
std::string AsSentence(std::string_view reason) {
    std::string sentence(reason);
    if (sentence.empty()) return sentence;
    char& first = sentence.front();
    if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
    if (sentence.back() != '.') sentence += '.';
    return sentence;
}

// `Cannot <what> "<name>".` and the reason.
std::string FailureMessage(std::string_view what, std::string_view fileName, std::string_view reason) {
    std::string message = "Cannot " + std::string(what) + " \"" + FileNameText(fileName) + "\".";
    if (!reason.empty()) message += "  " + AsSentence(reason);
    return message;
}

}  // namespace

bool TTlyFile::HasFile() const { return !fileName_.starts_with(kUntitledPrefix); }

TTlyFileResult TTlyFile::Save(const IFileCalls& calls) {
    // The untitled caption is no file: writing it would leave "Untitled(1)" in some folder.
    if (!HasFile()) return {false, "the document has no file yet; save it under a name"};
    return SaveAs(fileName_, calls);
}

TTlyFileResult TTlyFile::SaveAs(const std::string& fileName, const IFileCalls& calls) {
    TTlyFileResult saved = SaveTlyFile(*this, fileName, calls);
    if (!saved.Ok) return saved;
    fileName_ = fileName;
    ClearModified();
    return saved;
}

TOpenedTlyFile OpenTlyFile(TTlyFileSetup setup, const std::string& fileName) {
    setup.FileName = fileName;
    return OpenTlyFileInto(std::make_unique<TTlyFile>(std::move(setup)), fileName);
}

TOpenedTlyFile OpenTlyFileInto(std::unique_ptr<TTlyFile> document, const std::string& fileName) {
    TTlyFileResult loaded = LoadTlyFile(*document, fileName);
    if (!loaded.Ok) return {nullptr, std::move(loaded.Reason)};
    // Typing goes on where each tape ends, as on a tape just typed.
    for (TCalculator* tape : document->EnabledTapes()) tape->SetFocusLine(tape->LastLine());
    document->Pages().Refresh();
    return {std::move(document), {}};
}

std::string CannotOpenFileMessage(std::string_view fileName, std::string_view reason) {
    return FailureMessage("open file", fileName, reason);
}

std::string CannotSaveFileMessage(std::string_view fileName, std::string_view reason) {
    return FailureMessage("save file", fileName, reason);
}

std::string CannotExportTableMessage(std::string_view fileName, std::string_view reason) {
    return FailureMessage("export the table to", fileName, reason);
}

std::string CannotWriteInternetDocumentMessage(std::string_view fileName, std::string_view reason) {
    return FailureMessage("write the Internet document", fileName, reason);
}

std::string TableExportRefusal(const TResultsTable* table) {
    if (table == nullptr) return "There is nothing to export.  The document has no table.";
    if (!table->HasData()) return "There is nothing to export.  The table holds no data.";
    return {};
}

}  // namespace tally
