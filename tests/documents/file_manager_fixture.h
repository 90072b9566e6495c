#pragma once
// A file manager as the window holds it: an application bus with the settings on it and a
// queue for posted requests, a scripted asker for the save questions and the save-as dialog,
// file calls that can be made to fail, and a temporary folder for the files.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "documents/file_manager.h"
#include "documents/posted_requests.h"
#include "documents/tly_file.h"
#include "documents/tly_test_files.h"
#include "engine/tape_route_typing.h"
#include "foundation/event_names.h"
#include "settings/appl_control_data.h"
#include "settings/failing_file_calls.h"

namespace tally::test {

class TScriptedAsker final : public IFileManagerAsker {
public:
    TMessageBoxAnswer AskYesNoCancel(const std::string& question) override {
        Questions.push_back(question);
        if (Answers.empty()) return TMessageBoxAnswer::Cancel;
        const TMessageBoxAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    bool AskYesNo(const std::string& question) override { return AskYesNoCancel(question) == TMessageBoxAnswer::Yes; }
    std::optional<std::string> AskSaveAsFileName(const std::string& offeredName, const std::string& startFolder) override {
        OfferedNames.push_back(offeredName);
        StartFolders.push_back(startFolder);
        if (Names.empty()) return std::nullopt;
        std::optional<std::string> name = Names.front();
        Names.pop_front();
        return name;
    }

    std::deque<TMessageBoxAnswer> Answers;
    // Each is the user's choice in one save-as dialog; nothing is Cancel.
    std::deque<std::optional<std::string>> Names;
    std::vector<std::string> Questions;
    std::vector<std::string> OfferedNames;
    std::vector<std::string> StartFolders;
};

// The system's calls until `Failing` is set; then every write fails as on a full disk.
class TSwitchableCalls final : public IFileCalls {
public:
    ssize_t Write(int fd, const char* data, std::size_t size) const override {
        return Failing ? failing_.Write(fd, data, size) : IFileCalls::Write(fd, data, size);
    }
    bool Failing = false;

private:
    FailingCalls failing_{FailingStep::Write};
};

// Runs a test in the folder and goes back (relative file names are resolved there).
class TWorkingFolder {
public:
    explicit TWorkingFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~TWorkingFolder() { std::filesystem::current_path(previous_); }
    TWorkingFolder(const TWorkingFolder&) = delete;
    TWorkingFolder& operator=(const TWorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

class FileManagerTest : public ::testing::Test {
protected:
    FileManagerTest() : notifier_(platform_) {
        ServePostedRequests(appBus_, queue_, events::UI_PostMainFormWindowsMsg);
        appBus_.Add(events::UI_VisibleFileChanged, [this](TMedRecord*, TMedRecord*) { ++visibleFileChanges_; });
    }

    // The file manager, made on first use so a test can set the settings up before.
    TFileManager& Manager(std::string startFile = {}) {
        if (!manager_) {
            TFileManagerSetup setup;
            setup.ApplicationBus = &appBus_;
            setup.Asker = &asker_;
            setup.Settings = &settings_;
            setup.FileCalls = &calls_;
            setup.StartFileName = std::move(startFile);
            manager_ = std::make_unique<TFileManager>(std::move(setup));
        }
        return *manager_;
    }

    // Types into the main tape of the document, running the requests it posts.
    void Type(TTlyFile& document, std::string_view keys) {
        TypeKeys(document.MainTape(), keys, [this, &document] {
            queue_.Drain([&document](const TDeferredRequest& request) { document.RunRequest(request); });
        });
    }
    std::vector<std::string> Entries(TTlyFile& document) const {
        std::vector<std::string> entries;
        const TLineStore& lines = document.MainTape().Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            if (!lines.Entries(line).empty()) entries.emplace_back(lines.Entries(line));
        }
        return entries;
    }
    // A document file in the folder whose main tape holds the typed keys.
    std::string DocumentFile(std::string_view name, std::string_view keys) {
        TStMediator bus;
        TDeferredRequestQueue queue;
        ServePostedRequests(bus, queue);
        TTlyFileSetup setup;
        setup.ParentBus = &bus;
        TTlyFile document(std::move(setup));
        TypeKeys(document.MainTape(), keys, [&] {
            queue.Drain([&document](const TDeferredRequest& request) { document.RunRequest(request); });
        });
        const std::string fileName = folder_.File(name);
        EXPECT_TRUE(SaveTlyFile(document, fileName).Ok);
        return fileName;
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> captions;
        for (const TOpenFileInfo& file : Manager().OpenFiles()) captions.push_back(file.TabCaption);
        return captions;
    }
    std::vector<int> Numbers() {
        std::vector<int> numbers;
        for (const TOpenFileInfo& file : Manager().OpenFiles()) numbers.push_back(file.FileNumber);
        return numbers;
    }
    // What the notification window shows.
    std::string Shown() const {
        return platform_.WindowLines().empty() ? std::string() : platform_.WindowLines().front();
    }
    std::string Canonical(const std::string& fileName) const { return CanonicalFileName(fileName); }

    TBeepRecordingPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator appBus_;
    TDeferredRequestQueue queue_;
    TSettingsStorage storage_{std::nullopt};
    TApplControlData settings_{&appBus_, storage_};
    TScriptedAsker asker_;
    TSwitchableCalls calls_;
    TTempFolder folder_;
    int visibleFileChanges_ = 0;
    std::unique_ptr<TFileManager> manager_;
};

}  // namespace tally::test
