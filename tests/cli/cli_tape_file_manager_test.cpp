// tallyroll-cli tape sends the window's file manager commands by their event names: documents
// opened, switched, saved and closed in one session, the answers in order with the beeps, and
// commands or values it cannot send refused before anything runs.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::RunResult;
using tally::test::RunTape;

class CliTapeFileManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
        char folder[] = "/tmp/cli_file_manager_XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(CliTapeFileManagerTest, DocumentsOpenedSwitchedAndClosedInOneSession) {
    // The second document is typed on, the first shown again and closed: the second is left.
    const RunResult closed = RunTape(
        {"--show", "main", "--keys",
         "12+[FileMgr_NewFile]1+[FileMgr_ToggleOpenFiles][FileMgr_GetCurrentFileName][FileMgr_CloseCurrentFile]"
         "[FileMgr_GetListOfOpenFiles]"});
    EXPECT_EQ(closed.status, 0);
    EXPECT_EQ(closed.out, "Entries\t \n+1.00\t \n+\t \n");
    EXPECT_EQ(closed.err,
              "answer: FileMgr_GetCurrentFileName=Untitled(1)\nanswer: FileMgr_GetListOfOpenFiles=Untitled(2)\n");
}

TEST_F(CliTapeFileManagerTest, SavedThroughTheFileManagerAndOpenedAgain) {
    const std::string file = Path("budget.tly");
    const RunResult saved = RunTape(
        {"--show", "main", "--keys",
         "12+5\n[FileMgr_SaveCurrentFileAs=" + file + "][FileMgr_IsCurrentFileModified]"
         "[FileMgr_SaveFileByNameAs=Untitled(9)|" + Path("other.tly") + "]"
         "[FileMgr_NewFile][FileMgr_SaveFileByNameAs=Untitled(2)|" + file + "]"});
    // The refused saves fail the run; the one that went through is there.
    EXPECT_EQ(saved.status, 1);
    EXPECT_EQ(saved.err,
              "answer: FileMgr_IsCurrentFileModified=false\n"
              "answer: FileMgr_SaveFileByNameAs=Save not done. No open file has the name \"Untitled(9)\".\n"
              "answer: FileMgr_SaveFileByNameAs=Save not done. Another open file has the same file name.\n");
    EXPECT_FALSE(std::filesystem::exists(Path("other.tly")));

    const std::string missing = Path("missing.tly");
    const RunResult opened = RunTape(
        {"--show", "main", "--keys", "[FileMgr_OpenFile=" + file + "][FileMgr_OpenFile=" + missing + "]"});
    EXPECT_EQ(opened.status, 0);
    EXPECT_EQ(opened.out, "Entries\t \n+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n\t \n");
    EXPECT_EQ(opened.err, "answer: FileMgr_OpenFile=true\nbeep: File \"" + missing + "\" does not exist.\nmessage: File \"" +
                              missing + "\" does not exist.\nanswer: FileMgr_OpenFile=false\n");
}

// File names keep their letters whichever way they are given: an option, a command's value,
// an answer or a message.
TEST_F(CliTapeFileManagerTest, FileNamesWithLettersBeyondAsciiKeepThem) {
    const std::string saved = Path("Th\xC3\xA9.tly");
    const std::string missing = Path("Caf\xC3\xA9.tly");
    const RunResult result =
        RunTape({"--keys", "1+[FileMgr_SaveCurrentFileAs=" + saved + "][FileMgr_GetCurrentFileName]"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(result.err, "answer: FileMgr_GetCurrentFileName=" + saved + "\n");

    const RunResult reopened = RunTape({"--open", saved, "--keys", "[FileMgr_OpenFile=" + missing + "]"});
    EXPECT_EQ(reopened.status, 0);
    EXPECT_EQ(reopened.out, "Entries\t \n+1.00\t \n+\t \n");
    EXPECT_EQ(reopened.err, "beep: File \"" + missing + "\" does not exist.\nmessage: File \"" + missing +
                                "\" does not exist.\nanswer: FileMgr_OpenFile=false\n");
    const RunResult notOpened = RunTape({"--open", missing, "--keys", ""});
    EXPECT_EQ(notOpened.err, "Cannot open file \"" + missing + "\".  The file does not exist.\n");
}

TEST_F(CliTapeFileManagerTest, TapeCommandsAndTheirAnswers) {
    const RunResult result = RunTape(
        {"--show", "main", "--keys",
         "[FileMgr_SpecifyTapeDecimalPlaces=3]1+2\n[FileMgr_GetCurrentTapeDecimalPlaces]"
         "[FileMgr_PerformConfigureTapeAction=ShowLinks,true]"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Line\tEntries\t \tLinks\n1\t+1.000\t \t\n2\t+2.000\t \t\n3\t==========\t=\t\n4\t3.000\tT\t\n5\t\t \t\n");
    EXPECT_EQ(result.err, "answer: FileMgr_GetCurrentTapeDecimalPlaces=3\n");
}

TEST_F(CliTapeFileManagerTest, CommandsAndValuesItCannotSendAreRefusedFirst) {
    const std::pair<std::string, std::string> cases[] = {
        {"12+[FileMgr_NoSuchCommand]", "action [FileMgr_NoSuchCommand] is not a file manager command the tool can send"},
        {"12+[FileMgr_GetCurrentFileState]", "action [FileMgr_GetCurrentFileState] is not a file manager command"},
        {"12+[FileMgr_SpecifyTapeDecimalPlaces=two]", "action [FileMgr_SpecifyTapeDecimalPlaces=two] needs a whole number"},
        {"12+[FileMgr_SpecifyTapeDecimalPlaces]", "needs a whole number"},
        {"12+[FileMgr_NewFile=x]", "action [FileMgr_NewFile=x] takes no value"},
        {"12+[FileMgr_EnableMemory=yes]", "needs true or false"},
        {"12+[FileMgr_PerformConfigureTapeAction=ShowLinks]", "needs an action, a comma and true or false"},
        {"12+[FileMgr_SaveFileByNameAs=" + Path("x.tly") + "]", "needs two file names separated by |"},
    };
    for (const auto& [keys, refusal] : cases) {
        const RunResult result = RunTape({"--keys", keys});
        EXPECT_EQ(result.status, 2) << keys;
        EXPECT_NE(result.err.find(refusal), std::string::npos) << keys << "\n" << result.err;
        EXPECT_EQ(result.out, "") << keys;
    }
}

}  // namespace
