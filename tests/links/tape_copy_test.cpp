// The tape's copy commands: what reaches the clipboard and how each refuses.
#include "links/tape_copy.h"

#include <functional>

#include "engine/records/tape_record.h"
#include "link_test_fixture.h"
#include "links/tape_edit_actions.h"

namespace tally::test {
namespace {

class TapeCopyTest : public LinkTest {
protected:
    TapeCopyTest() { SetUpTape(); }
    void SetUpTape() {
        ReplaceTapeLines(main_, std::span<const TapeRow>(EmbeddedSeriesTape()));
    }
    TTapeCopier copier_{main_, clipboard_, "1234567890123456"};
};

TEST_F(TapeCopyTest, CopyLineWritesLineRecordOrRefusesWithLineName) {
    EXPECT_TRUE(copier_.CopyLineAt(0));
    const auto record = ReadLineRecord(clipboard_.GetText());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->entry, "+100.00");
    EXPECT_EQ(record->operation, "copy");
    clipboard_.SetText("kept");
    EXPECT_FALSE(copier_.CopyLineAt(1));
    EXPECT_EQ(Explanation(), "Can not copy from line T2.");
    EXPECT_EQ(clipboard_.GetText(), "kept");
}

TEST_F(TapeCopyTest, CopySeriesTakesEmbeddedContentOrWholeSeries) {
    main_.SetFocusLine(2);
    ASSERT_TRUE(copier_.CopySeries("copy"));
    auto record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::CalcSeries);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->groups.size(), 4u);
    main_.SetFocusLine(6);
    ASSERT_TRUE(copier_.CopySeries("copy"));
    record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::CalcSeries);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->groups.size(), 10u);
}

TEST_F(TapeCopyTest, IncompleteSeriesAndTapeAreRefusedSilentlyWithBeep) {
    clipboard_.SetText("kept");
    main_.SetFocusLine(10);
    EXPECT_FALSE(copier_.CopySeries("copy"));
    EXPECT_FALSE(copier_.CopyTape());
    EXPECT_EQ(Explanation(), "");
    EXPECT_EQ(clipboard_.GetText(), "kept");
    // Without the open series the tape ends with a zero total and the empty line.
    main_.Lines().RemoveLines(10, 1);
    main_.SetFocusLine(10);
    ASSERT_TRUE(copier_.CopyTape());
    const auto record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::EntireTape);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->groups.size(), 10u);
}

TEST_F(TapeCopyTest, CopyEmbeddedSeriesOnlyInsideOne) {
    clipboard_.SetText("kept");
    main_.SetFocusLine(0);
    EXPECT_FALSE(copier_.CopyEmbeddedSeries());
    EXPECT_EQ(clipboard_.GetText(), "kept");
    main_.SetFocusLine(3);
    ASSERT_TRUE(copier_.CopyEmbeddedSeries());
    const auto record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::EmbeddedSeries);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->groups.size(), 6u);
}

}  // namespace
}  // namespace tally::test

namespace tally::test {
namespace {

struct CutCase {
    const char* name;
    LineIndex focus;
    bool (TTapeCopier::*cut)();
    int linesLeft;
    std::string firstEntry;
};

TEST_F(TapeCopyTest, CutsWriteACutRecordAndRemoveWhatTheyCopied) {
    const CutCase cases[] = {
        {"whole series", 0, &TTapeCopier::CutSeries, 2, "+5.00"},
        {"series inside an embedded series empties it", 2, &TTapeCopier::CutSeries, 10, "+100.00"},
        {"embedded series with its external total", 3, &TTapeCopier::CutEmbeddedSeries, 6, "+100.00"},
        {"line of the open series", 10, &TTapeCopier::CutLine, 11, "+100.00"},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        TapeCopyTest::SetUpTape();
        main_.SetFocusLine(c.focus);
        ASSERT_TRUE((copier_.*c.cut)());
        EXPECT_EQ(main_.Lines().LineCount(), c.linesLeft);
        EXPECT_EQ(Entry(main_, 1), c.firstEntry);
        EXPECT_NE(clipboard_.GetText().find("Operation=cut\r\n"), std::string::npos) << clipboard_.GetText();
    }
}

TEST_F(TapeCopyTest, CutLineOfASeriesWithOneEntryRemovesTheSeries) {
    ReplaceTapeLines(main_, {{" ", "+4.00"}, {"=", "=========="}, {"T", "4.00"}, {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}});
    main_.SetFocusLine(0);
    ASSERT_TRUE(copier_.CutLine());
    EXPECT_EQ(main_.Lines().LineCount(), 1);
    const auto record = ReadLineRecord(clipboard_.GetText());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->operation, "cut");
    EXPECT_EQ(record->entry, "+4.00");
}

TEST_F(TapeCopyTest, RefusedCutsLeaveTapeAndClipboard) {
    struct Case {
        LineIndex focus;
        bool (TTapeCopier::*cut)();
        std::string explanation;
    };
    std::vector<TapeRow> rows = RangesTape();
    rows.insert(rows.end() - 1, {" ", "+2.00"});
    ReplaceTapeLines(main_, std::span<const TapeRow>(rows));
    const Case cases[] = {
        {5, &TTapeCopier::CutSeries, "Cannot cut a group total to the clipboard."},
        {8, &TTapeCopier::CutSeries, "Cannot cut a grand total to the clipboard."},
        {10, &TTapeCopier::CutSeries, ""},  // the open series is incomplete
        {10, &TTapeCopier::CutTape, ""},
        {1, &TTapeCopier::CutLine, ""},  // no entry line: nothing happens
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.explanation);
        clipboard_.SetText("kept");
        main_.SetFocusLine(c.focus);
        EXPECT_FALSE((copier_.*c.cut)());
        EXPECT_EQ(Explanation(), c.explanation);
        EXPECT_EQ(main_.Lines().LineCount(), 12);
        EXPECT_EQ(clipboard_.GetText(), "kept");
    }
}


