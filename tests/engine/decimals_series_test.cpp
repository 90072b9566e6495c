// Decimal places and total types of a series: the user's changes and their refusals, the
// automatic changes while entries are committed, the accuracy queries, and the rounding
// method applied over a whole tape.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "decimals_test_tape.h"
#include "engine/decimals/tape_decimals.h"
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "foundation/numbers/entry_checks.h"

namespace tally {
namespace {

using test::Lines;

class DecimalsTest : public test::TapeFixture {
protected:
    std::string_view ZeroLineProperty(LineIndex zeroLine, std::string_view key) const {
        return tape_.Lines().Property(zeroLine, key);
    }
};

TEST_F(DecimalsTest, EachTotalTypeFormatsEntriesAndComputesItsTotal) {
    struct Case {
        const char* totalType;
        Lines entries;  // the four entries and the total
    };
    const Case cases[] = {
        // Times count as hours, each operand rounded to the series' two decimals.
        {"DE", {"+01:30", "+00:45:30", "+0.50", "X2.00", "5.52"}},
        // Seconds round to the minute as the entry is shown; decimals are hours when added.
        {"T2", {"+01:30", "+00:46", "+0.50", "X2.00", "05:32"}},
        {"T3", {"+01:30:00", "+00:45:30", "+0.50", "X2.00", "05:31:00"}},
    };
    for (const Case& c : cases) {
        Fill({{" ", "1:30"}, {" ", "+0:45:30"}, {" ", "+0.5"}, {" ", "X2"}, {"=", ""}, {"T", ""},
              {"Z", "", std::string("SDP=2,TT=") + c.totalType}, {" ", ""}});
        tape_.StandardSeries().Recalculate(0);
        const Lines entries = Entries();
        EXPECT_EQ(Lines(entries.begin(), entries.begin() + 4),
                  Lines(c.entries.begin(), c.entries.begin() + 4)) << c.totalType;
        EXPECT_EQ(entries[5], c.entries[4]) << c.totalType;
    }
}

TEST_F(DecimalsTest, ChangingTheTotalTypeRewritesTimesAndTotals) {
    Fill({{" ", "+01:30:40"}, {" ", "+00:10:00"}, {"=", ""}, {"T", ""}, {"Z", "0.00", "TT=T3,SDP=2"},
          {" ", ""}},
         0);
    struct Step {
        const char* totalType;
        Lines entries;
    };
    // Each step starts from what the one before left: the 40 seconds are gone once shown as
    // hours:minutes.
    const Step steps[] = {
        {"T2", {"+01:31", "+00:10", "", "01:41", "0.00", ""}},
        {"T3", {"+01:31:00", "+00:10:00", "", "01:41:00", "0.00", ""}},
        {"DE", {"+01:31:00", "+00:10:00", "", "1.69", "0.00", ""}},
    };
    for (const Step& step : steps) {
        EXPECT_TRUE(SpecifyTapeTotalType(tape_, step.totalType));
        EXPECT_EQ(Entries(), step.entries) << step.totalType;
        EXPECT_EQ(ZeroLineProperty(4, LineKey::kTotalType), step.totalType);
        EXPECT_EQ(tape_.Editor().Text, step.entries[0]) << "the focus entry follows its line";
    }
}

TEST_F(DecimalsTest, FewerDecimalPlacesReRoundEntriesByTheRoundingMethod) {
    struct Case {
        TRoundingMethod method;
        Lines entries;
    };
    const Case cases[] = {
        {TRoundingMethod::Up, {"+1.3", "+2.3", "", "3.6", "0.0", ""}},
        {TRoundingMethod::Even, {"+1.2", "+2.2", "", "3.4", "0.0", ""}},
    };
    for (const Case& c : cases) {
        tape_.SetRoundingMethod(c.method);
        Fill({{" ", "+1.25"}, {" ", "+2.25"}, {"=", ""}, {"T", "3.50"}, {"Z", "0.00", "SDP=2"}, {" ", ""}},
             0);
        EXPECT_TRUE(SpecifyTapeDecimalPlaces(tape_, 1));
        EXPECT_EQ(Entries(), c.entries);
        EXPECT_EQ(ZeroLineProperty(4, LineKey::kDecimalPlaces), "1");
        EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 2) << "the open series keeps its own";
    }
}

TEST_F(DecimalsTest, DecimalPlacesOfTheOpenSeriesStayWithinZeroToFifteen) {
    Fill({{" ", "+1.25"}, {" ", "+2.5"}, {" ", ""}});
    for (int refused : {16, -1}) {
        EXPECT_FALSE(SpecifyTapeDecimalPlaces(tape_, refused));
        EXPECT_EQ(Explanation(), std::to_string(refused) + " decimal places not valid in this calculation series.");
        EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 2);
        EXPECT_EQ(Entries(), (Lines{"+1.25", "+2.5", ""})) << "a refusal leaves the lines alone";
    }
    EXPECT_EQ(platform_.BeepCount(), 2);

