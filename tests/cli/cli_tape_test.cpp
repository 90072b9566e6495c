// tallyroll-cli tape, end to end: runs the program named by TALLYROLL_CLI (set by CTest) and
// compares the printed tape (standard output) and the beeps and messages (standard error).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::RunResult;
using tally::test::RunTape;

class CliTapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
};

TEST_F(CliTapeTest, TypedSeriesArePrintedWithTheShownColumns) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string out;
    };
    const Case cases[] = {
        // Enter on the empty line after a total closes the series with a zero total.
        {{"--columns", "line,running-total"},
         "12+5\n\n",
         "Line\tEntries\t \tRunning Total\n"
         "1\t+12.00\t \t12.00\n2\t+5.00\t \t17.00\n3\t==========\t=\t\n4\t17.00\tT\t17.00\n"
         "5\t0.00\tZ\t0.00\n6\t\t \t\n"},
        // Auto start: "3" after the total starts a new series with it; UTF-8 "×" multiplies.
        {{"--keys", "7\n3\xC3\x97" "2=", "--option", "2", "--decimals", "1"},
         "",
         "Entries\t \n+7.0\t \n==========\t=\n7.0\tT\n0.0\tZ\n+3.0\t \nX2.0\t \n==========\t=\n6.0\tT\n\t \n"},
        // Time series and an edit action; the Table Columns heading prints on one line.
        {{"--keys", "1:30+0:45\n[ZeroTotal]", "--total-type", "T2", "--columns", "table"},
         "",
         "Entries\t \tTable Columns\n+01:30\t \t\n+00:45\t \t\n==========\t=\t\n02:15\tT\t\n0.00\tZ\t\n\t \t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + (c.args.empty() ? "" : c.args.front()));
        const RunResult r = RunTape(c.args, c.input);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliTapeTest, SeriesCommandsSetDecimalsTotalTypeRoundingAndSort) {
    struct Case {
        std::string keys;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"1.5+2.25\n[SpecifyTapeDecimalPlaces=3]",
         "Entries\t \n+1.500\t \n+2.250\t \n==========\t=\n3.750\tT\n\t \n", ""},
        {"1:30+0:45\n[SpecifyTapeTotalType=T3]",
         "Entries\t \n+01:30:00\t \n+00:45:00\t \n==========\t=\n02:15:00\tT\n\t \n", ""},
        // Fewer decimal places re-round the entries: half away from zero, or ties to even.
        {"[SpecifyTapeDecimalPlaces=3]0.125+0.375\n[SpecifyTapeDecimalPlaces=2]",
         "Entries\t \n+0.13\t \n+0.38\t \n==========\t=\n0.51\tT\n\t \n", ""},
        {"[SpecifyTapeDecimalPlaces=3]0.125+0.375\n[SetRoundingMethod=even][SpecifyTapeDecimalPlaces=2]",
         "Entries\t \n+0.12\t \n+0.38\t \n==========\t=\n0.50\tT\n\t \n", ""},
        {"3+1+2\n{Up}{Up}{Up}[SortSmallToLarge]",
         "Entries\t \n+1.00\t \n+2.00\t \n+3.00\t \n==========\t=\n6.00\tT\n\t \n", ""},
        {"3+1+2\n{Up}{Up}{Up}[SortLargeToSmall]",
         "Entries\t \n+3.00\t \n+2.00\t \n+1.00\t \n==========\t=\n6.00\tT\n\t \n", ""},
        {"1\n[SpecifyTapeDecimalPlaces=16]", "Entries\t \n+1.00\t \n==========\t=\n1.00\tT\n\t \n",
         "beep: 16 decimal places not valid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const RunResult r = RunTape({"--keys", c.keys});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    }
}

TEST_F(CliTapeTest, EmbeddedSeriesAreEmptiedAndDeletedByTheirActions) {
    const std::string keys = "100+[InsertNewEmbeddedSeries]3+4+5\n{Up}{Up}{Up}";
    const std::pair<std::string, std::string> cases[] = {
        {"[EmptyEmbeddedSeries]",
         "Entries\t \tRunning Total\n+100.00\t \t100.00\n\t(\t\n\t \t\n\t)\t\n+\t \t\n+\t \t\n"},
        {"[DeleteEmbeddedSeries]", "Entries\t \tRunning Total\n+100.00\t \t100.00\n+\t \t\n"},
    };
    for (const auto& [action, out] : cases) {
        SCOPED_TRACE(action);
        const RunResult r = RunTape({"--columns", "running-total", "--keys", keys + action});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliTapeTest, RefusalsAndMessagesGoToStandardErrorInOrder) {
    const RunResult r = RunTape({"--keys", "qX5"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Entries\t \n5\t \n");
    EXPECT_EQ(r.err,
              "beep: Keypress \"q\" not valid in this entry position.  If you are trying to enter a fraction, "
              "make sure the numerator is preceded by a single space (or underscore if appropriate).\n"
              "beep: Operator \"X\" is not valid in the first entry of a calculation series.\n");
}

TEST_F(CliTapeTest, WrongArgumentsExitWithTwoAndUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--option", "6"}, {"--rounding", "down"}, {"--total-type", "XY"},
          {"--columns", "line,colour"}, {"--keys", "[Nope]"}, {"--keys", "{Nope}"},
          {"--keys", "[SpecifyTapeDecimalPlaces=two]"}, {"--keys", "[SetRoundingMethod]"}, {"--keys", "[ZeroTotal=1]"}, {"--keys"}, {"--decimals", "16"},
          {"extra"}}) {
        const RunResult r = RunTape(args);
        EXPECT_EQ(r.status, 2) << args.front();
        EXPECT_EQ(r.out, "") << args.front();
        EXPECT_NE(r.err.find("usage: tallyroll-cli tape"), std::string::npos) << args.front();
    }
}

}  // namespace
