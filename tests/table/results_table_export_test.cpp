// The results table written to a text file: the file's bytes, a table without data, and writes
// that fail.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "documents/tly_test_files.h"
#include "foundation/notifications/notifier.h"
#include "platform/headless_notification_platform.h"
#include "settings/failing_file_calls.h"
#include "table/results_table.h"

namespace tally {
namespace {

class ResultsTableExportTest : public ::testing::Test {
protected:
    ResultsTableExportTest() : notifier_(platform_) {}

    // A data column headed "C1" at column 1.
    void AddColumn() { table_.AddDataColumn("id1", 1, "C1"); }
    std::string Contents(const std::string& fileName) const { return ReadWholeFile(fileName).Text; }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TResultsTable table_;
    test::TTempFolder folder_;
};

// Every row becomes a line ending in CR LF: headings quoted on one line, plain numbers bare,
// every other cell quoted with its quotes doubled, line numbers first and the total rows last;
// the Windows-1252 texts reach the file as UTF-8.
TEST_F(ResultsTableExportTest, WritesEveryRowAsTabSeparatedFields) {
    AddColumn();
    table_.AddDataColumn("id2", 2, "C2");
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    table_.SetHeading(2, "  Net;Amount ");
    table_.SetCurrentCell(2, 1);
    table_.SetCurrentColumnTotalShown(true);
    ASSERT_TRUE(table_.PutValue(2, 1, "1,000"));
    ASSERT_TRUE(table_.PutValue(2, 2, "-2.5"));
    ASSERT_TRUE(table_.PutValue(3, 1, "1 1/2"));
    ASSERT_TRUE(table_.SetAnnotation(1, "say \"hi\" \xF7 2"));

    const std::string fileName = folder_.File("table.txt");
    ASSERT_TRUE(table_.ExportAsTextFile(fileName).Ok);
    EXPECT_EQ(Contents(fileName),
              "\"Line\"\t\"Net Amount\"\t\"C2\"\t\"Annotations\"\r\n"
              "1\t\"1,000\"\t\"1 1/2\"\t\"say \"\"hi\"\" \xC3\xB7 2\"\r\n"
              "2\t-2.5\t\"\"\t\"\"\r\n"
              "3\t\"==========\"\t\"\"\t\"\"\r\n"
              "4\t997.5\t\"\"\t\"\"\r\n");
}

// A table without data, never filled or emptied, writes nothing: no file appears and a file of
// that name keeps its text.
TEST_F(ResultsTableExportTest, TableWithoutDataWritesNothing) {
    const std::string fresh = folder_.File("fresh.txt");
    EXPECT_TRUE(table_.ExportAsTextFile(fresh).Ok);
    EXPECT_FALSE(std::filesystem::exists(fresh));

    AddColumn();
    table_.SetLineNumbersShown(true);
    ASSERT_TRUE(table_.PutValue(1, 1, "5"));
    table_.EmptyTable();
    const std::string existing = folder_.File("existing.txt");
    ASSERT_TRUE(WriteFileAtomically(existing, "old"));
    EXPECT_TRUE(table_.ExportAsTextFile(existing).Ok);
    EXPECT_EQ(Contents(existing), "old");
}

// A file that cannot be written answers why, and a file it was to replace keeps its text.
TEST_F(ResultsTableExportTest, FailedWriteAnswersTheReasonAndKeepsTheOldFile) {
    AddColumn();
    ASSERT_TRUE(table_.PutValue(1, 1, "5"));
    const std::string existing = folder_.File("existing.txt");
    ASSERT_TRUE(WriteFileAtomically(existing, "old"));
    using test::FailingStep;
    for (const FailingStep step :
         {FailingStep::Write, FailingStep::PartialWrite, FailingStep::Fsync, FailingStep::Rename}) {
        const TFileResult result = table_.ExportAsTextFile(existing, test::FailingCalls(step));
        EXPECT_FALSE(result.Ok);
        EXPECT_FALSE(result.Reason.empty());
        EXPECT_EQ(Contents(existing), "old");
    }
    // A folder of that name is not replaced by a file.
    const TFileResult onFolder = table_.ExportAsTextFile(folder_.Path().string());
    EXPECT_FALSE(onFolder.Ok);
    EXPECT_FALSE(onFolder.Reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path()));

    ASSERT_TRUE(table_.ExportAsTextFile(existing).Ok);
    EXPECT_EQ(Contents(existing), "\"C1\"\r\n5\r\n");
}

}  // namespace
}  // namespace tally