    EXPECT_TRUE(SpecifyTapeDecimalPlaces(tape_, 0));
    EXPECT_EQ(Entries(), (Lines{"+1", "+3", ""}));
    EXPECT_EQ(tape_.RunningValue(), 4);
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(tape_, 15));
    EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 15);
}

TEST_F(DecimalsTest, SeriesThatCannotTakeTheChangeRefuseWithItsCaption) {
    Fill({{" ", "+1"}, {"=", ""}, {"T", "1.00"}, {"Z", "0.00"},
          {"[", "", "STYP=gro"}, {"g", "1.00", "STYP=gro"}, {"]", "", "STYP=gro,TT=DE,SDP=2"},
          {" ", ""}},
         5);
    // A group total takes 0 to 15 decimal places and the three total types.
    EXPECT_FALSE(SpecifyTapeTotalType(tape_, "XX"));
    EXPECT_EQ(Explanation(), "XX total type not valid in this calculation series.");
    EXPECT_FALSE(SpecifyTapeDecimalPlaces(tape_, 16));
    EXPECT_EQ(Explanation(), "16 decimal places not valid in this calculation series.");
    EXPECT_EQ(tape_.Lines().ParamsText(6), "STYP=gro,TT=DE,SDP=2");

    tape_.SetFocusLine(7);
    EXPECT_FALSE(SpecifyTapeTotalType(tape_, "XX"));
    EXPECT_EQ(Explanation(), "XX total type not valid in this calculation series.");
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "DE");
}

TEST_F(DecimalsTest, QueriesListTheLinesAChangeWouldAffect) {
    Fill({{" ", "+1.250"},
          {" ", "+1.251"},
          {" ", "+1:30:15"},
          {" ", "+1:30:00"},
          {" ", "+2 1/3"},
          {" ", "+1.2345", "LID=AD+0000000000000001"},  // a link destination takes its value
          {"=", ""},
          {"S", "600,000.00"},
          {" ", "-599,990.00"},
          {"=", ""},
          {"T", "10.00"},
          {"Z", "0.00", "SDP=2"},
          {" ", "+9.87654"}},
         0);
    const TStandardSeries& series = tape_.StandardSeries();
    struct Case {
        int decimals;
        const char* lines;
    };
    const Case cases[] = {{3, ""}, {2, "2"}, {0, "1, 2"}};
    for (const Case& c : cases) {
        EXPECT_EQ(series.LinesWithDecimalAccuracyReduced(0, c.decimals), c.lines) << c.decimals;
    }
    EXPECT_EQ(series.LinesWithTimeAccuracyReduced(0, 2), "3");
    EXPECT_EQ(series.LinesWithTimeAccuracyReduced(0, 3), "");
    EXPECT_EQ(series.LinesWithDecimalTotalTooBig(0), "8") << "600,000 hours pass the time capacity";
    EXPECT_EQ(series.LinesWithDecimalAccuracyReduced(12, 2), "") << "the open line is not an entry yet";
}

