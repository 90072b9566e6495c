// The checks the tapes ask for over the document bus, answered by the link manager.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

TEST_F(LinkTest, DeletingAZeroTotalLineThatWouldCloseACircleIsRefused) {
    // T5 (total of the first series) feeds T7 in the second one; T9, the second total, feeds
    // T2. Joining the two series would make T7 feed T9 and T2 feed T5.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {" ", "+3.00", Lid("AD+", 2)}, {" ", "+1.00"}, {"=", "=========="},
                             {"T", "5.00", Lid("AS+", 1)}, {"Z", "0.00"}, {" ", "+5.00", Lid("AD+", 1)},
                             {"=", "=========="}, {"T", "3.00", Lid("AS+", 2)}, {"Z", "0.00"}, {" ", ""}},
                     5);
    EXPECT_FALSE(main_.DeleteLine());
    EXPECT_EQ(Explanation(),
              "Cannot delete the zero total line at line 6.  Its deletion would create a circular link between the "
              "following lines: T2 to T5 to T7 to T9 to T2");
    EXPECT_EQ(main_.Lines().Indicator(5), "Z");
}

TEST_F(LinkTest, PotentialCircleAndTapeObjectsOverTheBus) {
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00", Lid("AS+", 1)}, {"Z", "0.00"}, {" ", ""}});
    TMedLnkMgr_PotentialCircLink_In in;
    in.Tape = &main_;
    in.Line = 1;
    in.LinkData = "AD+" + Num(1);
    TMedBoolean circular;
    bus_.Handle(events::LinkMgr_PotentialCircLink, &in, &circular);
    EXPECT_TRUE(circular.Value);
    EXPECT_EQ(in.Chain, "T1 to T3 to T1");
    TMedChar id;
    id.Value = 'a';
    TMedLnkMgr_CalculatorObject_Out tape;
    bus_.Handle(events::LinkMgr_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, &aux_);
    auxEnabled_ = false;
    bus_.Handle(events::LinkMgr_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, nullptr);
}

TEST_F(LinkTest, AnEmbeddedSeriesWithoutATotalPassesItsValueOnThroughADummyLink) {
    // The embedded series (lines 3-5) has no total line: its value reaches the external total
    // line 6 and through it the series total T8, which is the source line 4 would take.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"(", ""}, {" ", "+2.00", "STYP=e"}, {" ", "+3.00", "STYP=e"},
                             {")", ""}, {" ", "+5.00"}, {"=", "=========="}, {"T", "6.00", Lid("AS+", 1)},
                             {"Z", "0.00"}, {" ", ""}});
    EXPECT_EQ(manager_.PotentialCircLink('t', 4, "AD+" + Num(1)), "T4 to T5 to T6 to T8 to T4");
    // With a total line before ")" the embedded series' value flows through its permanent
    // link instead; nothing links it to T8 here, so no circle.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"(", ""}, {" ", "+2.00", "STYP=e"}, {"T", "2.00", "STYP=e"},
                             {")", ""}, {" ", "+2.00"}, {"=", "=========="}, {"T", "3.00", Lid("AS+", 1)},
                             {"Z", "0.00"}, {" ", ""}});
    EXPECT_EQ(manager_.PotentialCircLink('t', 3, "AD+" + Num(1)), std::nullopt);
}

TTapeLinkInfoListItem Pasted(int line, int series, std::string linkData, std::string kind = " ") {
    TTapeLinkInfoListItem item;
    item.Line = line;
    item.SeriesStart = series;
    item.LinkData = std::move(linkData);
    item.LineKind = std::move(kind);
    return item;
}

