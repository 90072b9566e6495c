// tallyroll-cli tape, end to end: runs the program named by TALLYROLL_CLI (set by CTest) and
// compares the printed tape (standard output) and the beeps and messages (standard error).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::PdfText;
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
        // The top values of the ranges: 15 decimal places; the adding machine, where the
        // operator follows its number.
        {{"--keys", "1\n", "--decimals", "15"},
         "",
         "Entries\t \n+1.000000000000000\t \n==========\t=\n1.000000000000000\tT\n\t \n"},
        {{"--keys", "12+5-3\n", "--option", "5"},
         "",
         "Entries\t \n+12.00\t \n-5.00\t \n+3.00\t \n==========\t=\n10.00\tT\n\t \n"},
        // Time series and an edit action; the Table Columns heading prints on one line.
        {{"--keys", "1:30+0:45\n[ZeroTotal]", "--total-type", "T2", "--columns", "table"},
         "",
         "Entries\t \tTable Columns\n+01:30\t \t\n+00:45\t \t\n==========\t=\t\n02:15\tT\t\n0.00\tZ\t\n\t \t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + (c.args.empty() ? "" : c.args.back()));
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

std::string UpTimes(int count) {
    std::string keys;
    for (int i = 0; i < count; ++i) keys += "{Up}";
    return keys;
}

TEST_F(CliTapeTest, GroupAndGrandTotalsAreInsertedAndDeletedByTheirActions) {
    const std::string twoSeries = "10+{Enter}[ZeroTotal]2.5+{Enter}[ZeroTotal]";
    const std::string closed = "+10.00\t \n==========\t=\n10.00\tT\n0.00\tZ\n"
                               "+2.50\t \n==========\t=\n2.50\tT\n0.00\tZ\n";
    const std::pair<std::string, std::string> cases[] = {
        {"[InsertGroupTotal][InsertGrandTotal]",
         closed + "\t[\n12.50\tg(2)\n\t]\n\t{\n12.50\tG(2)\n\t}\n\t \n"},
        {"[InsertGroupTotal][InsertGrandTotal]{Up}{Up}{Up}{Up}[DeleteGroupTotal]",
         closed + "\t{\n12.50\tG(2)\n\t}\n\t \n"},
        {"[InsertGrandTotal]{Up}[DeleteGrandTotal]", closed + "\t \n"},
        {"[InsertGroupTotal]{Up}[GroupTotalItemizedBySeries]",
         closed + "\t[\n+10.00\tT\n+2.50\tT\n==========\t=\n12.50\tg(2)\n\t]\n\t \n"},
        {"[InsertGroupTotal]{Up}[GroupTotalItemizedBySeries][GroupTotalAsSingleLine]",
         closed + "\t[\n12.50\tg(2)\n\t]\n\t \n"},
        {"[InsertGroupTotal][InsertGrandTotal]{Up}[GrandTotalItemizedByGroup]",
         closed + "\t[\n12.50\tg(2)\n\t]\n\t{\n+12.50\tg\n==========\t=\n12.50\tG(1)\n\t}\n\t \n"},
        {"[InsertGroupTotal][InsertGrandTotal]{Up}[GrandTotalItemizedBySeries][GrandTotalAsSingleLine]",
         closed + "\t[\n12.50\tg(2)\n\t]\n\t{\n12.50\tG(2)\n\t}\n\t \n"},
        {"[InsertGroupTotal]{Up}[SpecifyTapeDecimalPlaces=3]", closed + "\t[\n12.500\tg(2)\n\t]\n\t \n"},
        {"[InsertGroupTotal]{Up}[SpecifyTapeDecimalPlaces=3][TotalSeriesDecStatusToVar]",
         closed + "\t[\n12.50\tg(2)\n\t]\n\t \n"},
        {"[InsertGroupTotal]{Up}[SpecifyTapeTotalType=T2]", closed + "\t[\n12:30\tg(2)\n\t]\n\t \n"},
    };
    for (const auto& [actions, out] : cases) {
        SCOPED_TRACE(actions);
        const RunResult r = RunTape({"--item-counts", "group,grand", "--keys", twoSeries + actions});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Entries\t \n" + out);
        EXPECT_EQ(r.err, "");
    }
    // An entry added to the first series reaches both single-line totals.
    const RunResult edited = RunTape({"--keys", twoSeries + "[InsertGroupTotal][InsertGrandTotal]" +
                                                    UpTimes(12) + "+20{Enter}"});
    EXPECT_NE(edited.out.find("32.50\tg\n\t]\n\t{\n32.50\tG\n"), std::string::npos) << edited.out;

    const RunResult refused = RunTape({"--keys", twoSeries + "[InsertGroupTotal][InsertGroupTotal]"});
    EXPECT_NE(refused.err.find("Cannot insert a group total immediately after a grand total or another group total."),
              std::string::npos);
}

// Enter on the last line after a zero total inserts a group total, after that range a grand
// total, each shown as the creation display options say.
TEST_F(CliTapeTest, EnterAfterAZeroTotalInsertsRangesInTheirCreationDisplay) {
    const std::string twoSeries = "10+{Enter}[ZeroTotal]2.5+{Enter}[ZeroTotal]";
    const std::string closed = "+10.00\t \n==========\t=\n10.00\tT\n0.00\tZ\n"
                               "+2.50\t \n==========\t=\n2.50\tT\n0.00\tZ\n";
    const RunResult r =
        RunTape({"--group-display", "ST", "--grand-display", "GT", "--keys", twoSeries + "{Enter}{Enter}"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Entries\t \n" + closed +
                         "\t[\n+10.00\tT\n+2.50\tT\n==========\t=\n12.50\tg\n\t]\n"
                         "\t{\n+12.50\tg\n==========\t=\n12.50\tG\n\t}\n\t \n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(RunTape({"--group-display", "GT"}).status, 2);
}

// Changes committed by leaving a line, by the settings commands or by deleting lines, and keys
// that must not leave empty lines behind: the tape printed afterwards and the first beep.
TEST_F(CliTapeTest, EditedTapesShowSoundTotalsAndNoStrayLines) {
    struct Case {
        std::string name;
        std::vector<std::string> args;
        std::string out;
        std::string err;
    };
    const std::string embedded = "100+[InsertNewEmbeddedSeries]3+4+5\n";
    const std::string keypressTail =
        "\" not valid in this entry position.  If you are trying to enter a fraction, make sure the numerator "
        "is preceded by a single space (or underscore if appropriate).\n";
    const Case cases[] = {
        {"an embedded line changed and left",
         {"--columns", "running-total", "--keys",
          embedded + "{Up}{Up}{Up}{Up}{Up}{Up}{Backspace}{Backspace}{Backspace}{Backspace}{Backspace}+40{Down}"},
         "Entries\t \tRunning Total\n+100.00\t \t100.00\n\t(\t\n+3.00\t \t\n+40.00\t \t\n+5.00\t \t\n"
         "==========\t=\t\n48.00\tT\t\n\t)\t\n+48.00\t \t148.00\n+\t \t\n",
         ""},
        {"the total of an embedded series deleted",
         {"--columns", "running-total", "--keys", embedded + "{Up}{Up}{Up}[DeleteLine]{Up}{Up}{Up}{Up}"},
         "Entries\t \tRunning Total\n+100.00\t \t100.00\n\t(\t\n+3.00\t \t\n+4.00\t \t\n+5.00\t \t\n\t)\t\n"
         "+\t \t\n+\t \t\n",
         "beep: Cannot move the focus highlight out of an incomplete embedded series.\n"},
        {"the only entry of an embedded series deleted",
         {"--columns", "running-total", "--keys",
          "100+[InsertNewEmbeddedSeries]3\n{Up}{Up}{Up}{Up}{Up}[DeleteLine]5\n"},
         "Entries\t \tRunning Total\n+100.00\t \t100.00\n\t(\t\n+5.00\t \t\n==========\t=\t\n5.00\tT\t\n"
         "\t)\t\n+5.00\t \t105.00\n+\t \t\n",
         ""},
        {"a pending edit committed by the rounding method",
         {"--keys", "1+2+3\n{Up}{Up}{Up}{Up}{Backspace}{Backspace}{Backspace}{Backspace}{Backspace}7"
                    "[SetRoundingMethod=even]{Esc}"},
         "Entries\t \n+1.00\t \n+7.00\t \n+3.00\t \n==========\t=\n11.00\tT\n\t \n", ""},
        {"a time series joined with a decimal one",
         {"--keys", "1:30\n\n5\n\n{Up}{Up}{Up}{Up}{Up}[DeleteLine]"},
         "Entries\t \n+01:30\t \n==========\t=\n1.50\tS\n+5.00\t \n==========\t=\n6.50\tT\n0.00\tZ\n\t \n", ""},
        {"insert line on the empty last line",
         {"--keys", "5\n[InsertLine]"},
         "Entries\t \n+5.00\t \n==========\t=\n5.00\tT\n\t \n",
         "beep: Type a number into the entry cell and complete the change by pressing the Enter key before "
         "inserting a line.\n"},
        {"a total operator on a zero total line",
         {"--keys", "5\n\n{Up}X"},
         "Entries\t \n+5.00\t \n==========\t=\n5.00\tT\n0.00\tZ\n\t \n",
         "beep: Operator \"X\" is not valid in the first entry of a calculation series.\n"},
        {"the opening line of an incomplete embedded series",
         {"--keys", "100+[InsertNewEmbeddedSeries]3{Up}[InsertLine][InsertNewEmbeddedSeries]"},
         "Entries\t \n+100.00\t \n\t(\n3\t \n\t)\n+\t \n",
         "beep: Cannot insert a line before the leading boundary line of an incomplete embedded calculation "
         "series.  Complete the series first.\n"
         "beep: Complete the current embedded calculation series before inserting another one.\n"},
        {"the keypad divide key", {"--keys", "100{Divide}4\n"},
         "Entries\t \n+100.00\t \n\xC3\xB7" "4.00\t \n==========\t=\n25.00\tT\n\t \n", ""},
        {"a slash after digits", {"--keys", "100/4\n"},
         "Entries\t \n+100.00\t \n\xC3\xB7" "4.00\t \n==========\t=\n25.00\tT\n\t \n", ""},
        {"Enter on an empty first line", {"--keys", "\n"}, "Entries\t \n\t \n", "beep: Keypress \"Enter" + keypressTail},
        {"Escape on the last line", {"--keys", "12{Esc}"}, "Entries\t \n\t \n", ""},
        {"a blank grouping thousands",
         {"--decimal-separator", ",", "--thousand-separator", " ", "--keys", "1 234,5\n"},
         "Entries\t \n+1\xC2\xA0" "234,50\t \n==========\t=\n1\xC2\xA0" "234,50\tT\n\t \n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunTape(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(CliTapeTest, LinksMadeByActionsAndQuickLinksShowInTheLinksColumn) {
    struct Case {
        std::string keys;
        std::string out;
        std::string err;
    };
    const std::string series = "5+3\n[ZeroTotal]";
    const Case cases[] = {
        // A quick link typed on the open line takes line 1's number; the Enter then totals.
        {series + "2+l1\n",
         "Entries\t \tLinks\n+5.00\t \tUsed at line  7\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+2.00\t \t\n+5.00\t \tFrom line  1\n==========\t=\t\n7.00\tT\t\n\t \t\n",
         ""},
        // Copy line 4 (the total) as a source and paste it on the open line.
        {series + "{Up}{Up}[CopyAsLinkSource]{Down}{Down}[PasteAsLinkDest]\n",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\tUsed at line  6\n0.00\tZ\t\n"
         "+8.00\t \tFrom line  4\n==========\t=\t\n8.00\tT\t\n\t \t\n",
         ""},
        // Editing the source passes the new value on.
        {series + "1+l2\n{Up}{Up}{Up}{Up}{Up}{Up}{Up}{Up}{Backspace}{Backspace}{Backspace}{Backspace}6\n",
         "Entries\t \tLinks\n+5.00\t \t\n+6.00\t \tUsed at line  7\n==========\t=\t\n11.00\tT\t\n0.00\tZ\t\n"
         "+1.00\t \t\n+6.00\t \tFrom line  2\n==========\t=\t\n7.00\tT\t\n\t \t\n",
         ""},
        // Unlinking the destination frees the source too.
        {series + "1+l2\n{Up}{Up}{Up}[Unlink]",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+1.00\t \t\n+3.00\t \t\n==========\t=\t\n4.00\tT\t\n\t \t\n",
         ""},
        // Deleting the destination's line leaves the source without a link.
        {series + "1+l2\n{Up}{Up}{Up}[DeleteLine]",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+1.00\t \t\n==========\t=\t\n1.00\tT\t\n\t \t\n",
         ""},
        // Deleting an embedded series that holds the only destination leaves its source without
        // a link, as deleting a line does: pasting the source again is refused.
        {"7\n[ZeroTotal]100+[InsertNewEmbeddedSeries]3+4+5\n{Up}{Up}{Up}{Up}{Up}{Up}{Up}{Up}{Up}"
         "[CopyAsLinkSource]{Down}{Down}{Down}[PasteAsLinkDest][DeleteEmbeddedSeries][PasteAsLinkDest]",
         "Entries\t \tLinks\n+7.00\t \t\n==========\t=\t\n7.00\tT\t\n0.00\tZ\t\n+100.00\t \t\n+\t \t\n",
         "beep: The line containing the entry specified as the Link Source for this Link Destination is no longer "
         "present; or else the Link Source has been unlinked.  Recopy a line as a Link Source before pasting as a "
         "Link Destination.\n"},
        // A destination that takes its source negated is listed with "-" at both ends.
        {series + "2-l1\n",
         "Entries\t \tLinks\n+5.00\t \tUsed at line  7-\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+2.00\t \t\n-5.00\t \tFrom line  1-\n==========\t=\t\n-3.00\tT\t\n\t \t\n",
         ""},
        // By the tape's letter alone: the final total of that tape's series, which stands before
        // its open last line.
        {"[NewAuxTape=X]7+8\n[View=Tape]1+la\n",
         "Entries\t \tLinks\n+1.00\t \t\n+15.00\t \tFrom line  A4\n==========\t=\t\n16.00\tT\t\n\t \t\n", ""},
        {"7+8\n[NewAuxTape=X]1+lt\n[View=Tape]",
         "Entries\t \tLinks\n+7.00\t \t\n+8.00\t \t\n==========\t=\t\n15.00\tT\tUsed at line  A2\n\t \t\n", ""},
        // Typing over a destination just pasted on the open line replaces its number, which
        // leaves the link; a number changed by typing after it does too.
        {"5+3\n\n{Up}{Up}{Up}{Up}{Up}[CopyAsLinkSource]{Down}{Down}{Down}{Down}{Down}[PasteAsLinkDest]7\n",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+7.00\t \t\n==========\t=\t\n7.00\tT\t\n\t \t\n",
         ""},
        {"5+3\n\n{Up}{Up}{Up}{Up}{Up}[CopyAsLinkSource]{Down}{Down}{Down}{Down}{Down}[PasteAsLinkDest]"
         "{End}{Backspace}7\n",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+5.07\t \t\n==========\t=\t\n5.07\tT\t\n\t \t\n",
         ""},
        // Enter alone keeps the pasted link.
        {"5+3\n\n{Up}{Up}{Up}{Up}{Up}[CopyAsLinkSource]{Down}{Down}{Down}{Down}{Down}[PasteAsLinkDest]\n",
         "Entries\t \tLinks\n+5.00\t \tUsed at line  6\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n"
         "+5.00\t \tFrom line  1\n==========\t=\t\n5.00\tT\t\n\t \t\n",
         ""},
        {series + "l0\n",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\nl0\t \t\n",
         "beep: The entry cell at line T0 can not be used as a Link Source.\n"},
        {series + "[PasteAsLinkDest]",
         "Entries\t \tLinks\n+5.00\t \t\n+3.00\t \t\n==========\t=\t\n8.00\tT\t\n0.00\tZ\t\n\t \t\n",
         "beep: A Link Source has not been specified for this Link Destination.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const RunResult r = RunTape({"--columns", "links", "--keys", c.keys});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
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

TEST_F(CliTapeTest, QuickCopiesTypedAsKeys) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    };
    const std::string series = "5+3\n[ZeroTotal]";
    const std::string closed = "Entries\t \n+5.00\t \n+3.00\t \n==========\t=\n8.00\tT\n0.00\tZ\n";
    const std::string notCopyable = " cannot be used as a Copy source.\n";
    const Case cases[] = {
        // Line 1's number comes in, the operator key that ended it is typed again.
        {{"--keys", series + "c1+2\n"}, closed + "+5.00\t \n+2.00\t \n==========\t=\n7.00\tT\n\t \n", ""},
        // The total line; the Enter that ended it totals the series.
        {{"--keys", series + "c4\n"}, closed + "+8.00\t \n==========\t=\n8.00\tT\n\t \n", ""},
        // Lines that do not exist or are not numbers are refused and the text stays.
        {{"--keys", "5+c9\n"}, "Entries\t \n+5.00\t \n+c9\t \n", "beep: The entry cell at line T9" + notCopyable},
        {{"--keys", "5+c0\n"}, "Entries\t \n+5.00\t \n+c0\t \n", "beep: The entry cell at line T0" + notCopyable},
        {{"--keys", "5+c99999999999\n"},
         "Entries\t \n+5.00\t \n+c99999999999\t \n",
         "beep: The entry cell at line T99999999999" + notCopyable},
        {{"--keys", "5+ct\n"},
         "Entries\t \n+5.00\t \n+ct\t \n",
         "beep: Cannot use the main tape's current series total as a Copy source.  The main tape's current series "
         "does not have a final total line.\n"},
        // By the tape's letter alone: that tape's final total, before its open last line.
        {{"--keys", "[NewAuxTape=X]7+8\n[View=Tape]1+ca\n"},
         "Entries\t \n+1.00\t \n+15.00\t \n==========\t=\n16.00\tT\n\t \n", ""},
        // The adding machine: the number comes in before the operator key typed after it.
        {{"--option", "5", "--keys", "5+3+c1+\n"},
         "Entries\t \n+5.00\t \n+3.00\t \n+5.00\t \n==========\t=\n13.00\tT\n\t \n", ""},
        // The adding machine checks before storing.
        {{"--option", "5", "--keys", "5+c9+"}, "Entries\t \n+5.00\t \nc9\t \n",
         "beep: The entry cell at line T9" + notCopyable},
    };
    for (const Case& c : cases) {
        const RunResult r = RunTape(c.args);
        EXPECT_EQ(r.status, 0) << c.args.back();
        EXPECT_EQ(r.out, c.out) << c.args.back();
        EXPECT_EQ(r.err, c.err) << c.args.back();
    }
}

TEST_F(CliTapeTest, TheMemoryTapeRefusesTypingAndTheSideTapeItsOwnTotalLetter) {
    const RunResult memory = RunTape({"--tape", "memory", "--keys", "5{Delete}[ZeroTotal][InsertNewSeries]"});
    EXPECT_EQ(memory.status, 0);
    EXPECT_EQ(memory.out, "Entries\t \n\t \n");
    EXPECT_EQ(memory.err,
              "beep: Cannot enter data into a memory tape entry.\n"
              "beep: Can not delete entry characters from the memory tape.\n"
              "beep: Cannot zero the memory tape total\n"
              "beep: Can not insert a calculation series into the memory tape.\n");

    const RunResult side = RunTape({"--tape", "side", "--keys", "4+m2\ns"});
    EXPECT_EQ(side.status, 0);
    EXPECT_EQ(side.out, "Entries\t \n+4.00\t \n+2.00\t \n==========\t=\n6.00\tT\n\t \n");
    EXPECT_EQ(side.err,
              "beep: Keypress \"s\" not valid in this entry position.  If you are trying to enter a fraction, "
              "make sure the numerator is preceded by a single space (or underscore if appropriate).\n");
}

// The tool types as the program does with its default settings: a third decimal place in a
// two-decimal series is rounded with the warning, a first time entry makes a time series.
// --settings gives other general options. The user's own settings file is neither read nor
// written.
TEST_F(CliTapeTest, GeneralOptionsAreTheSettingsDefaultsOrThoseOfTheGivenSettingsFile) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "cli_tape_settings_XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keptXdg = oldXdg != nullptr ? oldXdg : "";
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    fs::create_directories(folder / "config" / "tallyroll");
    const fs::path userFile = folder / "config" / "tallyroll" / "tallyroll.ini";
    const std::string userSettings = "[Miscellaneous Options]\r\nStartupDecimals=4\r\nAutoIncreaseDecimalPlaces=1\r\n";
    std::ofstream(userFile, std::ios::binary) << userSettings;

    struct Case {
        std::string settings;  // lines of "Miscellaneous Options"; none: no --settings
        std::string keys;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"", "1.234+1\n", "Entries\t \n+1.23\t \n+1.00\t \n==========\t=\n2.23\tT\n\t \n",
         "beep: Entering more decimal places than specified.  The number will be rounded unless the decimal "
         "places setting is increased.\n"},
        {"", "1:30+2:15\n", "Entries\t \n+01:30\t \n+02:15\t \n==========\t=\n03:45\tT\n\t \n", ""},
        {"AutoIncreaseDecimalPlaces=1", "1.234+1\n",
         "Entries\t \n+1.234\t \n+1.000\t \n==========\t=\n2.234\tT\n\t \n", ""},
        {"StartupDecimals=4\r\nShowSeriesTotalItemCount=1", "1+2\n",
         "Entries\t \n+1.0000\t \n+2.0000\t \n==========\t=\n3.0000\tT(2)\n\t \n", ""},
        {"AutosetTotalType=0", "1:30+2:15\n",
         "Entries\t \n+01:30\t \n+02:15\t \n==========\t=\n3.75\tT\n\t \n", ""},
    };
    const std::string settingsFile = (folder / "given.ini").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings + " " + c.keys);
        std::vector<std::string> args = {"--keys", c.keys};
        if (!c.settings.empty()) {
            std::ofstream(settingsFile, std::ios::binary) << "[Miscellaneous Options]\r\n" << c.settings << "\r\n";
            args.insert(args.end(), {"--settings", settingsFile});
        }
        const RunResult r = RunTape(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    const RunResult missing = RunTape({"--settings", (folder / "missing.ini").string(), "--keys", "1\n"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "cannot read settings file '" + (folder / "missing.ini").string() + "'\n");

    std::ifstream in(userFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), userSettings);
    EXPECT_EQ(std::distance(fs::directory_iterator(userFile.parent_path()), {}), 1);
    if (oldXdg != nullptr) {
        ::setenv("XDG_CONFIG_HOME", keptXdg.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    fs::remove_all(folder);
}

TEST_F(CliTapeTest, WrongArgumentsExitWithTwoAndUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--option", "6"}, {"--rounding", "down"}, {"--total-type", "XY"},
          {"--columns", "line,colour"}, {"--keys", "[Nope]"}, {"--keys", "{Nope}"},
          {"--keys", "[SpecifyTapeDecimalPlaces=two]"}, {"--keys", "[SetRoundingMethod]"}, {"--keys", "[ZeroTotal=1]"}, {"--keys"}, {"--decimals", "16"},
          {"--tape", "aux"}, {"extra"}}) {
        const RunResult r = RunTape(args);
        EXPECT_EQ(r.status, 2) << args.front();
        EXPECT_EQ(r.out, "") << args.front();
        EXPECT_NE(r.err.find("usage: tallyroll-cli tape"), std::string::npos) << args.front();
    }
}

TEST_F(CliTapeTest, PdfHoldsTheTapeLinesAndTheFooter) {
    char folder[] = "/tmp/cli_tape_pdf_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string pdf = std::string(folder) + "/tape & co.pdf";
    const RunResult r = RunTape({"--keys", "12+5\n\n7.5+1\n", "--columns", "running-total", "--pdf", pdf});
#ifdef TALLYROLL_WITH_PDF
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
    const std::string text = PdfText(pdf);
    for (const char* expected : {"Running Total", "+12.00", "+5.00", "17.00", "+7.50", "+1.00", "8.50",
                                 "Tape in Untitled(1)", "Page 1"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in:\n" << text;
    }
    std::remove(pdf.c_str());
    // A file that cannot be written is reported.
    const RunResult bad = RunTape({"--keys", "1\n", "--pdf", std::string(folder) + "/missing/tape.pdf"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("cannot write the PDF file"), std::string::npos) << bad.err;
#else
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--pdf is not available in this build"), std::string::npos) << r.err;
#endif
    rmdir(folder);
}

TEST_F(CliTapeTest, CopyActionsWriteRecordsThroughTheClipboardFiles) {
    char outPath[] = "/tmp/cli_clip_out_XXXXXX";
    const int outFile = mkstemp(outPath);
    ASSERT_GE(outFile, 0);
    close(outFile);
    const auto readOut = [&] {
        std::ifstream in(outPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    struct Case {
        std::string keys;
        std::string start;
    };
    const std::vector<Case> cases = {
        {"12+3+\n\n{Up}{Up}{Up}{Up}[LineCopy]", "[Tape Line]\r\nSessionId="},
        {"12+3+\n\n{Up}{Up}[SeriesCopy]", "[Calc Series]\r\nSessionId="},
        {"12+3+\n\n[TapeCopy]", "[Entire Tape]\r\nSessionId="},
    };
    for (const Case& c : cases) {
        const RunResult r = RunTape({"--keys", c.keys, "--clipboard-out", outPath});
        EXPECT_EQ(r.status, 0) << c.keys << r.err;
        EXPECT_TRUE(readOut().starts_with(c.start)) << c.keys << readOut();
    }
    // A refused copy leaves the clipboard it started with.
    const std::string record = readOut();
    const RunResult kept = RunTape({"--clipboard-in", outPath, "--clipboard-out", outPath, "--keys", "12[TapeCopy]"});
    EXPECT_EQ(kept.status, 0);
    EXPECT_EQ(readOut(), record);
    std::remove(outPath);
    EXPECT_EQ(RunTape({"--clipboard-in", "/nonexistent/clip.txt", "--keys", "1"}).status, 1);
}

TEST_F(CliTapeTest, PasteActionsInsertTheCopiedLinesOrLeaveTheTape) {
    const auto count = [](const std::string& text, std::string_view what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    struct Case {
        std::string keys;
        std::size_t copies;
    };
    const std::vector<Case> cases = {
        {"12+3+\n\n{Up}{Up}[SeriesCopy]{Down}{Down}[SeriesPaste]", 2},
        {"12+3+\n\n[TapeCopy][TapePaste][TapePaste]", 3},
        // A cut series moves; its record is pasted once.
        {"12+3+\n\n{Up}{Up}[SeriesCut][SeriesPaste][SeriesPaste]", 1},
        {"12+3+\n\n[TapeCut][TapePaste]", 1},
        {"12+3+\n\n[TapeCut]", 0},
        // Nothing of the kind on the clipboard: nothing happens.
        {"12+3+\n\n[TapeCopy][SeriesPaste]", 1},
        {"12+3+\n\n{Up}{Up}[SeriesCopy]{Down}{Down}[TapePaste]", 1},
    };
    for (const Case& c : cases) {
        const RunResult r = RunTape({"--keys", c.keys});
        EXPECT_EQ(r.status, 0) << c.keys << r.err;
        EXPECT_EQ(count(r.out, "+12.00"), c.copies) << c.keys << r.out;
    }
    // A cut embedded series goes, with its external total, and comes back before the line pasted on.
    const std::string embedded = "12+[InsertNewEmbeddedSeries]3+\n\n{Up}{Up}{Up}{Up}{Up}{Up}[EmbeddedSeriesCut]";
    EXPECT_EQ(RunTape({"--keys", embedded}).out, "Entries\t \n+12.00\t \n==========\t=\n12.00\tT\n\t \n");
    EXPECT_TRUE(RunTape({"--keys", embedded + "{Up}[EmbeddedSeriesPaste]"})
                    .out.starts_with("Entries\t \n\t(\n+3.00\t \n==========\t=\n3.00\tT\n\t)\n+3.00\t \n+12.00"));
    // A pasted line on the open last line stays in the open entry, without its "+".
    const RunResult line = RunTape({"--keys", "12+3+\n\n{Up}{Up}{Up}{Up}{Up}[LineCopy]{Down}{Down}{Down}{Down}{Down}[LinePaste]"});
    EXPECT_TRUE(line.out.ends_with("0.00\tZ\n12.00\t \n")) << line.out;
}

TEST_F(CliTapeTest, RangeAndSelectionActionsRunByTheirMenuNames) {
    const std::string grouped = "1+\n\n2+\n\n[InsertGroupTotal]{Up}{Up}";
    struct Case {
        std::string keys, out, err;
    };
    const std::vector<Case> cases = {
        // The group range with both its series goes, and comes back before the open line.
        {grouped + "[GroupTotalRangeCut]", "Entries\t \n\t \n", ""},
        {grouped + "[GroupTotalRangeCut][GroupTotalRangePaste]",
         "Entries\t \n+1.00\t \n==========\t=\n1.00\tT\n0.00\tZ\n+2.00\t \n==========\t=\n2.00\tT\n0.00\tZ\n"
         "\t[\n3.00\tg\n\t]\n\t \n",
         ""},
        // The selected entry text travels through the clipboard into the open line.
        {"12.5+\n\n{Up}{Up}{Up}{Up}{SelectAll}[SelCopy]{Down}{Down}{Down}{Down}[SelPaste]",
         "Entries\t \n+12.50\t \n==========\t=\n12.50\tT\n0.00\tZ\n+12.50\t \n", ""},
        // A total's text cannot be cut: a beep without explanation.
        {"12.5+\n\n{Up}{Up}{SelectAll}[SelCut]", "Entries\t \n+12.50\t \n==========\t=\n12.50\tT\n0.00\tZ\n\t \n",
         "beep: \n"},
    };
    for (const Case& c : cases) {
        const RunResult r = RunTape({"--keys", c.keys});
        EXPECT_EQ(r.status, 0) << c.keys;
        EXPECT_EQ(r.out, c.out) << c.keys;
        EXPECT_EQ(r.err, c.err) << c.keys;
    }
}

}  // namespace
