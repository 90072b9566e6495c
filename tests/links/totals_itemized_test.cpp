// Itemized group and grand totals over a link manager and a total manager: each display state's
// lines, switching back to a single line, and content lines rebuilt after edits.
#include "engine/decimals/tape_decimals.h"
#include "engine/series/total_series.h"
#include "engine/totals/total_manager.h"
#include "links/tape_edit_actions.h"
#include "link_test_fixture.h"

namespace tally {
namespace {

using test::TapeRow;

std::vector<TapeRow> Series(const std::string& total, const std::string& totalProperties = "") {
    return {{" ", "+" + total}, {"=", "=========="}, {"T", total, totalProperties}, {"Z", "0.00"}};
}

std::vector<TapeRow> Range(const std::string& seriesType, const std::string& total) {
    const bool group = seriesType == "gro";
    const std::string styp = "STYP=" + seriesType;
    return {{group ? "[" : "{", "", styp},
            {group ? "g" : "G", total, styp},
            {group ? "]" : "}", "", styp + ",TSD=SL,SDP=2,TT=DE"}};
}

std::vector<TapeRow> Join(std::initializer_list<std::vector<TapeRow>> parts) {
    std::vector<TapeRow> rows;
    for (const auto& part : parts) rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

class ItemizedTotalsTest : public test::LinkTest, public ITotalTapes {
protected:
    ItemizedTotalsTest() {
        memoryEnabled_ = auxEnabled_ = false;
        main_.Hooks().ProcessPendingTotals = [this](TCalculator&) { totals_.ProcessPendingTotals(); };
    }
    TCalculator* TapeById(char id) override { return id == 't' ? &main_ : nullptr; }

    void Fill(const std::vector<TapeRow>& rows, LineIndex focus) {
        test::ReplaceTapeLines(main_, std::span<const TapeRow>(rows), focus);
        main_.ChooseCurrentSeries();
    }
    TTotalSeriesBase& Handler(std::string_view seriesType) {
        return *static_cast<TTotalSeriesBase*>(main_.SeriesByKind(seriesType));
    }
    // Indicator and Entries of the lines first..last, as "indicator|entries".
    std::vector<std::string> Lines(LineIndex first, LineIndex last) const {
        std::vector<std::string> texts;
        for (LineIndex line = first; line <= last && main_.Lines().IsLine(line); ++line) {
            texts.push_back(std::string(main_.Lines().Indicator(line)) + "|" + std::string(main_.Lines().Entries(line)));
        }
        return texts;
    }

    TTotalManager totals_{bus_, *this};
};

// A group total over 10.00 and 2.5 at lines 8-10; a grand total over 1.00, 2.00, a group
// total of them and 4.00 at lines 15-17.
const std::vector<TapeRow> kGroupTape = Join({Series("10.00"), Series("2.5"), Range("gro", "12.50"), {{" ", ""}}});
const std::vector<TapeRow> kGrandTape = Join(
    {Series("1.00"), Series("2.00"), Range("gro", "3.00"), Series("4.00"), Range("gra", "7.00"), {{" ", ""}}});

TEST_F(ItemizedTotalsTest, EachDisplayStateShowsItsLines) {
    struct Case {
        const char* name;
        const std::vector<TapeRow>* tape;
        std::string seriesType;
        LineIndex totalLine;  // of the single-line range
        std::vector<std::string> states;
        std::vector<std::string> expected;  // the range's lines after the last state
        int count;                          // the totals the range includes, as its item count
    };
    const std::vector<Case> cases = {
        {"group by series", &kGroupTape, "gro", 9, {"ST"},
         {"[|", "T|+10.00", "T|+2.50", "=|==========", "g|12.50", "]|"}, 2},
        {"group back to a single line", &kGroupTape, "gro", 9, {"ST", "SL"}, {"[|", "g|12.50", "]|"}, 2},
        {"grand by group", &kGrandTape, "gra", 16, {"GT"},
         {"{|", "g|+3.00", "T|+4.00", "=|==========", "G|7.00", "}|"}, 2},
        {"grand by series", &kGrandTape, "gra", 16, {"ST"},
         {"{|", "T|+1.00", "T|+2.00", "T|+4.00", "=|==========", "G|7.00", "}|"}, 3},
        {"grand by group, then by series", &kGrandTape, "gra", 16, {"GT", "ST"},
         {"{|", "T|+1.00", "T|+2.00", "T|+4.00", "=|==========", "G|7.00", "}|"}, 3},
        {"grand by series, then by group", &kGrandTape, "gra", 16, {"ST", "GT"},
         {"{|", "g|+3.00", "T|+4.00", "=|==========", "G|7.00", "}|"}, 2},
        {"grand round trip", &kGrandTape, "gra", 16, {"GT", "ST", "SL"}, {"{|", "G|7.00", "}|"}, 3},
    };
    for (const Case& c : cases) {
        for (const bool counts : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (counts ? ", with item counts" : ""));
            main_.SetShowGroupTotalItemCount(counts);
            main_.SetShowGrandTotalItemCount(counts);
            std::vector<std::string> expected = c.expected;
            if (counts) expected[expected.size() - 2].insert(1, "(" + std::to_string(c.count) + ")");
            Fill(*c.tape, c.totalLine);
            for (const std::string& state : c.states) Handler(c.seriesType).SetDisplayState(state);
            const LineIndex opening = c.totalLine - 1;
            EXPECT_EQ(Lines(opening, opening + static_cast<LineIndex>(c.expected.size()) - 1), expected);
            const LineIndex closing = opening + static_cast<LineIndex>(c.expected.size()) - 1;
            EXPECT_EQ(main_.Lines().Property(closing, LineKey::kTotalDisplayState), c.states.back());
            EXPECT_EQ(main_.FocusLine(), closing - 1);
            EXPECT_EQ(Lines(main_.LastLine(), main_.LastLine()), std::vector<std::string>{" |"});
            if (c.states.back() != "SL") {
                // Each content line follows its series total through a total link.
                EXPECT_EQ(LinkOf(main_, opening + 2).substr(0, 2), "AD");
            }
        }
    }
}

TEST_F(ItemizedTotalsTest, EnterAndEqualsCycleTheDisplayOnARangeLine) {
    struct Case {
        const char* name;
        const std::vector<TapeRow>* tape;
        LineIndex totalLine;
        std::string keys;
        std::vector<std::string> states;  // TSD after each key
    };
    const std::vector<Case> cases = {
        {"group", &kGroupTape, 9, "\n=\n", {"ST", "SL", "ST"}},
        {"grand", &kGrandTape, 16, "\n\n=", {"GT", "ST", "SL"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(*c.tape, c.totalLine);
        const LineIndex lineCount = main_.Lines().LineCount();
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            Type(main_, c.keys.substr(i, 1));
            const LineIndex closing = main_.FocusLine() + 1;
            EXPECT_EQ(main_.Lines().Property(closing, LineKey::kTotalDisplayState), c.states[i]);
        }
        if (c.states.back() == "SL") {
            EXPECT_EQ(main_.Lines().LineCount(), lineCount);
            EXPECT_EQ(Lines(c.totalLine, c.totalLine), std::vector<std::string>{c.tape->at(c.totalLine).indicator + "|" +
                                                                              c.tape->at(c.totalLine).entries});
        }
    }
}

TEST_F(ItemizedTotalsTest, ContentLinesFollowTheirSourceAndTheTotalFollows) {
    Fill(kGroupTape, 9);
    Handler("gro").SetDisplayState("ST");
    // The second series total changes; its content line and the group total follow.
    main_.Lines().SetEntries(6, "5.25");
    ASSERT_TRUE(main_.Hooks().QueueLinkSource);
    main_.Hooks().QueueLinkSource(std::string(main_.Lines().Property(6, LineKey::kLinkId)));
    main_.PostEditPass();
    EXPECT_EQ(Lines(9, 12), (std::vector<std::string>{"T|+10.00", "T|+5.25", "=|==========", "g|15.25"}));
}

TEST_F(ItemizedTotalsTest, BackToASingleLineRecomputesTheTotalOfTheContent) {
    Fill(kGroupTape, 9);
    Handler("gro").SetDisplayState("ST");
    // A content line that no longer agrees with its source, as after a refused step.
    main_.Lines().SetEntries(9, "+90.00");
    Handler("gro").Recalculate(9);
    ASSERT_EQ(main_.Lines().Entries(12), "92.50");
    Handler("gro").SetDisplayState("SL");
    EXPECT_EQ(Lines(8, 10), (std::vector<std::string>{"[|", "g|12.50", "]|"}));
}

TEST_F(ItemizedTotalsTest, ATotalThatCannotBeLinkedGetsNoEmptyContentLine) {
    // The first series total is already a link destination, so it cannot be a source.
    Fill(Join({Series("10.00", test::Lid("AD+", 9)), Series("2.5"), Range("gro", "12.50"), {{" ", ""}}}), 9);
    Handler("gro").SetDisplayState("ST");
    EXPECT_EQ(Lines(8, 12), (std::vector<std::string>{"[|", "T|+2.50", "=|==========", "g|2.50", "]|"}));
}

TEST_F(ItemizedTotalsTest, NothingHappensWithoutContentOrWhenNotTheCurrentSeries) {
    // A group total right after a grand total has nothing to itemize.
    const auto tape = Join({Series("1.00"), Range("gra", "1.00"), Range("gro", "0.00"), {{" ", ""}}});
    Fill(tape, 8);
    Handler("gro").SetDisplayState("ST");
    EXPECT_EQ(main_.Lines().LineCount(), static_cast<LineIndex>(tape.size()));

    Fill(kGroupTape, 2);
    Handler("gro").SetDisplayState("ST");
    EXPECT_EQ(main_.Lines().LineCount(), static_cast<LineIndex>(kGroupTape.size()));
}

// The menu tests of deleting, resetting to automatic decimal places and showing a range as
// another display state say yes exactly when the command, run on the same tape, changes it.
TEST_F(ItemizedTotalsTest, RangeMenuTestsAgreeWithTheirCommands) {
    // Fixed at 3 decimal places where the content has 2.
    auto fixed = [](std::vector<TapeRow> range) {
        range[1].entries += "0";
        range[2].properties = range[2].properties.replace(range[2].properties.find("SDP=2"), 5, "SDP=3") + ",TSDS=F";
        return range;
    };
    const auto fixedGroupTape = Join({Series("10.00"), Series("2.5"), fixed(Range("gro", "12.50")), {{" ", ""}}});
    const auto fixedGrandTape = Join({Series("1.00"), Series("2.00"), Range("gro", "3.00"), Series("4.00"),
                                      fixed(Range("gra", "7.00")), {{" ", ""}}});
    // A group total right after a grand total has nothing to add up.
    const auto emptyGroupTape = Join({Series("1.00"), Range("gra", "1.00"), fixed(Range("gro", "0.00")), {{" ", ""}}});
    struct Query {
        const char* command;
        std::function<bool(const TCalculator&)> can;
    };
    // One reset command serves both kinds of range.
    auto canReset = [](const TCalculator& t) {
        return t.CanResetGroupTotalDecimals() || t.CanResetGrandTotalDecimals();
    };
    const std::vector<Query> queries = {
        {"DeleteGroupTotal", &TCalculator::CanDeleteGroupTotal},
        {"DeleteGrandTotal", &TCalculator::CanDeleteGrandTotal},
        {"TotalSeriesDecStatusToVar", canReset},
        {"GroupTotalItemizedBySeries", &TCalculator::CanShowGroupTotalAs},
        {"GrandTotalItemizedByGroup", &TCalculator::CanShowGrandTotalAs},
        {"GrandTotalItemizedBySeries", &TCalculator::CanShowGrandTotalAs},
    };
    struct Case {
        const char* name;
        const std::vector<TapeRow>* tape;
        LineIndex focus;
        std::vector<bool> expected;  // per query
    };
    const std::vector<Case> cases = {
        {"a group total line", &kGroupTape, 9, {true, false, false, true, false, false}},
        {"a group total's boundary line", &kGroupTape, 10, {true, false, false, true, false, false}},
        {"fixed decimal places", &fixedGroupTape, 8, {true, false, true, true, false, false}},
        {"a series line", &kGroupTape, 2, {false, false, false, false, false, false}},
        {"the open last line", &kGroupTape, 11, {false, false, false, false, false, false}},
        {"a grand total line", &kGrandTape, 16, {false, true, false, false, true, true}},
        {"a grand total with fixed decimal places", &fixedGrandTape, 17, {false, true, true, false, true, true}},
        {"a group total over nothing", &emptyGroupTape, 9, {true, false, true, false, false, false}},
    };
    auto snapshot = [this] {
        std::vector<std::string> texts = Lines(0, main_.LastLine());
        for (LineIndex line = 0; line <= main_.LastLine(); ++line) {
            // A range without the property counts as automatic.
            const std::string_view state = main_.Lines().Property(line, LineKey::kTotalDecimalsState);
            texts.emplace_back(state.empty() ? "V" : state);
        }
        return texts;
    };
    for (const auto& c : cases) {
        for (std::size_t i = 0; i < queries.size(); ++i) {
            SCOPED_TRACE(std::string(c.name) + ", " + queries[i].command + " #" + std::to_string(i));
            Fill(*c.tape, c.focus);
            const bool can = queries[i].can(main_);
            EXPECT_EQ(can, c.expected[i]);
            const auto before = snapshot();
            const int beeps = platform_.BeepCount();
            ASSERT_TRUE(RunTapeEditAction(main_, manager_, queries[i].command));
            EXPECT_EQ(snapshot() != before, can);
            EXPECT_EQ(platform_.BeepCount(), beeps);
        }
    }
}

// The Edit menu shows how the range holding the focus is shown, and nothing elsewhere.
TEST_F(ItemizedTotalsTest, FocusRangeDisplayStateFollowsTheRangeOfTheKind) {
    struct Case {
        const std::vector<TapeRow>* tape;
        LineIndex focus;
        std::string_view seriesType;
        std::string display;  // set first, when not empty
        std::string group, grand;
    };
    const Case cases[] = {
        {&kGroupTape, 9, "gro", "", "SL", ""},
        {&kGroupTape, 9, "gro", "ST", "ST", ""},
        {&kGroupTape, 2, "gro", "", "", ""},
        {&kGrandTape, 16, "gra", "GT", "", "GT"},
        {&kGrandTape, 9, "gra", "", "SL", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.focus) + " " + c.display);
        Fill(*c.tape, c.focus);
        if (!c.display.empty()) Handler(c.seriesType).SetDisplayState(c.display);
        EXPECT_EQ(main_.FocusRangeDisplayState("gro"), c.group);
        EXPECT_EQ(main_.FocusRangeDisplayState("gra"), c.grand);
    }
}

TEST_F(ItemizedTotalsTest, DeletingASeriesRebuildsTheItemizedGrandTotal) {
    Fill(kGrandTape, 16);
    Handler("gra").SetDisplayState("ST");
    ASSERT_EQ(main_.Lines().LineCount(), static_cast<LineIndex>(kGrandTape.size()) + 4);
    // Deleting the series of 4.00 (lines 11-14) flags the grand total, whose content shrinks.
    main_.SetFocusLine(11);
    main_.ChooseCurrentSeries();
    ASSERT_TRUE(main_.DeleteSeries());
    EXPECT_EQ(Lines(11, 16), (std::vector<std::string>{"{|", "T|+1.00", "T|+2.00", "=|==========", "G|3.00", "}|"}));
    EXPECT_TRUE(main_.Lines().Property(15, LineKey::kTotalStatusFlag).empty());
}

// Without the group total, the grand total after it has no group to itemize and lists the
// series totals.
TEST_F(ItemizedTotalsTest, DeletingAGroupTotalRebuildsAGrandTotalItemizedByGroup) {
    Fill(kGrandTape, 16);
    Handler("gra").SetDisplayState("GT");
    ASSERT_EQ(Lines(16, 17), (std::vector<std::string>{"g|+3.00", "T|+4.00"}));
    main_.SetFocusLine(9);
    ASSERT_TRUE(main_.CanDeleteGroupTotal());
    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "DeleteGroupTotal"));
    EXPECT_EQ(Lines(8, 19), (std::vector<std::string>{" |+4.00", "=|==========", "T|4.00", "Z|0.00", "{|", "T|+1.00",
                                                       "T|+2.00", "T|+4.00", "=|==========", "G|7.00", "}|", " |"}));
    EXPECT_EQ(main_.Lines().Property(18, LineKey::kTotalDisplayState), "GT");
}

