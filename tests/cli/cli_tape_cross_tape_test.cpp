// tallyroll-cli tape runs the document's commands across tapes by name: memory, side tape and
// table functions, the recall of a memory entry and the lock modes, over whole typed sessions.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::RunResult;
using tally::test::RunTape;

class CliTapeCrossTapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
};

const std::string kMemory17 = "Entries\t \n+17.00\t \n==========\t=\n17.00\tT\n0.00\tZ\n\t \n";

TEST_F(CliTapeCrossTapeTest, SessionsAcrossTapes) {
    struct Case {
        std::string name;
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {"a total into memory",
         {"--show", "all", "--keys", "12+5\n[EnableMemory][MemPlusTotal]"},
         "# Tape\nEntries\t \n+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n\t \n\n# Memory\n" + kMemory17 + "\n"},
        {"the plus lock adds each total once",
         {"--show", "memory", "--keys", "[EnableMemory][MemPlusTotalLock]12+5\n\n3+4\n"},
         "Entries\t \n+17.00\t \n+7.00\t \n==========\t=\n24.00\tT\n0.00\tZ\n\t \n"},
        {"the minus lock after the plus lock",
         {"--show", "memory", "--keys", "[EnableMemory][MemPlusTotalLock][MemMinusTotalLock]12+5\n"},
         "Entries\t \n-17.00\t \n==========\t=\n-17.00\tT\n0.00\tZ\n\t \n"},
        {"the copy-to-side lock",
         {"--show", "side", "--keys", "[EnableSideTape][CopyToSideLock]12+5\n"},
         "Entries\t \n+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n0.00\tZ\n\t \n"},
        {"a side calculation brought back with its annotation",
         {"--show", "main", "--columns", "annotations", "--keys",
          "[EnableSideTape]12+[BeginSide]2+3\n{Up}{Tab}Parts{Tab}{Down}[EndSide]"},
         "Entries\t \tAnnotations\n+12.00\t \t\n+5.00\t \tParts\n"},
        {"the side total by its letter",
         {"--show", "main", "--keys", "[EnableSideTape][View=Side Tape]4+5\n[View=Tape]1+s"},
         "Entries\t \n+1.00\t \n+9.00\t \n"},
        {"a memory entry recalled by its letter",
         {"--show", "main", "--keys", "[EnableMemory]7\n[MemPlusTotal]\n+e[TeardownForMemEntryToEntry][MemEntryToEntry]"},
         "Entries\t \n+7.00\t \n==========\t=\n7.00\tT\n0.00\tZ\n+7.00\t \n"},
        {"the memory total by its letter, minus",
         {"--show", "main", "--keys", "12+5\n[EnableMemory][MemMinusTotal]\n1-m"},
         "Entries\t \n+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n0.00\tZ\n+1.00\t \n+17.00\t \n"},
        {"table functions by name",
         {"--columns", "line,table,annotations", "--show", "table", "--keys",
          "12+5+{Up}{Up}{Tab}1{Tab}Twelve{Tab}{Tab}2{Tab}Five{Tab}[CopyToTable][Table:Cell=1,1][MoveColRight]"},
         "\"Five\"\t\"Twelve\"\n5.00\t12.00\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunTape(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliTapeCrossTapeTest, RefusalsGoToStandardError) {
    struct Case {
        std::string keys;
        std::string err;
    };
    const Case cases[] = {
        {"12[EnableSideTape][BeginSide]",
         "beep: Cannot begin a side calculation unless the entry on the line containing the focus highlight is empty "
         "or contains only an arithmetic operator character.\n"},
        {"[EnableSideTape][BeginSide]2+3[EndSide]",
         "beep: Side tape calculation is incomplete.  Either complete the calculation and then press the END SIDE "
         "button or CANCEL it.  If you have created a Zero Total Line after the completed calculation, move the "
         "focus highlight to any line within the calculation series, and then press the END SIDE button.\n"},
        {"[EnableMemory][MemTotalToEntryLink]",
         "beep: There is no current memory total to link to.  If the memory tape is not empty, move the focus "
         "highlight to any line within the calculation series whose total you want to link to.\n"},
        {"[EnableSideTape]12+5[CopyToSide]",
         "beep: A calculation series must end with either a total line or a zero total line before the series can "
         "be copied to the side tape.\n"},
        {"[NewAuxTape=Rent][EnableSideTape][BeginSide][RemoveAuxTape=Aux A]",
         "beep: Cannot remove Aux A while a side calculation started from it is in progress.  Either END the "
         "calculation or CANCEL it.\n"},
        // Without the part, or on the wrong tape, nothing happens.
        {"12+5\n[MemPlusTotal][BeginSide][CopyToTable][MoveLineUp][EnableMemory][View=Memory][CopyToSide]", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const RunResult r = RunTape({"--keys", c.keys});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(CliTapeCrossTapeTest, CopyToSideLeavesTheClipboardAlone) {
    char path[] = "/tmp/cli_side_clip_XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    close(file);
    // The clipboard file is read at the start and written at the end.
    const std::string in = path;
    const std::string& out = in;
    std::ofstream(in, std::ios::binary) << "[Tape Line]\r\nsomething the user copied\r\n";
    const RunResult r = RunTape({"--clipboard-in", in, "--clipboard-out", out, "--show", "side", "--keys",
                                 "[EnableSideTape][CopyToSideLock]12+5\n[CopyToSide]"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "Entries\t \n+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n0.00\tZ\n"
              "+12.00\t \n+5.00\t \n==========\t=\n17.00\tT\n0.00\tZ\n\t \n");
    std::stringstream written;
    written << std::ifstream(out, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(), "[Tape Line]\r\nsomething the user copied\r\n");
    std::remove(path);
}

TEST_F(CliTapeCrossTapeTest, CommandsTakeNoValue) {
    const RunResult r = RunTape({"--keys", "[MemPlusTotal=3]"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("action [MemPlusTotal=3] takes no value"), std::string::npos);
}

}  // namespace
