#include "settings/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "failing_file_calls.h"
#include "settings_test_folder.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public test::SettingsFolderTest {
protected:
    std::size_t FilesIn(const fs::path& folder) const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
        return count;
    }
};

TEST_F(AtomicFileTest, CreatesTheFolderAndReplacesTheFileWhole) {
    const fs::path target = root_ / "new" / "folder" / "tallyroll.ini";
    ASSERT_TRUE(WriteFileAtomically(target, "first\n"));
    ASSERT_TRUE(WriteFileAtomically(target, "second\n"));
    EXPECT_EQ(ReadText(target), "second\n");
    EXPECT_EQ(FilesIn(target.parent_path()), 1u);  // no temporary file left behind
}

TEST_F(AtomicFileTest, AFailedStepReportsTheReasonAndLeavesTheOldFileIntact) {
    struct Case {
        test::FailingStep step;
        const char* reason;
    };
    const Case cases[] = {
        {test::FailingStep::Write, "No space left on device"},
        {test::FailingStep::PartialWrite, "No space left on device"},
        {test::FailingStep::Fsync, "Input/output error"},
        {test::FailingStep::Rename, "Permission denied"},
    };
    const fs::path target = root_ / "tallyroll" / "tallyroll.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        WriteText(target, "[Old]\nKept=1\n");
        const TFileResult result = WriteFileAtomically(target, std::string(10000, 'n'), test::FailingCalls(c.step));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Reason, c.reason);
        EXPECT_EQ(ReadText(target), "[Old]\nKept=1\n");
        EXPECT_EQ(FilesIn(target.parent_path()), 1u);
    }
}

// Permission bits do not stop root, so a folder that cannot be made stands in for an
// unwritable one: its parent is a file.
TEST_F(AtomicFileTest, AFolderThatCannotBeMadeIsReported) {
    WriteText(root_ / "blocker", "a file where a folder should be");
    const TFileResult result = WriteFileAtomically(root_ / "blocker" / "tallyroll.ini", "x");
    EXPECT_FALSE(result);
    EXPECT_NE(result.Reason.find("the folder cannot be created"), std::string::npos) << result.Reason;
}

TEST_F(AtomicFileTest, ReadingRefusesOversizedFilesAndFolders) {
    const fs::path big = root_ / "big.ini";
    WriteText(big, std::string(kMaxSettingsFileSize + 1, 'x'));
    const TFileText tooBig = ReadWholeFile(big);
    EXPECT_TRUE(tooBig.Exists);
    EXPECT_FALSE(tooBig.Result);
    EXPECT_TRUE(tooBig.Text.empty());

    WriteText(big, std::string(kMaxSettingsFileSize, 'x'));
    EXPECT_TRUE(ReadWholeFile(big).Result);
    EXPECT_FALSE(ReadWholeFile(root_).Result);
    EXPECT_FALSE(ReadWholeFile(root_ / "missing.ini").Exists);
}

}  // namespace
}  // namespace tally