TEST_F(ItemizedTotalsTest, ANewRangeTakesTheTapesCreationDisplay) {
    struct Case {
        const char* name;
        std::vector<TapeRow> tape;
        std::string seriesType;
        std::string display;
        std::vector<std::string> expected;  // the new range's lines
    };
    const auto twoSeries = Join({Series("10.00"), Series("2.5"), {{" ", ""}}});
    const auto groupedSeries = Join({Series("1.00"), Series("2.00"), Range("gro", "3.00"), Series("4.00"), {{" ", ""}}});
    const std::vector<Case> cases = {
        {"group by series", twoSeries, "gro", "ST",
         {"[|", "T|+10.00", "T|+2.50", "=|==========", "g|12.50", "]|"}},
        {"grand by group", groupedSeries, "gra", "GT", {"{|", "g|+3.00", "T|+4.00", "=|==========", "G|7.00", "}|"}},
        {"grand by series", groupedSeries, "gra", "ST",
         {"{|", "T|+1.00", "T|+2.00", "T|+4.00", "=|==========", "G|7.00", "}|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool group = c.seriesType == "gro";
        ASSERT_TRUE(group ? main_.SetGroupTotalCreationDisplayState(c.display)
                          : main_.SetGrandTotalCreationDisplayState(c.display));
        Fill(c.tape, static_cast<LineIndex>(c.tape.size()) - 1);
        ASSERT_TRUE(group ? main_.InsertGroupTotalAt(main_.LastLine()) : main_.InsertGrandTotalAt(main_.LastLine()));
        const LineIndex opening = static_cast<LineIndex>(c.tape.size()) - 1;
        const LineIndex closing = opening + static_cast<LineIndex>(c.expected.size()) - 1;
        EXPECT_EQ(Lines(opening, closing), c.expected);
        EXPECT_EQ(main_.Lines().Property(closing, LineKey::kTotalDisplayState), c.display);
        EXPECT_EQ(LinkOf(main_, opening + 2).substr(0, 2), "AD");
        EXPECT_EQ(main_.FocusLine(), main_.LastLine());
    }
    // A state the kind does not have is refused and the state in force stays.
    EXPECT_FALSE(main_.SetGroupTotalCreationDisplayState("GT"));
    EXPECT_EQ(main_.GroupTotalCreationDisplayState(), "ST");
    EXPECT_FALSE(main_.SetGrandTotalCreationDisplayState(""));
    EXPECT_EQ(main_.GrandTotalCreationDisplayState(), "ST");
}

TEST_F(ItemizedTotalsTest, DecimalPlacesSetOnAnItemizedRangeRewriteItsContentLines) {
    Fill(kGroupTape, 9);
    Handler("gro").SetDisplayState("ST");
    ASSERT_EQ(main_.FocusLine(), 12);
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(main_, 4));
    EXPECT_EQ(Lines(9, 12), (std::vector<std::string>{"T|+10.0000", "T|+2.5000", "=|==========", "g|12.5000"}));
    // Back to 1 and up to 3: the content comes from the sources again, nothing was lost.
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(main_, 0));
    EXPECT_EQ(Lines(9, 12), (std::vector<std::string>{"T|+10", "T|+3", "=|==========", "g|13"}));
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(main_, 3));
    EXPECT_EQ(Lines(9, 12), (std::vector<std::string>{"T|+10.000", "T|+2.500", "=|==========", "g|12.500"}));
    // Back to automatic decimal places: the largest of the content, from the sources again.
    EXPECT_TRUE(SpecifyTapeDecimalPlaces(main_, 0));
    Handler("gro").ResetToAutoDecimals();
    EXPECT_EQ(Lines(9, 12), (std::vector<std::string>{"T|+10.00", "T|+2.50", "=|==========", "g|12.50"}));
    EXPECT_EQ(main_.Lines().Property(13, LineKey::kTotalDecimalsState), "V");
    EXPECT_TRUE(SpecifyTapeTotalType(main_, "T2"));
    EXPECT_EQ(main_.Lines().Entries(12), "12:30");
}

