// Recalculating standard series over whole tapes: totals, indicators, item counts, refusals,
// embedded series, the open series' running value, and the adjacent-totals rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "lines_test_tape.h"
#include "platform/headless_notification_platform.h"

namespace tally {
namespace {

const std::string kDivide = "\xF7";

class RecalculateTest : public ::testing::Test {
protected:
    RecalculateTest() : notifier_(platform_) {}

    void Fill(std::span<const test::TapeRow> rows) {
        tape_.Lines().RemoveLines(0, tape_.Lines().LineCount());
        test::FillTape(tape_.Lines(), rows);
    }
    void Fill(std::initializer_list<test::TapeRow> rows) { Fill(std::span<const test::TapeRow>(rows.begin(), rows.size())); }

    std::vector<std::string> Column(TLineColumn column) const {
        std::vector<std::string> cells;
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            cells.emplace_back(tape_.Lines().Cell(line, column));
        }
        return cells;
    }
    const std::vector<std::string>& Messages() { return notifier_.Get().MessageList().Texts(); }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    TCalculator tape_{'t', &bus_};
};

using Lines = std::vector<std::string>;

TEST_F(RecalculateTest, ClosedSeriesGetsNormalFormsTotalAndZeroLine) {
    Fill({{" ", "12"}, {" ", "+5"}, {"=", "=========="}, {"T", ""}, {"Z", "", "TT=DE,SDP=2"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(Column(TLineColumn::Entries), (Lines{"+12.00", "+5.00", "==========", "17.00", "0.00", ""}));
    EXPECT_EQ(Column(TLineColumn::Indicator), (Lines{" ", " ", "=", "T", "Z", " "}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RecalculateTest, OnlyTheLastTotalIsTheSeriesTotalWithItsItemCount) {
    tape_.SetShowSeriesTotalItemCount(true);
    tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
    Fill({{" ", "+10"}, {" ", "+5"}, {"=", ""}, {"T(2)", "15.00"}, {" ", "X2"}, {"=", ""}, {"T", ""},
          {"Z", "", "SDP=2"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(4);
    EXPECT_EQ(Column(TLineColumn::Indicator), (Lines{" ", " ", "=", "S", " ", "=", "T(3)", "Z", " "}));
    EXPECT_EQ(Column(TLineColumn::Entries)[6], "30.00");
    EXPECT_EQ(Column(TLineColumn::RunningTotal),
              (Lines{"10.00", "15.00", "", "15.00", "30.00", "", "30.00", "0.00", ""}));
}

TEST_F(RecalculateTest, RefusedLinesKeepTheirTextAndTheTotalAndAreReported) {
    Fill({{" ", "+10"}, {" ", "+5"}, {" ", kDivide + "0.001"}, {" ", "Xabc"}, {" ", "Pq"}, {" ", "X2"},
          {"=", ""}, {"T", ""}, {"Z", "", "SDP=2"}, {" ", ""}});
    tape_.SetShowSeriesTotalItemCount(true);
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(Column(TLineColumn::Entries),
              (Lines{"+10.00", "+5.00", kDivide + "0.00", "Xabc", "Pq", "X2.00", "", "30.00", "0.00", ""}));
    EXPECT_EQ(Column(TLineColumn::Indicator)[7], "T(3)");
    EXPECT_EQ(Messages(),
              (Lines{"Attempting invalid division operation at line T3.  Division operation not "
                     "performed. Can not divide by zero.",
                     "",
                     "Operation at line T4 not performed.  The entry does not contain a valid number.",
                     "",
                     "Attempting invalid power operation at line T5.  Power operation not performed. "
                     "Invalid entry for power operation.",
                     ""}));
}

TEST_F(RecalculateTest, MessagesAreShownThroughTheMainWindowAfterTheEvent) {
    std::vector<int> posted;
    bus_.Add(events::FileObj_PostMainFormWindowsMsg, [&](TMedRecord* in, TMedRecord*) {
        posted.push_back(RecordAs<TOsMsgVariables>(in)->MessageNumber);
    });
    Fill({{" ", "+1"}, {" ", kDivide + "0"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(posted, (std::vector<int>{1024 + 108}));
}

TEST_F(RecalculateTest, OpenSeriesLeavesItsTotalAsTheRunningValue) {
    tape_.SetOpenSeriesTotalType("T2");
    Fill({{" ", "+1:30"}, {" ", "+0.5"}, {" ", "+1:00:29"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(0);
    // Each line counts as it is shown: +01:00, not the 29 seconds typed.
    EXPECT_EQ(tape_.RunningValue(), 3 * 3600);
    EXPECT_EQ(tape_.RunningTimeText(), "03:00");
    EXPECT_EQ(Column(TLineColumn::Entries), (Lines{"+01:30", "+0.50", "+01:00", ""}));
}

TEST_F(RecalculateTest, ChangedTotalBeforeZeroLineIsFlaggedForTheTotalManager) {
    std::vector<char> reported;
    bus_.Add(events::TotalMgr_RecordSeriesTotalStatusChange, [&](TMedRecord* in, TMedRecord*) {
        reported.push_back(RecordAs<TMedChar>(in)->Value);
    });
    Fill({{" ", "+1.00"}, {"=", ""}, {"T", "1.00"}, {"Z", "0.00"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "");
    EXPECT_TRUE(reported.empty());

    tape_.Lines().SetEntries(0, "+2");
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "C");
    EXPECT_EQ(reported, (std::vector<char>{'t'}));
}

TEST_F(RecalculateTest, UnreadableDecimalPlacesFallBackToTheZeroLine) {
    Fill({{" ", "1.23456"}, {"=", ""}, {"T", ""}, {"Z", "0.000", "SDP=99"}, {" ", ""}});
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(Column(TLineColumn::Entries), (Lines{"+1.235", "", "1.235", "0.000", ""}));
}

TEST_F(RecalculateTest, EmbeddedSeriesIsComputedAndJumpedOverByItsContainer) {
    Fill({{" ", "+10"},
          {"(", "", "STYP=e"},
          {" ", "+2", "STYP=e"},
          {" ", "X3", "STYP=e"},
          {"=", "", "STYP=e"},
          {"T", "", "STYP=e"},
          {")", "", "STYP=e,TT=DE,SDP=2"},
          {" ", "-6.00"},
          {"=", ""},
          {"T", ""},
          {"Z", "", "SDP=2"},
          {" ", ""}});
    tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
    tape_.StandardSeries().RecalculateWithEmbedded(0);
    const Lines entries = Column(TLineColumn::Entries);
    EXPECT_EQ(entries[5], "6.00");
    EXPECT_EQ(entries[9], "4.00");
    EXPECT_EQ(Column(TLineColumn::RunningTotal)[3], "") << "no running totals inside embedded series";
    EXPECT_EQ(tape_.StandardSeries().TotalBefore(7), 10);
    EXPECT_EQ(tape_.StandardSeries().TotalBefore(3), 2);
}

TEST_F(RecalculateTest, TotalBeforeStartsFromTheNearestTotalInDecimalSeries) {
    // The stored subtotal is trusted, as the last recalculation wrote it.
    Fill({{" ", "+10.00"}, {"=", ""}, {"S", "99.00"}, {" ", "+1.00"}, {" ", "+2.00"}, {" ", ""}});
    EXPECT_EQ(tape_.StandardSeries().TotalBefore(4), 100);
    EXPECT_EQ(tape_.StandardSeries().TotalBefore(0), 0);
}

TEST_F(RecalculateTest, ApplyEntryAdvancesTheRunningValueAndReturnsTheNormalForm) {
    TStandardSeries& series = tape_.StandardSeries();
    EXPECT_EQ(series.ApplyEntry("12"), "+12.00");
    EXPECT_EQ(series.ApplyEntry("X3.005"), "X3.01");
    EXPECT_EQ(tape_.RunningValue(), 36.12L);
}

TEST_F(RecalculateTest, ApplyEntryAgreesWithALaterRecalculation) {
    tape_.SetOpenSeriesTotalType("T2");
    Fill({{" ", ""}});
    tape_.Lines().SetEntries(0, tape_.StandardSeries().ApplyEntry("1:00:29"));
    tape_.Lines().InsertLines(1);
    tape_.Lines().SetEntries(1, tape_.StandardSeries().ApplyEntry("+1:00:29"));
    tape_.Lines().InsertLines(2);
    const long double typed = tape_.RunningValue();
    tape_.StandardSeries().Recalculate(0);
    EXPECT_EQ(tape_.RunningValue(), typed);
    EXPECT_EQ(tape_.RunningTimeText(), "02:00");
}

struct AdjacentCase {
    const char* name;
    std::string earlierProps;
    std::string laterProps;
    TAdjacentTotal expected;
};

TEST_F(RecalculateTest, AdjacentTotalsDropTheOneThatCarriesLess) {
    const std::string source = "LID=AS+1234567890123456";
    const std::string otherSource = "LID=AS+6543210987654321";
    const AdjacentCase cases[] = {
        {"plain totals: the later goes", "", "", TAdjacentTotal::Later},
        {"later is a link source", "", source, TAdjacentTotal::Earlier},
        {"both are link sources", otherSource, source, TAdjacentTotal::Later},
        {"later has a filled table column", "", "TCID=c1", TAdjacentTotal::Earlier},
        {"earlier has a filled table column", "TCID=c2", source, TAdjacentTotal::Later},
    };
    bus_.Add(events::TableMgr_IsTableColumnEmpty, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedBoolean>(out)->Value = false;
    });
    for (const AdjacentCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill({{" ", "+1"}, {"=", ""}, {"S", "", c.earlierProps}, {"=", ""}, {"T", "", c.laterProps},
              {"Z", "", "SDP=2"}, {" ", ""}});
        EXPECT_EQ(tape_.StandardSeries().TotalToRemove(2, 4, false), c.expected);
    }
}

// The total Delete Line would take along is the one it does take: each case names it by the
// annotation written on it, and Delete Line is run to see which total goes.
TEST_F(RecalculateTest, TheTotalDeletedWithALineIsTheOneDeleteLineRemoves) {
    struct Case {
        const char* name;
        std::vector<test::TapeRow> rows;
        LineIndex line;
        LineIndex expected;
    };
    const std::vector<test::TapeRow> betweenTotals = {{" ", "+1"}, {"=", ""}, {"S", ""},         {" ", "+2"},
                                                      {"=", ""},   {"T", ""}, {"Z", "", "SDP=2"}, {" ", ""}};
    std::vector<test::TapeRow> laterFeedsTable = betweenTotals;
    laterFeedsTable[5].properties = "TCID=c1";
    const std::vector<test::TapeRow> external = {
        {" ", "+1"},           {"=", ""},   {"S", ""},          {"(", "", "STYP=e"}, {" ", "+3", "STYP=e"},
        {")", "", "STYP=e"},   {" ", "+3"}, {"=", ""},          {"T", ""},           {"Z", "", "SDP=2"},
        {" ", ""}};
    const Case cases[] = {
        {"alone between totals: the later goes", betweenTotals, 3, 5},
        {"the later feeds a table column: the earlier goes", laterFeedsTable, 3, 2},
        {"the first line goes with its total", betweenTotals, 0, 2},
        {"a separator line names none", betweenTotals, 1, kNoLine},
        {"an external total line between totals", external, 6, 8},
        {"an embedded line followed by no total", external, 4, kNoLine},
    };
    bus_.Add(events::TableMgr_IsTableColumnEmpty, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedBoolean>(out)->Value = false;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows);
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            tape_.Lines().SetCell(line, TLineColumn::Annotations, std::to_string(line));
        }
        EXPECT_EQ(tape_.StandardSeries().TotalDeletedWith(c.line), c.expected);
        if (c.expected == kNoLine) continue;
        tape_.SetFocusLine(c.line);
        ASSERT_EQ(tape_.StandardSeries().DeleteLine(), TEditOutcome::Done);
        std::vector<std::string> left = Column(TLineColumn::Annotations);
        EXPECT_EQ(std::count(left.begin(), left.end(), std::to_string(c.expected)), 0);
        EXPECT_EQ(std::count(left.begin(), left.end(), std::to_string(c.line)), 0);
    }
}

TEST_F(RecalculateTest, ASeriesHasASingleEntryWhenOneLineHoldsANumber) {
    struct Case {
        const char* name;
        std::vector<test::TapeRow> rows;
        LineIndex focus;
        bool single;
    };
    const Case cases[] = {
        {"an empty tape", {{" ", ""}}, 0, false},
        {"one entry and an empty line", {{" ", "+1"}, {" ", ""}}, 1, true},
        {"an operator alone does not count", {{" ", "+1"}, {" ", "+"}}, 0, true},
        {"two entries around a total", {{" ", "+1"}, {"=", ""}, {"S", ""}, {" ", "X2"}, {" ", ""}}, 2, false},
        {"the next series is not counted",
         {{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "", "SDP=2"}, {" ", "+2"}, {" ", ""}}, 0, true},
        {"inside an embedded series only its lines count",
         {{" ", "+1"}, {"(", "", "STYP=e"}, {" ", "+3", "STYP=e"}, {")", "", "STYP=e"}, {" ", "+3"}, {" ", ""}}, 2, true},
        {"on the embedded series' boundary the containing series counts",
         {{" ", "+1"}, {"(", "", "STYP=e"}, {" ", "+3", "STYP=e"}, {")", "", "STYP=e"}, {" ", "+3"}, {" ", ""}}, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows);
        tape_.SetFocusLine(c.focus);
        EXPECT_EQ(tape_.StandardSeries().HasSingleEntry(), c.single);
    }
}

TEST_F(RecalculateTest, RemovingTheLaterTotalFlagsTheEarlierAndRecalculates) {
    Fill({{" ", "+1"}, {"=", ""}, {"S", "1.00"}, {"=", ""}, {"T", "1.00"}, {"Z", "", "SDP=2"}, {" ", ""}});
    EXPECT_EQ(tape_.StandardSeries().RemoveAdjacentTotal(2, 4, false), 3);
    EXPECT_EQ(Column(TLineColumn::Indicator), (Lines{" ", "=", "T", "Z", " "}));
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "C");
}

}  // namespace
}  // namespace tally
