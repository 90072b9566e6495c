// tallyroll-cli tape --export-table and --html, end to end: the table's text file after the
// keys, a table without data writing none, the tape or the table as an HTML file, and a file
// that cannot be written failing the run with its reason.

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

// Without data, or without a table, there is nothing to export: said, no file, status 1.
TEST_F(CliTapeExportTest, NothingToExportWritesNoFileAndFailsTheRun) {
    const std::string fileName = folder_.File("table.txt");
    const RunResult option =
        RunTape({"--columns", "table,annotations", "--export-table", fileName, "--keys", kTwoAssignedLines});
    EXPECT_EQ(option.status, 1);
    EXPECT_EQ(option.err, "tallyroll-cli tape: There is nothing to export.  The table holds no data.\n");

    const RunResult command = RunTape({"--keys", "1\n[FileMgr_ExportCurrentTableAsTextFile=" + fileName + "]"});
    EXPECT_EQ(command.status, 1);
    EXPECT_EQ(command.err, "beep: There is nothing to export.  The document has no table.\n"
                           "message: There is nothing to export.  The document has no table.\n");
    EXPECT_EQ(command.out, "Entries\t \n+1.00\t \n==========\t=\n1.00\tT\n\t \n");
    EXPECT_FALSE(std::filesystem::exists(fileName));
}

// The text file goes where a symbolic link points, and may have the longest name Linux allows.
TEST_F(CliTapeExportTest, WritesThroughASymbolicLinkAndUnderTheLongestName) {
    namespace fs = std::filesystem;
    fs::create_directory(folder_.Path() / "real");
    const fs::path link = folder_.Path() / "link.txt";
    fs::create_symlink("real/table.txt", link);
    const std::string longName = folder_.File(std::string(251, 't') + ".txt");
    for (const std::string& fileName : {link.string(), longName}) {
        SCOPED_TRACE(fileName.size());
        const RunResult run = RunTape({"--columns", "table,annotations", "--export-table", fileName, "--keys",
                                       std::string(kTwoAssignedLines) + "[Table:CopyToTable]"});
        EXPECT_EQ(run.status, 0) << run.err;
    }
    const std::string expected = "\"Twelve\"\t\"Say \"\"5\"\"\"\r\n12.00\t5.00\r\n";
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(folder_.Path() / "real" / "table.txt").Text, expected);
    EXPECT_EQ(ReadWholeFile(longName).Text, expected);
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

// The shown tape with the new document's page layout: its print columns, the rule row under the
// zero total line, the footer naming the document, the title naming the target escaped.
TEST_F(CliTapeExportTest, HtmlOfTheShownTape) {
    const std::string fileName = folder_.File("a&b.htm");
    const RunResult run = RunTape({"--columns", "line", "--html", fileName, "--keys", "12+5+\n\n"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string cells = "    <td align=\"right\">%1</td>\r\n    <td align=\"right\">%2</td>\r\n"
                              "    <td align=\"center\">%3</td>\r\n";
    const auto row = [&cells](const std::string& line, const std::string& entries, const std::string& indicator) {
        std::string text = "<tr valign=\"top\">\r\n" + cells + "</tr>\r\n";
        text.replace(text.find("%1"), 2, line);
        text.replace(text.find("%2"), 2, entries);
        text.replace(text.find("%3"), 2, indicator);
        return text;
    };
    const std::string rule = "    <td><hr size=\"1\" noshade></td>\r\n";
    EXPECT_EQ(ReadWholeFile(fileName).Text,
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
              "<title>Tallyroll Tape a&amp;b.htm</title>\r\n</head>\r\n<body>\r\n"
              "<table border=\"1\" frame=\"box\" rules=\"cols\" cellspacing=\"0\" cellpadding=\"3\">\r\n"
              "<thead>\r\n<tr>\r\n    <th align=\"right\">Line</th>\r\n    <th align=\"right\">Entries</th>\r\n"
              "    <th align=\"center\">&nbsp;</th>\r\n</tr>\r\n</thead>\r\n<tbody>\r\n" +
                  row("1", "+12.00", "&nbsp;") + row("2", "+5.00", "&nbsp;") + row("3", "==========", "=") +
                  row("4", "17.00", "T") + row("5", "0.00", "Z") + "<tr>\r\n" + rule + rule + rule + "</tr>\r\n" +
                  "</tbody>\r\n</table>\r\n<p><font size=\"-1\">Tape in Untitled(1)</font></p>\r\n"
                  "</body>\r\n</html>\r\n");
}

TEST_F(CliTapeExportTest, HtmlOfTheTable) {
    const std::string fileName = folder_.File("table.htm");
    const RunResult run = RunTape({"--columns", "table,annotations", "--show", "table", "--html", fileName, "--keys",
                                   std::string(kTwoAssignedLines) + "[Table:CopyToTable]"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string html = ReadWholeFile(fileName).Text;
    EXPECT_NE(html.find("<title>Tallyroll Table table.htm</title>\r\n"), std::string::npos) << html;
    EXPECT_NE(html.find("    <th align=\"center\">Say &quot;5&quot;</th>\r\n"), std::string::npos) << html;
    EXPECT_NE(html.find("<tr valign=\"top\">\r\n    <td align=\"right\">12.00</td>\r\n"
                        "    <td align=\"right\">5.00</td>\r\n</tr>\r\n"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<p><font size=\"-1\">Table in Untitled(1)</font></p>"), std::string::npos) << html;
}

// A folder of that name is not replaced: the run fails with the reason; a choice of several
// parts, a missing part or --pdf beside it are refused.
TEST_F(CliTapeExportTest, HtmlThatCannotBeWrittenOrIsAskedWronglyFailsTheRun) {
    const std::string folderName = folder_.File("taken");
    std::filesystem::create_directory(folderName);
    const RunResult run = RunTape({"--html", folderName, "--keys", "1+"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot write the Internet document \"" + folderName + "\".  Is a directory.\n");
    EXPECT_TRUE(std::filesystem::is_directory(folderName));

    const std::string fileName = folder_.File("t.htm");
    EXPECT_EQ(RunTape({"--html", fileName, "--show", "memory", "--keys", "1+"}).status, 1);
    for (const std::string show : {"all", "tape,table"}) {
        EXPECT_EQ(RunTape({"--html", fileName, "--show", show, "--keys", "1+"}).status, 2) << show;
    }
    EXPECT_EQ(RunTape({"--html", fileName, "--pdf", folder_.File("t.pdf"), "--keys", "1+"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(fileName));
}

}  // namespace
}  // namespace tally::test
