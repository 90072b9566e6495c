#include "documents/file_manager.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "documents/tly_file.h"
#include "documents/tly_file_format.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/text_encoding.h"
#include "settings/appl_control_data.h"

namespace tally {

namespace ev = events;
namespace fs = std::filesystem;

namespace {

std::string UntitledCaption(int fileNumber) { return "Untitled(" + std::to_string(fileNumber) + ")"; }

std::string QuotedName(const std::string& fileName) { return "File \"" + FileNameText(fileName) + "\""; }

}  // namespace

std::string CanonicalFileName(const std::string& fileName) {
    if (fileName.empty()) return {};
    std::error_code error;
    fs::path path = fs::absolute(fs::path(fileName), error);
    if (error) return fs::path(fileName).lexically_normal().string();
    fs::path canonical = fs::weakly_canonical(path, error);
    return (error ? path.lexically_normal() : canonical).string();
}

std::string ShortFileName(const std::string& fileName) { return fs::path(fileName).filename().string(); }

std::string FileTabCaption(const std::string& shortName) {
    if (shortName.size() <= TFileManager::kTabCaptionLength) return shortName;
    return shortName.substr(0, TFileManager::kTabCaptionLength) + "...";
}

TFileManager::TFileManager(TFileManagerSetup setup)
    : applicationBus_(setup.ApplicationBus),
      factory_(std::move(setup.Factory)),
      asker_(setup.Asker),
      settings_(setup.Settings),
      fileCalls_(setup.FileCalls != nullptr ? *setup.FileCalls : SystemFileCalls()),
      commands_(setup.ApplicationBus) {
    if (settings_ != nullptr) lastFolder_ = settings_->MostRecentFolder();
    RegisterUpwardRelays();
    RegisterCommands();
    RegisterTapeCommands();
    RegisterDocumentFunctions();
    RegisterSnapshots();
    RegisterTableCommands();
    RegisterSeriesState();
    RegisterPrintCommands();
    RegisterViewCommands();
    RegisterEditMenu();

    std::error_code error;
    const bool haveStartFile =
        !setup.StartFileName.empty() && fs::is_regular_file(fs::path(setup.StartFileName), error);
    files_.push_back({CreateDocument(UntitledCaption(1), 1), true});
    visible_ = 0;
    if (!haveStartFile) ApplyStartConfig(*files_.front().Document);
    VisibleFileChanged();
    if (haveStartFile) OpenFile(setup.StartFileName);
}

TFileManager::~TFileManager() {
    // The documents go before the buses they send on.
    files_.clear();
}

// ---- The list

std::unique_ptr<TTlyFile> TFileManager::CreateDocument(std::string fileName, int fileNumber) {
    TTlyFileSetup setup;
    setup.ParentBus = &fileBus_;
    setup.FileName = std::move(fileName);
    setup.FileNumber = fileNumber;
    return factory_ ? factory_(std::move(setup)) : std::make_unique<TTlyFile>(std::move(setup));
}

int TFileManager::NextFileNumber() const {
    int highest = 0;
    for (const TOpenFile& file : files_) highest = std::max(highest, file.Document->FileNumber());
    return highest + 1;
}

int TFileManager::IndexOf(const TTlyFile& document) const {
    for (int i = 0; i < Count(); ++i) {
        if (files_[i].Document.get() == &document) return i;
    }
    return -1;
}

TTlyFile* TFileManager::DocumentByNumber(int fileNumber) const {
    for (const TOpenFile& file : files_) {
        if (file.Document->FileNumber() == fileNumber) return file.Document.get();
    }
    return nullptr;
}

TTlyFile* TFileManager::FindByName(const std::string& fileName) const {
    if (fileName.empty()) return nullptr;
    for (const TOpenFile& file : files_) {
        if (file.Document->FileName() == fileName) return file.Document.get();
    }
    return FindFile(fileName);
}

TTlyFile* TFileManager::FindFile(const std::string& fileName) const {
    const std::string canonical = CanonicalFileName(fileName);
    for (const TOpenFile& file : files_) {
        if (!file.Untitled && file.Document->FileName() == canonical) return file.Document.get();
    }
    return nullptr;
}

bool TFileManager::IsUntitled(const TTlyFile& document) const {
    const int index = IndexOf(document);
    return index < 0 || files_[index].Untitled;
}

TOpenFileInfo TFileManager::Info(int index) const {
    const TOpenFile& file = files_[index];
    TOpenFileInfo info;
    info.FileNumber = file.Document->FileNumber();
    info.FileName = file.Document->FileName();
    info.ShortName = file.Untitled ? info.FileName : ShortFileName(info.FileName);
    info.TabCaption = file.Untitled ? info.FileName : FileTabCaption(info.ShortName);
    info.Untitled = file.Untitled;
    info.Modified = file.Document->IsModified();
    info.Empty = file.Document->IsEmpty();
    info.Visible = index == visible_;
    return info;
}

std::vector<TOpenFileInfo> TFileManager::OpenFiles() const {
    std::vector<TOpenFileInfo> infos;
    for (int i = 0; i < Count(); ++i) infos.push_back(Info(i));
    return infos;
}

TOpenFileInfo TFileManager::VisibleFile() const { return Info(visible_); }

std::string TFileManager::WindowCaption() const { return std::string(kWindowCaptionPrefix) + VisibleFile().ShortName; }

void TFileManager::MakeVisible(int index) {
    visible_ = index;
    VisibleFileChanged();
}

void TFileManager::VisibleFileChanged() {
    if (applicationBus_ != nullptr) applicationBus_->HandleIfExists(ev::UI_VisibleFileChanged, nullptr, nullptr);
}

void TFileManager::Remember(const std::string& fileName) {
    lastFolder_ = fs::path(fileName).parent_path().string();
    if (settings_ != nullptr) settings_->AddToReopenList(fileName);
}

// ---- Operations

TTlyFile& TFileManager::NewFile() {
    const int number = NextFileNumber();
    files_.push_back({CreateDocument(UntitledCaption(number), number), true});
    MakeVisible(Count() - 1);
    return Visible();
}

bool TFileManager::OpenFile(const std::string& fileName) {
    if (fileName.empty()) return false;
    std::string failure;
    if (FindFile(fileName) == nullptr) failure = CheckFileToOpen(fileName);
    if (failure.empty()) failure = OpenFileQuietly(fileName);
    if (failure.empty()) return true;
    ReportFailure(std::move(failure));
    return false;
}

std::string TFileManager::CheckFileToOpen(const std::string& fileName) {
    int version = 0;
    std::error_code error;
    if (!fs::exists(fs::path(fileName), error)) return QuotedName(fileName) + " does not exist.";
    if (!IsFileOfThisProgram(fileName, version)) return QuotedName(fileName) + " is not a Tallyroll file.";
    if (version > tly::kWrittenVersion) {
        return QuotedName(fileName) + " was created by a later version of Tallyroll.  This version of " +
               "Tallyroll cannot open it.  To use this file, download and install the latest version of " +
               "Tallyroll.";
    }
    return {};
}

std::string TFileManager::OpenFileQuietly(const std::string& fileName) {
    if (fileName.empty()) return CannotOpenFileMessage(fileName, {});
    if (const TTlyFile* open = FindFile(fileName); open != nullptr) {
        MakeVisible(IndexOf(*open));
        return {};
    }
    // The only document is replaced when it holds nothing and nothing unsaved.
    const bool replaceOnly = Count() == 1 && files_.front().Untitled && files_.front().Document->IsEmpty() &&
                             !files_.front().Document->IsModified();
    const int number = replaceOnly ? files_.front().Document->FileNumber() : NextFileNumber();
    std::string failure;
    std::unique_ptr<TTlyFile> document = ReadDocument(fileName, number, failure);
    if (!document) return failure;
    if (replaceOnly) {
        files_.front() = {std::move(document), false};
        MakeVisible(0);
    } else {
        files_.push_back({std::move(document), false});
        MakeVisible(Count() - 1);
    }
    Remember(Visible().FileName());
    return {};
}

void TFileManager::CloseCurrentFile() {
    TOpenFile& closing = files_[visible_];
    if (!closing.Untitled) Remember(closing.Document->FileName());
    if (Count() == 1) {
        closing.Document->Reset(UntitledCaption(closing.Document->FileNumber()));
        closing.Untitled = true;
        VisibleFileChanged();
        return;
    }
    const int closed = visible_;
    // The neighbour takes its place: the next one when the first closes, else the previous one.
    const int shown = closed == 0 ? 1 : closed - 1;
    visible_ = shown > closed ? shown - 1 : shown;
    files_.erase(files_.begin() + closed);
    VisibleFileChanged();
}

bool TFileManager::ViewFile(int fileNumber) {
    const TTlyFile* document = DocumentByNumber(fileNumber);
    if (document == nullptr) return false;
    MakeVisible(IndexOf(*document));
    return true;
}

void TFileManager::ToggleOpenFiles(bool forward) {
    if (Count() < 2) return;
    MakeVisible((visible_ + (forward ? 1 : Count() - 1)) % Count());
}

}  // namespace tally