// The menu tests of the copies and cuts say yes exactly when the edit action, run on the same
// tape, writes the clipboard or changes the tape; asking never beeps.
TEST_F(TapeCopyTest, CopyAndCutMenuTestsAgreeWithTheirCommands) {
    main_.SetClipboard(&clipboard_);
    const std::vector<TapeRow> rangeTape = RangesTape();
    using Query = std::function<bool(const TCalculator&)>;
    const Query queries[] = {
        [](const TCalculator& t) { return IsCopyableLine(t, t.FocusLine()); },
        [](const TCalculator& t) { return MayCutEntryText(t, t.FocusLine()); },
        [](const TCalculator& t) { return CanCopySeries(t); },
        [](const TCalculator& t) { return CanCopyEmbeddedSeries(t); },
        [](const TCalculator& t) { return CanCopyTotalRange(t, "gro"); },
        [](const TCalculator& t) { return CanCopyTotalRange(t, "gra"); },
        [](const TCalculator& t) { return CanCopyTape(t); },
    };
    // Each command with the query that answers for it.
    const std::pair<const char*, int> commands[] = {
        {"LineCopy", 0},           {"LineCut", 1},           {"SeriesCopy", 2},          {"SeriesCut", 2},
        {"EmbeddedSeriesCopy", 3}, {"EmbeddedSeriesCut", 3}, {"GroupTotalRangeCopy", 4}, {"GroupTotalRangeCut", 4},
        {"GrandTotalRangeCopy", 5}, {"GrandTotalRangeCut", 5}, {"TapeCopy", 6},           {"TapeCut", 6},
    };
    struct Case {
        const char* name;
        bool rangeTape;
        LineIndex focus;
        std::vector<bool> expected;  // per query
    };
    const Case cases[] = {
        {"an entry of a complete series", false, 0, {true, true, true, false, false, false, false}},
        {"an embedded series' opening line", false, 1, {false, false, false, true, false, false, false}},
        {"an entry of an embedded series", false, 2, {true, true, true, true, false, false, false}},
        {"an embedded series' total line", false, 4, {true, false, true, true, false, false, false}},
        {"an external total line", false, 6, {true, false, true, false, false, false, false}},
        {"a total line", false, 8, {true, false, true, false, false, false, false}},
        {"a zero total line", false, 9, {false, false, true, false, false, false, false}},
        {"an entry of the open series", false, 10, {true, true, false, false, false, false, false}},
        {"the empty last line", false, 11, {false, false, false, false, false, false, false}},
        {"an entry before the ranges", true, 0, {true, true, true, false, false, false, true}},
        {"a group total line", true, 5, {true, false, false, false, true, false, true}},
        {"a group total's closing line", true, 6, {false, false, false, false, true, false, true}},
        {"a grand total line", true, 8, {true, false, false, false, false, true, true}},
        {"the empty last line after the ranges", true, 10, {false, false, false, false, false, false, true}},
    };
    auto setUp = [&](const Case& c) {
        if (c.rangeTape) {
            ReplaceTapeLines(main_, std::span<const TapeRow>(rangeTape), c.focus);
        } else {
            SetUpTape();
            main_.SetFocusLine(c.focus);
        }
        main_.ChooseCurrentSeries();
        clipboard_.SetText("kept");
    };
    auto snapshot = [this] {
        std::vector<std::string> texts{clipboard_.GetText()};
        for (LineIndex line = 0; line <= main_.LastLine(); ++line) {
            texts.push_back(std::string(main_.Lines().Indicator(line)) + "|" + std::string(main_.Lines().Entries(line)));
        }
        return texts;
    };
    for (const Case& c : cases) {
        for (const auto& [command, query] : commands) {
            SCOPED_TRACE(std::string(c.name) + ", " + command);
            setUp(c);
            const int beeps = platform_.BeepCount();
            const bool can = queries[query](main_);
            EXPECT_EQ(platform_.BeepCount(), beeps);
            EXPECT_EQ(can, c.expected[static_cast<std::size_t>(query)]);
            const auto before = snapshot();
            ASSERT_TRUE(RunTapeEditAction(main_, manager_, command));
            EXPECT_EQ(snapshot() != before, can);
        }
    }
}

}  // namespace
}  // namespace tally::test
