// tallyroll-cli tape with the results table, end to end: lines assigned to table columns
// through their Table Columns cells, table commands by name, and the table printed as the
// table text export writes it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/tape_run.h"

namespace tally::test {
namespace {

class CliTapeTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
};

// Two entries, each assigned by typing into its Table Columns cell, with an annotation that
// becomes the column heading; the cursor ends on the open last line.
constexpr const char* kTwoAssignedLines = "12+5+{Up}{Up}{Tab}1{Tab}Twelve{Tab}{Tab}2{Tab}Five{Tab}";

TEST_F(CliTapeTableTest, AssignedLinesAreCopiedToTheTable) {
    struct Case {
        std::string name;
        std::string keys;
        std::string show;
        std::string out;
    };
    const Case cases[] = {
        {"the tape shows the assignments", kTwoAssignedLines, "tape",
         "Line\tEntries\t \tTable Columns\tAnnotations\n1\t+12.00\t \t1\tTwelve\n2\t+5.00\t \t2\tFive\n"
         "3\t+\t \t\t\n"},
        {"a table without data prints nothing", kTwoAssignedLines, "table", ""},
        {"each copy adds one row",
         std::string(kTwoAssignedLines) + "[Table:CopyToTable][Table:CopyToTable]", "table",
         "\"Twelve\"\t\"Five\"\n12.00\t5.00\n12.00\t5.00\n"},
        {"line numbers and a total",
         std::string(kTwoAssignedLines) +
             "[Table:CopyToTable][Table:CopyToTable][Table:ShowLineNums=on][Table:Cell=2,1]"
             "[Table:ShowColTotal=on]",
         "table",
         "\"Line\"\t\"Twelve\"\t\"Five\"\n1\t12.00\t5.00\n2\t12.00\t5.00\n3\t\"==========\"\t\"\"\n4\t24.00\t\"\"\n"},
        {"moving a column renumbers the tape",
         std::string(kTwoAssignedLines) + "[Table:CopyToTable][Table:Cell=1,1][Table:MoveColRight]", "tape,table",
         "Line\tEntries\t \tTable Columns\tAnnotations\n1\t+12.00\t \t2\tTwelve\n2\t+5.00\t \t1\tFive\n"
         "3\t+\t \t\t\n\n\"Five\"\t\"Twelve\"\n5.00\t12.00\n"},
        {"a deleted line takes its column along",
         "12+5+{Up}{Up}{Tab}1{Tab}{Tab}{Tab}2{Tab}{Tab}[Table:CopyToTable]{Up}{Up}[DeleteLine]", "tape,table",
         "Line\tEntries\t \tTable Columns\tAnnotations\n1\t+5.00\t \t1\t\n2\t+\t \t\t\n\n\"\"\n5.00\n"},
        // On the open last line the Tab that leaves the annotation has no cell to go to; the
        // annotation still becomes the heading, and Enter there does the same.
        {"an annotation typed on the open line heads its column", "12{Tab}1{Tab}Rent{Tab}[CopyToTable]", "table",
         "\"Rent\"\n12\n"},
        {"an annotation ended by Enter on the open line heads its column", "12{Tab}1{Tab}Rent\n[CopyToTable]",
         "table", "\"Rent\"\n12\n"},
        {"reset removes every assignment", std::string(kTwoAssignedLines) + "[Table:ResetTable]", "tape",
         "Line\tEntries\t \tTable Columns\tAnnotations\n1\t+12.00\t \t\tTwelve\n2\t+5.00\t \t\tFive\n"
         "3\t+\t \t\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunTape({"--columns", "line,table,annotations", "--show", c.show, "--keys", c.keys});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliTapeTableTest, RefusalsAndTheConfirmation) {
    struct Case {
        std::string name;
        std::string keys;
        std::string answer;
        std::string table;
        std::string err;
    };
    // The question comes after a beep that has no explanation.
    const std::string removeFirst = std::string(kTwoAssignedLines) + "[Table:CopyToTable]{Up}{Up}{Tab}{Backspace}{Tab}";
    const Case cases[] = {
        {"cancel keeps the column", removeFirst, "cancel", "\"Twelve\"\t\"Five\"\n12.00\t5.00\n",
         "beep: \nconfirm: Confirm delete of table column that contains data.  The data in the table column will be lost "
         "if you proceed.\n"},
        {"OK deletes it", removeFirst, "ok", "\"Five\"\n5.00\n",
         "beep: \nconfirm: Confirm delete of table column that contains data.  The data in the table column will be lost "
         "if you proceed.\n"},
        {"no column 0", "12+{Up}{Tab}0{Tab}", "cancel", "",
         "beep: The number you are trying to enter is below the minimum table column number of 1.\n"},
        {"letters are refused", "12+{Up}{Tab}a", "cancel", "",
         "beep: Only digits are permitted in the Table Columns column.\n"},
        {"a total row cannot be deleted",
         std::string(kTwoAssignedLines) + "[Table:CopyToTable][Table:Cell=1,1][Table:ShowColTotal=on]"
                                          "[Table:Cell=1,2][Table:TableDeleteLine]",
         "cancel", "\"Twelve\"\t\"Five\"\n12.00\t5.00\n\"==========\"\t\"\"\n12.00\t\"\"\n",
         "beep: Can not directly delete a Table's Total Line.  Individually remove all column totals instead.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunTape({"--columns", "table,annotations", "--show", "table", "--answer", c.answer,
                                     "--keys", c.keys});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.table);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(CliTapeTableTest, UnusableTableActionsAreUsageErrors) {
    for (const std::string keys : {"[Table:NoSuch]", "[Table:Cell=1]", "[Table:ShowColTotal]", "[Table:CopyToTable=1]",
                                   "[Table:Decimals=x]"}) {
        SCOPED_TRACE(keys);
        const RunResult r = RunTape({"--keys", keys});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("action [" + keys.substr(1, keys.size() - 2) + "]"), std::string::npos) << r.err;
    }
    EXPECT_EQ(RunTape({"--show", "paper", "--keys", "1"}).status, 2);
}

}  // namespace
}  // namespace tally::test
