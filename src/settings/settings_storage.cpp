#include "settings/settings_storage.h"

#include "foundation/text_encoding.h"

namespace tally {

namespace {

std::string Capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

}  // namespace

std::string TSaveResult::Message() const {
    std::string message = File.empty() ? "The settings could not be saved.  "
                                       : "The settings could not be saved to " + Utf8ToWindows1252(File.string()) + ".  ";
    message += Capitalized(Reason);
    if (!message.ends_with('.')) message += '.';
    return message;
}

std::optional<std::filesystem::path> TSettingsStorage::FileOf(TSettingsStore store) const {
    if (!paths_) return std::nullopt;
    return store == TSettingsStore::Registry ? paths_->RegistryFile : paths_->SettingsFile;
}

TIniRead TSettingsStorage::Read(TSettingsStore store) const {
    const auto path = FileOf(store);
    if (!path) return {};
    const TFileText text = ReadWholeFile(*path);
    if (!text.Exists || !text.Result) return {};
    return {true, TIniFile::Parse(text.Text)};
}

TSaveResult TSettingsStorage::Update(TSettingsStore store, const std::function<void(TIniFile&)>& change) const {
    const auto path = FileOf(store);
    if (!path) return {false, {}, "there is no settings folder: neither XDG_CONFIG_HOME nor HOME is set"};
    const TFileText text = ReadWholeFile(*path);
    if (!text.Result) return {false, *path, "the file there cannot be read (" + text.Result.Reason + ")"};
    TIniFile file = TIniFile::Parse(text.Text);
    change(file);
    const TFileResult written = WriteFileAtomically(*path, file.Text(), calls_);
    if (!written) return {false, *path, written.Reason};
    return {true, *path, {}};
}

}  // namespace tally