TEST_F(DecimalsTest, CommittedEntryRaisesTheOpenSeriesDecimalPlacesWhenAsked) {
    struct Case {
        const char* name;
        bool autoIncrease;
        const char* entry;
        const char* normalForm;
        int decimals;
        const char* firstEntry;
    };
    const Case cases[] = {
        {"more digits raise the series", true, "+1.234", "+1.234", 3, "+1.500"},
        {"option off: the entry is rounded", false, "+1.234", "+1.23", 2, "+1.50"},
        {"exponent form carries no decimals", true, "+1.23456789012346E16", "+1.23456789012346E16", 2,
         "+1.50"},
    };
    for (const Case& c : cases) {
        Fill({{" ", "+1.50"}, {" ", "+2.25"}, {" ", ""}});
        tape_.SetOpenSeriesDecimalPlaces(2);
        tape_.SetAutoIncreaseDecimalPlaces(c.autoIncrease);
        tape_.StandardSeries().Recalculate(0);
        EXPECT_EQ(tape_.StandardSeries().ApplyEntry(c.entry), c.normalForm) << c.name;
        EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), c.decimals) << c.name;
        EXPECT_EQ(Entries()[0], c.firstEntry) << c.name;
    }
    // The running value counts the earlier entries and the new one at three decimals.
    Fill({{" ", "+1.50"}, {" ", "+2.25"}, {" ", ""}});
    tape_.SetOpenSeriesDecimalPlaces(2);
    tape_.SetAutoIncreaseDecimalPlaces(true);
    tape_.StandardSeries().ApplyEntry("+1.234");
    EXPECT_EQ(tape_.RunningValue(), 4.984L);
}

TEST_F(DecimalsTest, ClosedSeriesKeepsRaisedDecimalPlacesOnItsZeroLine) {
    tape_.SetAutoIncreaseDecimalPlaces(true);
    Fill({{" ", "+1.00"}, {" ", "+2.00", "LID=AD+0000000000000001"}, {"=", ""}, {"T", "3.00"},
          {"Z", "0.00", "SDP=2"}, {" ", ""}},
         0);
    TStandardSeries& series = tape_.StandardSeries();
    EXPECT_FALSE(series.IncreaseDecimalPlacesForEntry(1, "+2.1234")) << "a link destination never raises";
    EXPECT_EQ(ZeroLineProperty(4, LineKey::kDecimalPlaces), "2");
    EXPECT_TRUE(series.IncreaseDecimalPlacesForEntry(0, "+1.1234"));
    EXPECT_EQ(ZeroLineProperty(4, LineKey::kDecimalPlaces), "4");
    EXPECT_EQ(Entries(), (Lines{"+1.0000", "+2.0000", "", "3.0000", "0.0000", ""}));
    EXPECT_EQ(series.DecimalPlaces(), 4) << "the focus series' handler follows";
}

TEST_F(DecimalsTest, FirstEntryOfASeriesSetsItsTotalType) {
    struct Case {
        bool autoSet;
        const char* openType;
        const char* entry;
        const char* totalType;
    };
    const Case cases[] = {
        {true, "DE", "1:30", "T2"},
        {true, "DE", "1:30:00", "T3"},
        {true, "T2", "+5", "DE"},
        {false, "DE", "1:30", "DE"},
    };
    for (const Case& c : cases) {
        Fill({{" ", ""}});
        tape_.SetAutoSetTotalType(c.autoSet);
        tape_.SetOpenSeriesTotalType(c.openType);
        tape_.StandardSeries().SetTotalTypeForFirstEntry(0, c.entry);
        EXPECT_EQ(tape_.OpenSeriesTotalType(), c.totalType) << c.entry;
    }

    tape_.SetAutoSetTotalType(true);
    Fill({{" ", "+1.00"}, {" ", ""}});
    EXPECT_FALSE(tape_.StandardSeries().SetTotalTypeForFirstEntry(1, "1:30")) << "not the first entry";
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "DE");

    // A closed series keeps it on its zero total line and is shown in it at once.
    Fill({{" ", "1:30"}, {"=", ""}, {"T", ""}, {"Z", "0.00", "SDP=2"}, {" ", ""}}, 0);
    EXPECT_TRUE(tape_.StandardSeries().SetTotalTypeForFirstEntry(0, "1:30"));
    EXPECT_EQ(ZeroLineProperty(3, LineKey::kTotalType), "T2");
    EXPECT_EQ(Entries()[2], "01:30");
}

