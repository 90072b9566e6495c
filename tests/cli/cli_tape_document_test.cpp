// tallyroll-cli tape drives a whole document: the parts it enables, the page it shows (where
// keys go), and what --show prints of it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::RunResult;
using tally::test::RunTape;

class CliTapeDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
};

constexpr const char* kEveryPart = "5+[EnableMemory][EnableSideTape][NewAuxTape=Rent]7+8\n[View=Tape]1\n[EnableTable]";

TEST_F(CliTapeDocumentTest, ShowAllPrintsEveryTapeAndTheTableAsNamedBlocks) {
    const RunResult r = RunTape({"--show", "all", "--keys", kEveryPart});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // Keys went to the auxiliary tape while it was shown, then to the main tape again; the
    // table brought the Table Columns column to every tape.
    EXPECT_EQ(r.out,
              "# Tape\nEntries\t \tTable Columns\n+5.00\t \t\n+1.00\t \t\n==========\t=\t\n6.00\tT\t\n\t \t\n\n"
              "# Memory\nEntries\t \tTable Columns\n\t \t\n\n"
              "# Side Tape\nEntries\t \tTable Columns\n\t \t\n\n"
              "# Aux A\nEntries\t \tTable Columns\n+7.00\t \t\n+8.00\t \t\n==========\t=\t\n15.00\tT\t\n\t \t\n\n"
              "# Table A\n\n");
}

TEST_F(CliTapeDocumentTest, ShowPicksOnePart) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::string aux = "Entries\t \n+7.00\t \n==========\t=\n7.00\tT\n\t \n";
    const std::string main = "Entries\t \n+2.00\t \n==========\t=\n2.00\tT\n\t \n";
    const std::string keys = "2\n[NewAuxTape=Rent]7\n";
    const Case cases[] = {
        {{"--keys", keys}, 0, main, ""},
        {{"--show", "main", "--keys", keys}, 0, main, ""},
        {{"--show", "aux:Rent", "--keys", keys}, 0, aux, ""},
        {{"--show", "aux:Aux A", "--keys", keys}, 0, aux, ""},
        {{"--show", "aux:Aux B", "--keys", keys}, 1, "", "tallyroll-cli tape: the document has no auxiliary tape 'Aux B'\n"},
        {{"--show", "memory", "--keys", keys}, 1, "", "tallyroll-cli tape: the document has no memory tape\n"},
        {{"--show", "side", "--tape", "side", "--keys", ""}, 0, "Entries\t \n\t \n", ""},
        {{"--show", "main", "--tape", "side", "--keys", "4\n"}, 0, "Entries\t \n\t \n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const RunResult r = RunTape(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(CliTapeDocumentTest, ViewMovesTheKeysAndRefusesWhatTheDocumentLacks) {
    const RunResult r = RunTape({"--show", "all", "--keys", "[View=Memory]3\n[EnableMemory][View=Memory]4[View=Tape]5\n"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "tallyroll-cli tape: the document has nothing called 'Memory'\n"
              "beep: Cannot enter data into a memory tape entry.\n");
    EXPECT_EQ(r.out,
              "# Tape\nEntries\t \n+3.00\t \n==========\t=\n3.00\tS\n+5.00\t \n==========\t=\n8.00\tT\n\t \n\n"
              "# Memory\nEntries\t \n\t \n\n");
}

TEST_F(CliTapeDocumentTest, MalformedDocumentActionsAreUsageErrors) {
    for (const std::string keys : {"[NewAuxTape]", "[View]", "[View=]", "[EnableMemory=yes]"}) {
        SCOPED_TRACE(keys);
        const RunResult r = RunTape({"--keys", keys});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(RunTape({"--show", "aux:", "--keys", "1"}).status, 2);
}

}  // namespace
