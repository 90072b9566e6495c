// Saving: the sections of a document with only its main tape, and saves that fail or are cut
// short, which must leave the old file as it was.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <random>
#include <set>

#include <fcntl.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "documents/tly_file.h"
#include "documents/tly_test_document.h"
#include "documents/tly_test_files.h"
#include "settings/failing_file_calls.h"
#include "platform/ordinary_user.h"

namespace tally {
namespace {

using test::TTestDocument;

std::vector<std::string> Headers(const std::string& bytes) {
    std::vector<std::string> headers;
    std::size_t start = 0;
    for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
        if (bytes[start] == '[') headers.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return headers;
}

// A document whose main tape holds the given number of entry lines.
void FillLines(TTestDocument& document, int count) {
    TLineStore& lines = document.MainTape().Lines();
    lines.InsertLines(0, count);
    for (LineIndex line = 0; line < count; ++line) lines.SetEntries(line, "+" + std::to_string(line) + ".00");
}

TEST(TlyFileSave, ADocumentWithOnlyItsMainTapeWritesTheSevenSectionsInOrder) {
    test::TTempFolder folder;
    TTestDocument document;
    ASSERT_TRUE(SaveTlyFile(document, folder.File("main.tly")).Ok);
    EXPECT_EQ(Headers(test::ReadBytes(folder.File("main.tly"))),
              (std::vector<std::string>{"[Tallyroll File Version 3]", "[GlobalParameters]", "[TapeParameters]",
                                        "[ReportParameters]", "[AllTablesReportParameters]", "[NoteText]",
                                        "[PrintColumns]", "[TapeData]"}));
}

TEST(TlyFileSave, AFailedSaveReportsItsReasonAndLeavesTheOldFile) {
    test::TTempFolder folder;
    const std::string target = folder.File("kept.tly");
    test::WriteBytes(target, "old contents");
    ::chmod(target.c_str(), 0640);
    TTestDocument document;
    FillLines(document, 2000);
    for (const test::FailingStep step : {test::FailingStep::Write, test::FailingStep::PartialWrite,
                                         test::FailingStep::Fsync, test::FailingStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        const TTlyFileResult result = SaveTlyFile(document, target, test::FailingCalls(step));
        EXPECT_FALSE(result.Ok);
        EXPECT_FALSE(result.Reason.empty());
        EXPECT_EQ(test::ReadBytes(target), "old contents");
    }
    // No temporary file is left behind, and a save that succeeds keeps the file's permissions.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    ASSERT_TRUE(SaveTlyFile(document, target).Ok);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(TlyFileSave, ASaveIntoAReadOnlyFolderFailsAndLeavesTheOldFile) {
    test::TTempFolder folder;
    const std::string target = folder.File("kept.tly");
    TTestDocument document;
    test::WriteBytes(target, "old contents");
    ::chmod(folder.Path().c_str(), 0555);
    const TTlyFileResult refused = [&] {
        const test::TAsOrdinaryUser ordinary;
        return SaveTlyFile(document, target);
    }();
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_FALSE(refused.Ok);
    EXPECT_EQ(refused.Reason, "Permission denied");
    EXPECT_EQ(test::ReadBytes(target), "old contents");
}

// A child saves a large document over an older one and is killed at a random moment: the file
// is always the old or the new one, and both open.
TEST(TlyFileSave, KillingASaveLeavesTheOldOrTheNewFile) {
    test::TTempFolder folder;
    const std::string target = folder.File("killed.tly");
    TTestDocument small;
    FillLines(small, 10);
    ASSERT_TRUE(SaveTlyFile(small, target).Ok);
    const std::string oldBytes = test::ReadBytes(target);
    TTestDocument large;
    FillLines(large, 200'000);
    const std::string newFile = folder.File("new.tly");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(SaveTlyFile(large, newFile).Ok);
    const auto saveMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    const std::string newBytes = test::ReadBytes(newFile);

    // The kills fall anywhere in the time one save takes, and a little after.
    std::mt19937 random(12345);
    std::uniform_int_distribution<long long> delayMicroseconds(0, saveMicroseconds * 5 / 4);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        test::WriteBytes(target, oldBytes);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SaveTlyFile(large, target);
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string bytes = test::ReadBytes(target);
        EXPECT_TRUE(bytes == oldBytes || bytes == newBytes) << bytes.size();
        TTestDocument opened;
        const TTlyFileResult result = LoadTlyFile(opened, target);
        EXPECT_TRUE(result.Ok) << result.Reason;
        EXPECT_EQ(opened.MainTape().Lines().LineCount(), bytes == oldBytes ? 11 : 200'001);
    }
    // The temporary files the killed saves left go with the next save of that file, once they
    // are a little older than a save needs to lock its own.
    const timespec minuteAgo{::time(nullptr) - 60, 0};
    const timespec times[2] = {minuteAgo, minuteAgo};
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), times, 0), 0);
    }
    ASSERT_TRUE(SaveTlyFile(small, target).Ok);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"killed.tly", "new.tly"}));
}

}  // namespace
}  // namespace tally