TEST_F(DecimalsTest, ChangedRoundingMethodReRoundsEveryLineOfTheTape) {
    const Lines up{"+1.13", "+2.38", "", "3.51", "0.00", "+0.3", "+0.4", "", "0.7", "0.0", "+3", ""};
    const Lines even{"+1.12", "+2.38", "", "3.50", "0.00", "+0.2", "+0.4", "", "0.6", "0.0", "+2", ""};
    const Lines typed{"1.125", "2.375", "", "", "", "0.25", "0.35", "", "", "", "2.5", ""};
    struct Case {
        TRoundingMethod from;
        TRoundingMethod to;
        const Lines& entries;
        long double runningValue;
    };
    const Case cases[] = {
        {TRoundingMethod::Up, TRoundingMethod::Even, even, 2},
        {TRoundingMethod::Even, TRoundingMethod::Up, up, 3},
        {TRoundingMethod::Up, TRoundingMethod::Up, typed, 0},  // no change, no recalculation
    };
    for (const Case& c : cases) {
        tape_.SetRoundingMethod(c.from);
        tape_.SetOpenSeriesDecimalPlaces(0);
        tape_.ResetRunningValue();
        Fill({{" ", "1.125"}, {" ", "2.375"}, {"=", ""}, {"T", ""}, {"Z", "", "SDP=2"},
              {" ", "0.25"}, {" ", "0.35"}, {"=", ""}, {"T", ""}, {"Z", "", "SDP=1"},
              {" ", "2.5"}, {" ", ""}});
        ChangeRoundingMethod(tape_, c.to);
        EXPECT_EQ(tape_.RoundingMethod(), c.to);
        EXPECT_EQ(Entries(), c.entries);
        EXPECT_EQ(tape_.RunningValue(), c.runningValue);
    }
}

// A pending edit of an earlier line is committed through the entry check before the command
// recalculates; an invalid one refuses the command and nothing changes.
TEST_F(DecimalsTest, SettingsCommandsCommitAPendingEditFirstAndRefuseAnInvalidOne) {
    struct Case {
        std::string name;
        std::function<bool()> command;
        Lines committed;
    };
    const std::vector<Case> cases = {
        {"decimal places", [this] { return SpecifyTapeDecimalPlaces(tape_, 3); },
         {"+1.000", "+7.000", "+3.000", "==========", "11.000", ""}},
        {"total type", [this] { return SpecifyTapeTotalType(tape_, "DE"); },
         {"+1.00", "+7.00", "+3.00", "==========", "11.00", ""}},
        {"rounding method", [this] { return ChangeRoundingMethod(tape_, TRoundingMethod::Even); },
         {"+1.00", "+7.00", "+3.00", "==========", "11.00", ""}},
    };
    const Lines before{"+1.00", "+2.00", "+3.00", "==========", "6.00", ""};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string pending : {"7", " 1/"}) {
            SCOPED_TRACE(pending);
            tape_.SetRoundingMethod(TRoundingMethod::Up);
            tape_.SetOpenSeriesDecimalPlaces(2);
            Fill({{" ", "+1.00"}, {" ", "+2.00"}, {" ", "+3.00"}, {"=", "=========="}, {"T", "6.00"}, {" ", ""}}, 1);
            tape_.Editor().Text = pending;
            tape_.Lines().SetEntries(1, pending);
            notifier_.Get().ClearLastBeepExplanation();
            if (pending == "7") {
                EXPECT_TRUE(c.command());
                EXPECT_EQ(Entries(), c.committed);
                EXPECT_FALSE(tape_.FocusEntryChanged());
            } else {
                EXPECT_FALSE(c.command());
                EXPECT_EQ(Explanation(), kInvalidEntryNumberMessage);
                Lines unchanged = before;
                unchanged[1] = pending;
                EXPECT_EQ(Entries(), unchanged);
                EXPECT_EQ(tape_.RoundingMethod(), TRoundingMethod::Up);
                EXPECT_EQ(tape_.CurrentSeries()->DecimalPlaces(), 2);
            }
        }
    }
}

}  // namespace
}  // namespace tally