// Links out of a group or grand total line carry its value on; a link into a series the range
// adds up, fed from the range's own total (directly or through other links), is a circle.
TEST_F(ItemizedTotalsTest, LinksIntoAndOutOfRangeTotalsWithTheCircleCheck) {
    // Group total of 10.00 and 2.5 at line 10 (counted from 1), a series of +1.00 after it
    // (lines 12-15), a grand total over all three series at line 17.
    const auto tape = Join({Series("10.00"), Series("2.5"), Range("gro", "12.50"), Series("1.00"),
                            Range("gra", "13.50"), {{" ", ""}}});
    struct Step {
        int source;
        int dest;
        bool refused;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"group total into a later series", {{10, 12, false}}},
        {"group total into a series it adds up", {{10, 1, true}}},
        {"grand total into a series it adds up", {{17, 12, true}}},
        {"a later total into the group's series, once the group feeds it", {{10, 12, false}, {14, 1, true}}},
        {"a later total into the group's series, alone", {{14, 1, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(tape, 0);
        for (const Step& step : c.steps) {
            ASSERT_TRUE(manager_.SetAsLinkSource('t', step.source, ""));
            EXPECT_EQ(manager_.SetAsLinkDest('t', step.dest, ""), !step.refused) << step.source << " to " << step.dest;
            if (step.refused) {
                EXPECT_EQ(Explanation().rfind("Can not use line T" + std::to_string(step.dest) +
                                                  " as a Link Destination for line T" + std::to_string(step.source) +
                                                  ".  It would create a Circular Link",
                                              0),
                          0u);
            }
        }
    }
    // The linked value follows the group total when a series total inside it changes.
    Fill(tape, 0);
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 10, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 12, ""));
    EXPECT_EQ(Entry(main_, 12), "+12.50");
    main_.Lines().SetEntries(2, "20.00");
    main_.RecordTotalStatusChange(2, "C");
    main_.PostEditPass();
    EXPECT_EQ(Entry(main_, 10), "22.50");
    EXPECT_EQ(Entry(main_, 12), "+22.50");
    EXPECT_EQ(Entry(main_, 14), "22.50");
    EXPECT_EQ(Entry(main_, 17), "45.00");
}

}  // namespace
}  // namespace tally
