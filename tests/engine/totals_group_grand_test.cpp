// Group and grand totals on a headless tape wired by hand to a total manager: inserting them
// with every refusal, the content rule, and keeping single-line totals current after changes.
#include <functional>
#include <limits>

#include "engine/decimals/tape_decimals.h"
#include "engine/lines/calc_params.h"
#include "engine/series/total_series.h"
#include "engine/sorting/segment_sort.h"
#include "engine/totals/total_manager.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

using test::TapeRow;
using test::Texts;

// A closed standard series whose total line shows the text.
std::vector<TapeRow> Series(const std::string& total) {
    return {{" ", "+" + total}, {"=", "=========="}, {"T", total}, {"Z", "0.00"}};
}

std::vector<TapeRow> Join(std::initializer_list<std::vector<TapeRow>> parts) {
    std::vector<TapeRow> rows;
    for (const auto& part : parts) rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

const std::vector<TapeRow> kGroupRange = {{"[", "", "STYP=gro"}, {"g", "0.00", "STYP=gro"},
                                          {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"}};
const std::vector<TapeRow> kGrandRange = {{"{", "", "STYP=gra"}, {"G", "0.00", "STYP=gra"},
                                          {"}", "", "STYP=gra,TSD=SL,SDP=2,TT=DE"}};
const std::vector<TapeRow> kOpenLine = {{" ", ""}};

class TotalsTest : public test::TapeTest, public ITotalTapes {
protected:
    TotalsTest() {
        tape_.Hooks().ProcessPendingTotals = [this](TCalculator&) { manager_.ProcessPendingTotals(); };
    }
    TCalculator* TapeById(char id) override { return id == 't' ? &tape_ : nullptr; }

    TTotalManager manager_{bus_, *this};
};

TEST_F(TotalsTest, AGroupTotalAddsTheSeriesTotalsWithTheirLargestDecimalPlaces) {
    Fill(Join({Series("10.00"), Series("2.5"), Series("1.125"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGroupTotalAt(tape_.LastLine()));
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "T", "Z", " ", "=", "T", "Z", " ", "=", "T", "Z", "[", "g", "]", " "}));
    EXPECT_EQ(tape_.Lines().Entries(13), "13.625");
    EXPECT_EQ(tape_.Lines().Property(14, LineKey::kDecimalPlaces), "3");
    EXPECT_EQ(tape_.Lines().Property(14, LineKey::kTotalDecimalsState), "V");
    EXPECT_EQ(tape_.Lines().Property(13, LineKey::kSeriesType), "gro");
    // Inserted before the open last line, which keeps the focus.
    EXPECT_EQ(tape_.FocusLine(), tape_.LastLine());

    tape_.SetShowGroupTotalItemCount(true);
    Fill(Join({Series("10.00"), Series("2.5"), Series("1.125"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGroupTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Indicator(13), "g(3)");

    // Time totals count as 4 (hours:minutes) and 6 (hours:minutes:seconds) decimal places.
    Fill(Join({Series("12:30"), Series("1.5"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGroupTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Property(10, LineKey::kDecimalPlaces), "4");
    Fill(Join({Series("1:02:03"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGroupTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Property(6, LineKey::kDecimalPlaces), "6");
}

TEST_F(TotalsTest, AGroupTotalIncludesOnlyTheSeriesAfterThePreviousRange) {
    Fill(Join({Series("1.00"), kGroupRange, Series("4.00"), Series("5.00"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGroupTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Entries(16), "9.00");

    // A grand total goes back to the previous grand total and counts every series total.
    Fill(Join({Series("1.00"), kGrandRange, Series("2.00"), kGroupRange, Series("3.00"), kOpenLine}));
    ASSERT_TRUE(tape_.InsertGrandTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Entries(19), "5.00");

    // Inserted on an earlier series, the range goes before it and holds the focus.
    Fill(Join({Series("1.00"), Series("2.00"), kOpenLine}), 5);
    ASSERT_TRUE(tape_.InsertGroupTotalAt(5));
    EXPECT_EQ(tape_.Lines().Indicator(5), "g");
    EXPECT_EQ(tape_.Lines().Entries(5), "1.00");
    EXPECT_EQ(tape_.FocusLine(), 5);
}

struct InsertRefusal {
    std::string name;
    std::vector<TapeRow> rows;
    bool grand;
    std::string refusal;
};

TEST_F(TotalsTest, InsertingARangeIsRefusedWithItsReason) {
    const std::vector<InsertRefusal> cases = {
        {"empty tape", kOpenLine, false, "Cannot insert a group total into an empty tape."},
        {"empty tape, grand", kOpenLine, true, "Cannot insert a grand total into an empty tape."},
        {"first series", Join({{{" ", "+1"}}, kOpenLine}), false,
         "Cannot insert a group total at the beginning of a tape."},
        {"first series, grand", Join({{{" ", "+1"}}, kOpenLine}), true,
         "Cannot insert a grand total at the beginning of a tape."},
        {"after a group total", Join({Series("1.00"), kGroupRange, kOpenLine}), false,
         "Cannot insert a group total immediately after a grand total or another group total."},
        {"after a grand total", Join({Series("1.00"), kGrandRange, kOpenLine}), true,
         "Cannot insert a grand total immediately after another grand total."},
        {"no series total since a group total", Join({Series("1.00"), kGroupRange, {{"Z", "0.00"}}, kOpenLine}),
         false, "There are no totals to include in a group total inserted at this point."},
        {"no series total since a grand total", Join({Series("1.00"), kGrandRange, {{"Z", "0.00"}}, kOpenLine}),
         true,
         "There are no totals to include in a grand total inserted at this point."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows);
        const int lineCount = tape_.Lines().LineCount();
        // The menu test agrees with the command.
        EXPECT_FALSE(c.grand ? tape_.CanInsertGrandTotal() : tape_.CanInsertGroupTotal());
        const int beeps = Beeps();
        EXPECT_FALSE(c.grand ? tape_.InsertGrandTotalAt(tape_.LastLine()) : tape_.InsertGroupTotalAt(tape_.LastLine()));
        EXPECT_EQ(Explanation(), c.refusal);
        EXPECT_EQ(Beeps(), beeps + 1);
        EXPECT_EQ(tape_.Lines().LineCount(), lineCount);
    }

    // Before an existing range.
    Fill(Join({Series("1.00"), Series("2.00"), kGroupRange, kOpenLine}), 8);
    EXPECT_FALSE(tape_.InsertGroupTotalAt(8));
    EXPECT_EQ(Explanation(), "Cannot insert a group total immediately before another group total.");
    EXPECT_FALSE(tape_.InsertGrandTotalAt(8));
    EXPECT_EQ(Explanation(), "Cannot insert a grand total immediately before a group total.");
    Fill(Join({Series("1.00"), Series("2.00"), kGrandRange, kOpenLine}), 8);
    EXPECT_FALSE(tape_.InsertGrandTotalAt(8));
    EXPECT_EQ(Explanation(), "Cannot insert a grand total immediately before another grand total.");

    // A grand total may follow a group total directly.
    Fill(Join({Series("1.00"), kGroupRange, kOpenLine}));
    EXPECT_TRUE(tape_.CanInsertGrandTotal());
    EXPECT_TRUE(tape_.InsertGrandTotalAt(tape_.LastLine()));
    EXPECT_EQ(tape_.Lines().Entries(8), "1.00");
}

// Before a series that holds an invalid entry or an X entry without its total, inserting used
// to end without a word although the menu offered it; now both say no, and the command explains.
TEST_F(TotalsTest, ARangeBeforeAnInconsistentSeriesIsRefusedAndTheMenuAgrees) {
    const std::vector<std::pair<std::string, std::vector<TapeRow>>> series = {
        {"invalid entry", {{" ", "+2"}, {" ", "+1x"}, {"=", "=========="}, {"T", "3.00"}, {"Z", "0.00"}}},
        {"X without its total", {{" ", "+2"}, {" ", "X3"}, {" ", "+1"}, {"=", "=========="}, {"T", "7.00"}, {"Z", "0.00"}}},
    };
    for (const auto& [name, rows] : series) {
        SCOPED_TRACE(name);
        for (const bool grand : {false, true}) {
            Fill(Join({Series("1.00"), rows, kOpenLine}), 5);
            EXPECT_FALSE(grand ? tape_.CanInsertGrandTotal() : tape_.CanInsertGroupTotal());
            const int beeps = Beeps();
            EXPECT_FALSE(grand ? tape_.InsertGrandTotalAt(5) : tape_.InsertGroupTotalAt(5));
            EXPECT_EQ(Explanation(), std::string("Cannot insert a ") + (grand ? "grand" : "group") +
                                         " total before a calculation series with an invalid entry or a missing "
                                         "subtotal.  Correct the series first.");
            EXPECT_EQ(Beeps(), beeps + 1);
            EXPECT_EQ(tape_.Lines().Indicator(4), " ");
        }
    }
    // The same series with its total after the X entry is consistent.
    Fill(Join({Series("1.00"),
               {{" ", "+2"}, {" ", "X3"}, {"=", "=========="}, {"S", "6.00"}, {" ", "+1"}, {"=", "=========="},
                {"T", "7.00"}, {"Z", "0.00"}},
               kOpenLine}),
         5);
    EXPECT_TRUE(tape_.CanInsertGroupTotal());
    EXPECT_TRUE(tape_.InsertGroupTotalAt(5));
}

// Enter or "=" right after a zero total line inserts a group total; right after a group total
// range, a grand total. On an earlier line only an entry being typed as the start of the
// series gives way to the range.
TEST_F(TotalsTest, EnterAfterAZeroTotalOrAGroupTotalInsertsARange) {
    struct Case {
        std::string name;
        std::vector<TapeRow> rows;
        LineIndex focus;
        std::string keys;  // '\r' is Enter
        Texts indicators;
        LineIndex focusAfter;
    };
    const std::vector<Case> cases = {
        {"Enter on the last line after a zero total", Join({Series("1.00"), Series("2.00"), kOpenLine}), -1, "\r",
         {" ", "=", "T", "Z", " ", "=", "T", "Z", "[", "g", "]", " "}, 11},
        {"= then Enter: a group and a grand total", Join({Series("1.00"), Series("2.00"), kOpenLine}), -1, "=\r",
         {" ", "=", "T", "Z", " ", "=", "T", "Z", "[", "g", "]", "{", "G", "}", " "}, 14},
        {"an operator typed on a zero total line, then Enter", Join({Series("1.00"), Series("2.00"), kOpenLine}), 3,
         "+\r", {" ", "=", "T", "Z", "[", "g", "]", " ", "=", "T", "Z", " "}, 5},
        {"the same after a group total range",
         Join({Series("1.00"), kGroupRange, Series("2.00"), kOpenLine}), 6, "+\r",
         {" ", "=", "T", "Z", "[", "g", "]", "{", "G", "}", " ", "=", "T", "Z", " "}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows, c.focus);
        for (const char key : c.keys) tape_.KeyPress(key);
        EXPECT_EQ(Indicators(), c.indicators);
        EXPECT_EQ(tape_.FocusLine(), c.focusAfter);
    }
    Fill(Join({Series("1.00"), Series("2.00"), kOpenLine}));
    tape_.KeyPress('\r');
    tape_.KeyPress('=');
    EXPECT_EQ(tape_.Lines().Entries(9), "3.00");
    EXPECT_EQ(tape_.Lines().Entries(12), "3.00");

    // A refused range leaves the typed line where it was.
    Fill(Join({Series("1.00"), kGroupRange, {{"Z", "0.00"}}, {{" ", "+"}, {" ", "+2"}}, kOpenLine}), 8);
    tape_.SetSavedFocusEntry("+0.00");
    tape_.KeyPress('\r');
    EXPECT_EQ(Explanation(), "There are no totals to include in a group total inserted at this point.");
    EXPECT_EQ(tape_.Lines().Entries(8), "+");
    EXPECT_EQ(tape_.Lines().LineCount(), 11);
}

// A range put in by Enter above the open last line moves the focus down as a focus change
// does: the line number is told and the view scrolls so that the focus stays in sight.
TEST_F(TotalsTest, EnterOnTheLastLineMovesTheFocusByACheckedMove) {
    struct Case {
        std::string name;
        std::vector<TapeRow> rows;
        char key;
        char rangeIndicator;  // of the new range's total line
    };
    const auto series = Join({Series("1.00"), Series("2.00"), Series("3.00"), Series("4.00"), Series("5.00")});
    const std::vector<Case> cases = {
        {"group total after a zero total", Join({series, kOpenLine}), '\r', 'g'},
        {"grand total after a group total", Join({series, kGroupRange, kOpenLine}), '=', 'G'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows);
        tape_.SetTopLine(tape_.LastLine() - tape_.VisibleLineCount() + 1);
        std::vector<int> lineNumbers;
        tape_.Hooks().OnLineNumberChange = [&](TCalculator&, int number) { lineNumbers.push_back(number); };
        tape_.KeyPress(c.key);
        ASSERT_TRUE(tape_.Lines().HasKind(tape_.LastLine() - 2, c.rangeIndicator));
        EXPECT_EQ(tape_.FocusLine(), tape_.LastLine());
        EXPECT_FALSE(tape_.InReviewMode());
        EXPECT_EQ(lineNumbers, (std::vector<int>{tape_.LastLine() + 1}));
        EXPECT_LT(tape_.FocusLine(), tape_.TopLine() + tape_.VisibleLineCount());
        EXPECT_GE(tape_.FocusLine(), tape_.TopLine());
    }
}

// A group total takes decimal places and a total type of its own; fixed decimal places stay
// through later recalculations until reset to automatic.
TEST_F(TotalsTest, ARangeTakesDecimalPlacesAndATotalType) {
    Fill(Join({Series("1.50"), Series("2.25"), kGroupRange, kOpenLine}), 9);
    tape_.RecalculateTotalAt(9);
    ASSERT_EQ(tape_.Lines().Entries(9), "3.75");
    EXPECT_TRUE(SpecifyTapeTotalType(tape_, "T2"));
    EXPECT_EQ(tape_.Lines().Entries(9), "03:45");
    EXPECT_EQ(tape_.Lines().Property(10, LineKey::kTotalType), "T2");
    EXPECT_TRUE(SpecifyTapeTotalType(tape_, "DE"));
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(tape_, 4));
    EXPECT_EQ(tape_.Lines().Entries(9), "3.7500");
    EXPECT_EQ(tape_.Lines().Property(10, LineKey::kTotalDecimalsState), "F");
    // A later change of the content keeps the fixed decimal places.
    tape_.Lines().SetEntries(2, "1.125");
    tape_.RecordTotalStatusChange(2, "C");
    tape_.PostEditPass();
    EXPECT_EQ(tape_.Lines().Entries(9), "3.3750");
    static_cast<TTotalSeriesBase*>(tape_.CurrentSeries())->ResetToAutoDecimals();
    EXPECT_EQ(tape_.Lines().Entries(9), "3.375");
}

TEST_F(TotalsTest, ARangeWhoseSumWouldOverflowIsRefusedAndExplained) {
    // Each near the largest value; their sum is past it.
    const std::string huge = "6" + std::string(4931, '0') + ".00";
    const auto twoSeries = Join({Series(huge), Series(huge), kOpenLine});
    const auto threeSeries = Join({Series(huge), Series(huge), Series("1.00"), kOpenLine});
    auto entriesOf = [](const std::vector<TapeRow>& rows) {
        Texts texts;
        for (const TapeRow& row : rows) texts.push_back(row.entries);
        return texts;
    };
    Texts withTypedLine = entriesOf(threeSeries);
    withTypedLine.insert(withTypedLine.begin() + 8, "+");
    struct Way {
        std::string name;
        const std::vector<TapeRow>* rows;
        LineIndex focus;
        std::string keys;  // none: the command
        Texts entriesAfter;  // the tape is otherwise left as it was
    };
    const std::vector<Way> ways = {
        {"command", &twoSeries, -1, "", entriesOf(twoSeries)},
        {"Enter on the last line", &twoSeries, -1, "\r", entriesOf(twoSeries)},
        // An operator typed on the second zero total starts a line that would give way to the range.
        {"Enter on an operator typed after the zero total", &threeSeries, 7, "+\r", withTypedLine},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Fill(*way.rows, way.focus);
        const int beeps = Beeps();
        if (way.keys.empty()) EXPECT_FALSE(tape_.InsertGroupTotalAt(tape_.LastLine()));
        for (const char key : way.keys) tape_.KeyPress(key);
        EXPECT_EQ(Explanation(), "The group total would exceed the calculator's capacity; it was not inserted.");
        EXPECT_EQ(Beeps(), beeps + 1);
        EXPECT_EQ(Entries(), way.entriesAfter);
    }
}

TEST_F(TotalsTest, WithoutATotalManagerInsertingIsExplainedNotSilent) {
    TStMediator otherBus;
    TCalculator bare('t', &otherBus, &view_);
    test::ReplaceTapeLines(bare, Join({Series("1.00"), kOpenLine}));
    EXPECT_FALSE(bare.InsertGroupTotalAt(bare.LastLine()));
    EXPECT_EQ(Explanation(), "Group and grand totals are not available for this tape.");
}

TEST_F(TotalsTest, SingleLineTotalsFollowAChangedSeriesTotalInOnePass) {
    Fill(Join({Series("1.00"), Series("2.00"), kGroupRange, Series("4.00"), kGrandRange, kOpenLine}));
    // Bring both ranges up to date first: each records "I" when recalculated from scratch.
    tape_.RecalculateTotalAt(9);
    tape_.RecalculateTotalAt(16);
    EXPECT_EQ(tape_.Lines().Entries(9), "3.00");
    EXPECT_EQ(tape_.Lines().Entries(16), "7.00");

    tape_.Lines().SetEntries(6, "20.00");
    tape_.RecordTotalStatusChange(6, "C");
    EXPECT_EQ(manager_.PendingTapes(), "t");
    tape_.PostEditPass();
    EXPECT_EQ(tape_.Lines().Entries(9), "21.00");
    EXPECT_EQ(tape_.Lines().Entries(16), "25.00");
    EXPECT_EQ(manager_.PendingTapes(), "");
    for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
        EXPECT_EQ(tape_.Lines().Property(line, LineKey::kTotalStatusFlag), "") << line;
    }

    // A change after the group total reaches only the grand total.
    tape_.Lines().SetEntries(9, "99.00");  // would be recomputed if selected
    tape_.Lines().SetEntries(13, "5.00");
    tape_.RecordTotalStatusChange(13, "C");
    tape_.PostEditPass();
    EXPECT_EQ(tape_.Lines().Entries(9), "99.00");
    EXPECT_EQ(tape_.Lines().Entries(16), "26.00");
}

// A flag recorded while the pass recalculates (here by a link destination following the group
// total) is processed in the same pass, not left behind.
TEST_F(TotalsTest, FlagsRecordedWhileProcessingAreProcessedTooAndNoneSurvive) {
    Fill(Join({Series("1.00"), Series("2.00"), kGroupRange, Series("4.00"), kGrandRange, kOpenLine}));
    tape_.Lines().SetProperty(9, LineKey::kLinkId, "AS+1");
    tape_.Hooks().QueueLinkSource = [this](const std::string&) {
        if (tape_.Lines().Entries(13) == "10.00") return;
        tape_.Lines().SetEntries(13, "10.00");
        tape_.RecordTotalStatusChange(13, "C");
    };
    tape_.Lines().SetEntries(6, "5.00");
    tape_.RecordTotalStatusChange(6, "C");
    tape_.PostEditPass();
    EXPECT_EQ(tape_.Lines().Entries(9), "6.00");
    EXPECT_EQ(tape_.Lines().Entries(16), "16.00");
    for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
        EXPECT_EQ(tape_.Lines().Property(line, LineKey::kTotalStatusFlag), "") << line;
    }
}

// Single-line group and grand totals follow the commands that change the series they add up.
TEST_F(TotalsTest, SingleLineTotalsFollowSortZeroTotalDecimalPlacesAndRounding) {
    // A series of +1.125 and +2 (3.13 rounded half up), one of 2.00, a group total, a series of
    // 4.00 and a grand total; the zero total splits the first series at an empty line.
    const auto tail = Join({Series("2.00"), kGroupRange, Series("4.00"), kGrandRange, kOpenLine});
    const auto rows = Join({{{" ", "+1.125"}, {" ", "+2"}, {"=", "=========="}, {"T", "3.13"}, {"Z", "0.00", "SDP=2"}},
                            tail});
    const auto withEmptyLine = Join(
        {{{" ", "+1.125"}, {" ", ""}, {" ", "+2"}, {"=", "=========="}, {"T", "3.13"}, {"Z", "0.00", "SDP=2"}}, tail});
    struct Case {
        std::string name;
        const std::vector<TapeRow>* rows;
        LineIndex focus;
        std::function<bool()> command;
        std::string groupLine;  // indicator|entries
        std::string grandTotal;
    };
    const std::vector<Case> cases = {
        {"sort", &rows, 0, [this] { return SortTapeSegment(tape_, TSortDirection::LargeToSmall); }, "g(2)|5.13",
         "9.13"},
        {"zero total splits the series", &withEmptyLine, 1, [this] { return tape_.ZeroTotal(); }, "g(3)|5.13", "9.13"},
        {"decimal places", &rows, 0, [this] { return SpecifyTapeDecimalPlaces(tape_, 3); }, "g(2)|5.125", "9.125"},
        {"rounding method", &rows, 0, [this] { return ChangeRoundingMethod(tape_, TRoundingMethod::Even); },
         "g(2)|5.12", "9.12"},
    };
    const auto lineOfKind = [this](char kind) {
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            if (tape_.Lines().HasKind(line, kind)) return line;
        }
        return kNoLine;
    };
    tape_.SetShowGroupTotalItemCount(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.SetRoundingMethod(TRoundingMethod::Up);
        Fill(*c.rows, c.focus);
        tape_.RecalculateTotalAt(lineOfKind('g'));
        tape_.RecalculateTotalAt(lineOfKind('G'));
        ASSERT_EQ(tape_.Lines().Entries(lineOfKind('g')), "5.13");
        ASSERT_TRUE(c.command());
        const LineIndex group = lineOfKind('g');
        EXPECT_EQ(std::string(tape_.Lines().Indicator(group)) + "|" + std::string(tape_.Lines().Entries(group)),
                  c.groupLine);
        EXPECT_EQ(tape_.Lines().Entries(lineOfKind('G')), c.grandTotal);
        EXPECT_TRUE(tape_.Lines().FlaggedLines().empty());
    }
}

// A group total inserted between series splits the stretch of the group total after it: that
// one and the grand total after it are recalculated, a later group total is not.
TEST_F(TotalsTest, AnInsertedGroupTotalRecalculatesTheNextGroupAndGrandTotal) {
    Fill(Join({Series("1.00"), Series("2.00"), kGroupRange, Series("4.00"), kGroupRange, kGrandRange, kOpenLine}), 4);
    tape_.Lines().SetEntries(9, "3.00");
    tape_.Lines().SetEntries(16, "9.99");  // stale, but out of reach of the insertion
    ASSERT_TRUE(tape_.InsertGroupTotalAt(4));
    EXPECT_EQ(Texts({std::string(tape_.Lines().Entries(5)), std::string(tape_.Lines().Entries(12)),
                     std::string(tape_.Lines().Entries(19)), std::string(tape_.Lines().Entries(22))}),
              (Texts{"1.00", "2.00", "9.99", "7.00"}));
    EXPECT_TRUE(tape_.Lines().FlaggedLines().empty());
}

TEST_F(TotalsTest, TheFirstStatusFlagStaysAndUnknownTapesAreDropped) {
    Fill(Join({Series("1.00"), kOpenLine}));
    tape_.RecordTotalStatusChange(2, "C");
    tape_.RecordTotalStatusChange(2, "I");
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "C");
    manager_.RecordStatusChange('q');
    manager_.RecordStatusChange('t');
    EXPECT_EQ(manager_.PendingTapes(), "tq");
    manager_.ProcessPendingTotals();
    EXPECT_EQ(manager_.PendingTapes(), "");
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "");
}

// Whether the range follows the deleted series directly or after more series of its stretch.
TEST_F(TotalsTest, DeletingASeriesRecalculatesTheNextGroupAndGrandTotal) {
    const std::vector<std::pair<LineIndex, Texts>> cases = {
        {4, {"1.00", "1.00"}},
        {0, {"2.00", "2.00"}},
    };
    for (const auto& [focus, totals] : cases) {
        SCOPED_TRACE(focus);
        Fill(Join({Series("1.00"), Series("2.00"), kGroupRange, kGrandRange, kOpenLine}), focus);
        tape_.Lines().SetEntries(9, "3.00");
        tape_.Lines().SetEntries(12, "3.00");
        ASSERT_TRUE(tape_.DeleteSeries());
        EXPECT_EQ(Texts({std::string(tape_.Lines().Entries(5)), std::string(tape_.Lines().Entries(8))}), totals);
    }
}

TEST_F(TotalsTest, ResetToAutoDecimalsGoesBackToTheContentsDecimalPlaces) {
    Fill(Join({Series("1.00"), Series("2.125"),
               {{"[", "", "STYP=gro"}, {"g", "3.1250", "STYP=gro"}, {"]", "", "STYP=gro,TSD=SL,SDP=4,TT=DE,TSDS=F"}},
               kOpenLine}),
         9);
    // Fixed decimal places stay through a recalculation.
    tape_.RecalculateTotalAt(9);
    EXPECT_EQ(tape_.Lines().Entries(9), "3.1250");
    auto& range = static_cast<TTotalSeriesBase&>(*tape_.CurrentSeries());
    ASSERT_EQ(&range, tape_.SeriesByKind("gro"));
    range.ResetToAutoDecimals();
    EXPECT_EQ(tape_.Lines().Entries(9), "3.125");
    EXPECT_EQ(tape_.Lines().Property(10, LineKey::kTotalDecimalsState), "V");
    EXPECT_EQ(range.DecimalPlaces(), 3);
}

TEST(TotalListsTest, CollectingSkipsAnEndingLineWithNothingBeforeIt) {
    TLineStore lines;
    test::FillTape(lines, {{"Z", "0.00"}, {" ", "+1"}, {"T", "1.00"}, {"Z", "0.00"}, {" ", ""}});
    const TTapeTotalInfoList list = CollectSeriesTotals(lines, 't');
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Line, 2);
    EXPECT_EQ(list[0].RangeStart, -1);
}

TEST(TotalListsTest, AGrandTotalItemizedByGroupListsTheGroupTotalsAndTheSeriesAfterThem) {
    auto item = [](LineIndex line, std::string indicator) {
        TTapeTotalInfoListItem i;
        i.TapeId = 't';
        i.Line = line;
        i.Indicator = std::move(indicator);
        i.Entries = std::to_string(line);
        return i;
    };
    TTapeTotalInfoList list = {item(20, "T"), item(2, "T"), item(6, "g"), item(9, "T"), item(12, "g")};
    auto lines = [](const TTotalSeriesContentList& content) {
        std::vector<LineIndex> result;
        for (const auto& c : content) result.push_back(c.Line);
        return result;
    };
    EXPECT_EQ(lines(DetermineTotalSeriesContent(list, 30, "gra", "GT")), (std::vector<LineIndex>{6, 12, 20}));
    EXPECT_EQ(lines(DetermineTotalSeriesContent(list, 30, "gra", "SL")), (std::vector<LineIndex>{2, 9, 20}));
    EXPECT_EQ(lines(DetermineTotalSeriesContent(list, 30, "gro", "SL")), (std::vector<LineIndex>{20}));
    EXPECT_TRUE(DetermineTotalSeriesContent(list, 13, "gro", "SL").empty());
    EXPECT_EQ(lines(DetermineTotalSeriesContent(list, 13, "gra", "SL")), (std::vector<LineIndex>{2, 9}));
    TTapeTotalInfoList noGroups = {item(2, "T"), item(5, "T")};
    EXPECT_EQ(lines(DetermineTotalSeriesContent(noGroups, 9, "gra", "GT")), (std::vector<LineIndex>{2, 5}));
}

}  // namespace
}  // namespace tally
