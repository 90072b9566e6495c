// Saving and closing as the user asks for it: Save, Save As, Close and leaving the program,
// with the save questions. A save that did not happen stops whatever waited on it.

#include "documents/file_manager.h"
#include "foundation/notifications/notifier.h"
#include "foundation/text_encoding.h"

namespace tally {

namespace {

std::string ChangedQuestion(const std::string& shortName) {
    return "File \"" + FileNameText(shortName) + "\" changed.  \r\nDo you want to save the changes?";
}

std::string ChangedFilesQuestion(const std::vector<std::string>& shortNames) {
    std::string names;
    for (const std::string& name : shortNames) names += (names.empty() ? "\"" : "\", \"") + FileNameText(name);
    return "Files \r\n" + names + "\" changed.  \r\nDo you want to save one or more of the changed files?";
}

}  // namespace

bool TFileManager::NeedsSaveQuestion(const TTlyFile& document) const {
    return document.IsModified() && !(IsUntitled(document) && document.IsEmpty());
}

TMessageBoxAnswer TFileManager::Ask(const std::string& question) {
    if (asker_ == nullptr) return TMessageBoxAnswer::Cancel;
    Notifier().Platform().Beep();
    return asker_->AskYesNoCancel(question);
}

bool TFileManager::SaveVisible() {
    if (IsUntitled(Visible())) return SaveVisibleAs();
    const std::string failure = SaveFile(Visible());
    if (!failure.empty()) ShowSaveRefusal(failure);
    return failure.empty();
}

bool TFileManager::SaveVisibleAs() {
    // Without a save-as dialog (the command-line tool) nobody can give the name.
    if (asker_ == nullptr) {
        ShowSaveRefusal(NotDone(std::string(kNoNameSaveRefusal)));
        return false;
    }
    const TOpenFileInfo shown = VisibleFile();
    const std::optional<std::string> chosen =
        asker_->AskSaveAsFileName(shown.Untitled ? std::string() : shown.ShortName, lastFolder_);
    if (!chosen) return false;
    const std::string failure = SaveFileAs(Visible(), *chosen);
    if (!failure.empty()) ShowSaveRefusal(failure);
    return failure.empty();
}

bool TFileManager::CloseVisible() {
    if (NeedsSaveQuestion(Visible())) {
        switch (Ask(ChangedQuestion(VisibleFile().ShortName))) {
            case TMessageBoxAnswer::Yes:
                if (!SaveVisible()) return false;
                break;
            case TMessageBoxAnswer::No: break;
            default: return false;
        }
    }
    CloseCurrentFile();
    return true;
}

bool TFileManager::AskAndSave(int index) {
    // The document asked about is the one shown, and the one Save As names.
    if (index != visible_) MakeVisible(index);
    switch (Ask(ChangedQuestion(VisibleFile().ShortName))) {
        case TMessageBoxAnswer::Yes: return SaveVisible();
        case TMessageBoxAnswer::No: return true;
        default: return false;
    }
}

bool TFileManager::QueryExit() {
    std::vector<int> changed;
    std::vector<std::string> names;
    for (int i = 0; i < Count(); ++i) {
        if (!NeedsSaveQuestion(*files_[i].Document)) continue;
        changed.push_back(i);
        names.push_back(Info(i).ShortName);
    }
    if (changed.empty()) return true;
    if (changed.size() == 1) return AskAndSave(changed.front());
    switch (Ask(ChangedFilesQuestion(names))) {
        case TMessageBoxAnswer::Yes:
            for (const int index : changed) {
                if (!AskAndSave(index)) return false;
            }
            return true;
        case TMessageBoxAnswer::No: return true;
        default: return false;
    }
}

}  // namespace tally
