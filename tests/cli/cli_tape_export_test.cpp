// tallyroll-cli tape --export-table, end to end: the table's text file after the keys, a table
// without data writing none, and a file that cannot be written failing the run with its reason.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/tape_run.h"
#include "documents/tly_test_files.h"
#include "settings/atomic_file.h"

namespace tally::test {
namespace {

// Two entries assigned to table columns 1 and 2, headed by their annotations.
constexpr const char* kTwoAssignedLines = "12+5+{Up}{Up}{Tab}1{Tab}Twelve{Tab}{Tab}2{Tab}Say \"5\"{Tab}";

class CliTapeExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
    TTempFolder folder_;
};

TEST_F(CliTapeExportTest, WritesTheTableAfterTheKeys) {
    const std::string fileName = folder_.File("table.txt");
    const RunResult run =
        RunTape({"--columns", "line,table,annotations", "--export-table", fileName, "--show", "table", "--keys",
                 std::string(kTwoAssignedLines) + "[Table:CopyToTable][Table:ShowLineNums=on]"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadWholeFile(fileName).Text, "\"Line\"\t\"Twelve\"\t\"Say \"\"5\"\"\"\r\n1\t12.00\t5.00\r\n");
    // The file holds what --show table prints, with CR LF line ends.
    EXPECT_EQ(run.out, "\"Line\"\t\"Twelve\"\t\"Say \"\"5\"\"\"\n1\t12.00\t5.00\n");
}

TEST_F(CliTapeExportTest, TableWithoutDataWritesNoFile) {
    const std::string fileName = folder_.File("table.txt");
    const RunResult run =
        RunTape({"--columns", "table,annotations", "--export-table", fileName, "--keys", kTwoAssignedLines});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(std::filesystem::exists(fileName));
}

// A folder of that name cannot be replaced by the file: the run fails with the reason and
// prints nothing.
TEST_F(CliTapeExportTest, FileThatCannotBeWrittenFailsTheRun) {
    const std::string folderName = folder_.File("taken");
    std::filesystem::create_directory(folderName);
    const RunResult run = RunTape({"--columns", "table,annotations", "--export-table", folderName, "--keys",
                                   std::string(kTwoAssignedLines) + "[Table:CopyToTable]"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot export the table to \"" + folderName + "\".  Is a directory.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(std::filesystem::is_directory(folderName));

    EXPECT_EQ(RunTape({"--export-table"}).status, 2);
}

}  // namespace
}  // namespace tally::test