TEST_F(LinkTest, PastedLinkedLinesAreCheckedForCircles) {
    // T4 is the total of the series from line 1 and a source.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {" ", "+1.00"}, {"=", "=========="}, {"T", "2.00", Lid("AS+", 1)},
                             {"Z", "0.00"}, {" ", ""}});
    TMedLnkMgr_PasteSeriesCircLink_In series;
    series.Tape = &main_;
    series.LinkInfo = {Pasted(2, 1, "AD+" + Num(1))};
    TMedLnkMgr_PasteSeriesCircLink_Out seriesAnswer;
    bus_.Handle(events::LinkMgr_PasteSeriesCircLink, &series, &seriesAnswer);
    EXPECT_TRUE(seriesAnswer.Circular);
    EXPECT_EQ(seriesAnswer.Chain, "T2 to T4 to T2");

    // A block of two lines inserted at line 6 holds a destination of T4 and, on its second line,
    // a total of its own series that is the source of line 1.
    TMedLnkMgr_PasteMultipleSeriesCircLink_In block;
    block.Tape = &main_;
    block.LineCount = 2;
    block.InsertLine = 6;
    block.LinkInfo = {Pasted(1, 1, "AD+" + Num(1)), Pasted(2, 1, "AS+" + Num(2), "T")};
    TMedLnkMgr_PasteMultipleSeriesCircLink_Out blockAnswer;
    bus_.Handle(events::LinkMgr_PasteMultSeriesCircLink, &block, &blockAnswer);
    EXPECT_FALSE(blockAnswer.Circular) << "T7 feeds nothing yet";
    main_.Lines().SetProperty(0, LineKey::kLinkId, "AD+" + Num(2));
    bus_.Handle(events::LinkMgr_PasteMultSeriesCircLink, &block, &blockAnswer);
    EXPECT_TRUE(blockAnswer.Circular);
    EXPECT_EQ(blockAnswer.Chain, "T1 to T4 to T6 to T7 to T1");
    // Inserted above everything, the block pushes the tape's lines down first.
    block.InsertLine = 1;
    bus_.Handle(events::LinkMgr_PasteMultSeriesCircLink, &block, &blockAnswer);
    EXPECT_EQ(blockAnswer.Chain, "T1 to T2 to T3 to T6 to T1");
}

// What group and grand totals will ask: permanent total links, kept by the user's unlink and
// pulled again when their series is refreshed.
TEST_F(LinkTest, TotalLinksArePermanentAndFollowTheirSources) {
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {" ", "+2.00"}, {"=", "=========="}, {"T", "3.00"}, {"Z", "0.00"},
                             {" ", ""}, {" ", ""}, {" ", ""}});
    TMedLnkMgr_SetTotalLinkSourceData_In source;
    source.Tape = &main_;
    source.Line = 4;
    TMedLnkMgr_SetTotalLinkSourceData_Out made;
    bus_.Handle(events::LinkMgr_SetAsTotalLinkSource, &source, &made);
    ASSERT_TRUE(made.Done);
    EXPECT_EQ(LinkOf(main_, 4), "AS+" + made.LinkNumber + ",P");
    TMedLnkMgr_SetTotalLinkDestData_In dest;
    dest.DestTape = &aux_;
    dest.SourceTape = &main_;
    dest.DestLine = 1;
    dest.SourceLine = 4;
    dest.LinkNumber = made.LinkNumber;
    ReplaceTapeLines(aux_, {{"T", ""}, {" ", ""}});
    bus_.Handle(events::LinkMgr_SetAsTotalLinkDest, &dest, nullptr);
    EXPECT_EQ(LinkOf(aux_, 1), "AD+" + made.LinkNumber + ",P");
    EXPECT_EQ(Entry(aux_, 1), "3.00");
    // A destination cannot become a total source; a bad number makes no destination.
    source.Tape = &aux_;
    source.Line = 1;
    bus_.Handle(events::LinkMgr_SetAsTotalLinkSource, &source, &made);
    EXPECT_FALSE(made.Done);
    dest.DestLine = 2;
    dest.LinkNumber = "12";
    bus_.Handle(events::LinkMgr_SetAsTotalLinkDest, &dest, nullptr);
    EXPECT_EQ(LinkOf(aux_, 2), "");

    main_.Lines().SetEntries(3, "4.00");
    TMedLnkMgr_RefreshLinkDestsInSeries_In refresh;
    refresh.Tape = &aux_;
    refresh.SeriesStart = auxLink_.SeriesKey(1);
    bus_.Handle(events::LinkMgr_RefreshLinkDestsInSeries, &refresh, nullptr);
    EXPECT_EQ(Entry(aux_, 1), "+4.00");

    manager_.Unlink('t', 4, 'u');
    EXPECT_NE(LinkOf(aux_, 1), "") << "the user's unlink keeps permanent links";
    manager_.Unlink('t', 4, 'p');
    EXPECT_EQ(LinkOf(aux_, 1), "");
    EXPECT_EQ(LinkOf(main_, 4), "");
}

}  // namespace
}  // namespace tally::test
