// Group and grand total ranges through the clipboard: which lines a range record holds, what a
// range cut removes (a grand range left empty goes too), and the edit action table that runs
// them by name.
#include "engine/records/tape_record.h"
#include "links/tape_copy.h"
#include "links/tape_edit_actions.h"
#include "links/tape_paste.h"
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class TotalRangeClipboardTest : public LinkTest {
protected:
    TotalRangeClipboardTest() {
        main_.SetClipboard(&clipboard_);
        // A series in a group range that is the whole content of a grand range, then a series.
        std::vector<TapeRow> rows = RangesTape();
        rows.insert(rows.end() - 1, {{" ", "+2.00"}, {"=", "=========="}, {"T", "2.00"}, {"Z", "0.00", "TT=DE,SDP=2"}});
        ReplaceTapeLines(main_, std::span<const TapeRow>(rows));
    }
    std::string Indicators() const {
        std::string kinds;
        for (LineIndex line = 0; line < main_.Lines().LineCount(); ++line) kinds += main_.Lines().KindOf(line);
        return kinds;
    }
    TTapeCopier copier_{main_, clipboard_, manager_.SessionId()};
    TTapePaster paster_{main_, clipboard_, manager_};
};

TEST_F(TotalRangeClipboardTest, CopyTakesTheRangeWithAllItsSeries) {
    struct Case {
        std::string seriesType;
        LineIndex focus;
        TRecordKind kind;
        std::string indicators;
    };
    const Case cases[] = {
        {"gro", 5, TRecordKind::GroupTotalRange, " =TZ[g]"},
        {"gra", 8, TRecordKind::GrandTotalRange, " =TZ[g]{G}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seriesType);
        main_.SetFocusLine(c.focus);
        ASSERT_TRUE(copier_.CopyTotalRange(c.seriesType));
        const auto record = ReadTapeRecord(clipboard_.GetText(), c.kind);
        ASSERT_TRUE(record);
        std::string indicators;
        for (const TRecordLineGroup& group : record->groups) indicators += KindOfIndicator(group.symbol);
        EXPECT_EQ(indicators, c.indicators);
        EXPECT_EQ(record->operation, "copy");
    }
    // Outside a range of the kind nothing happens, without a beep.
    clipboard_.SetText("kept");
    for (const auto& [focus, seriesType] : {std::pair{0, "gro"}, std::pair{5, "gra"}, std::pair{10, "gro"}}) {
        main_.SetFocusLine(focus);
        EXPECT_FALSE(copier_.CopyTotalRange(seriesType));
    }
    EXPECT_EQ(clipboard_.GetText(), "kept");
    EXPECT_EQ(platform_.BeepCount(), 0);
}

TEST_F(TotalRangeClipboardTest, CutGroupRangeTakesTheGrandRangeItFilledAndPastesBack) {
    main_.SetFocusLine(5);
    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "GroupTotalRangeCut"));
    EXPECT_EQ(Indicators(), " =TZ ");
    EXPECT_EQ(main_.FocusLine(), 0);
    EXPECT_EQ(main_.Lines().Property(2, LineKey::kTotalStatusFlag), "gD");
    const auto record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::GroupTotalRange);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->operation, "cut");
    EXPECT_EQ(record->groups.size(), 7u);

    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "GroupTotalRangePaste"));
    EXPECT_EQ(Indicators(), " =TZ[g] =TZ ");
    EXPECT_EQ(clipboard_.GetText(), "") << "a pasted cut is used up";
}

TEST_F(TotalRangeClipboardTest, CutGrandRangeLeavesTheFollowingSeriesUnflagged) {
    main_.SetFocusLine(8);
    ASSERT_TRUE(copier_.CutTotalRange("gra"));
    EXPECT_EQ(Indicators(), " =TZ ");
    EXPECT_EQ(main_.Lines().Property(2, LineKey::kTotalStatusFlag), "");
    // A group range with a series of its own before it inside the grand range leaves the grand
    // range standing.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00"},
                             {"[", "", "STYP=gro"}, {"g", "1.00", "STYP=gro"}, {"]", "", "STYP=gro"},
                             {" ", "+3.00"}, {"=", "=========="}, {"T", "3.00"}, {"Z", "0.00"},
                             {"[", "", "STYP=gro"}, {"g", "3.00", "STYP=gro"}, {"]", "", "STYP=gro"},
                             {"{", "", "STYP=gra"}, {"G", "4.00", "STYP=gra"}, {"}", "", "STYP=gra"},
                             {" ", ""}});
    main_.SetFocusLine(12);
    ASSERT_TRUE(copier_.CutTotalRange("gro"));
    EXPECT_EQ(Indicators(), " =TZ[g]{G} ");
}

TEST_F(TotalRangeClipboardTest, EditActionsRunByName) {
    EXPECT_FALSE(RunTapeEditAction(main_, manager_, "NoSuchAction"));
    main_.SetFocusLine(10);
    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "LineCopy"));
    EXPECT_EQ(ReadLineRecord(clipboard_.GetText())->operation, "copy");
    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "LineCut"));
    EXPECT_EQ(ReadLineRecord(clipboard_.GetText())->operation, "cut");
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"(", "", "STYP=e"}, {" ", "+3.00", "STYP=e"},
                             {"=", "==========", "STYP=e"}, {"T", "3.00", "STYP=e"},
                             {")", "", "STYP=e,TT=DE,SDP=2"}, {" ", "+3.00"}, {" ", ""}},
                     2);
    ASSERT_TRUE(RunTapeEditAction(main_, manager_, "EmbeddedSeriesCut"));
    EXPECT_EQ(main_.Lines().LineCount(), 2);
}

}  // namespace
}  // namespace tally::test
