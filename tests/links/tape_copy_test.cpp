// The tape's copy commands: what reaches the clipboard and how each refuses.
#include "links/tape_copy.h"

#include "engine/records/tape_record.h"
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class TapeCopyTest : public LinkTest {
protected:
    TapeCopyTest() { SetUpTape(); }
    void SetUpTape() {
        ReplaceTapeLines(main_, {{" ", "+100.00"},
                                 {"(", "", "STYP=e"},
                                 {" ", "+3.00", "STYP=e"},
                                 {"=", "==========", "STYP=e"},
                                 {"T", "3.00", "STYP=e"},
                                 {")", "", "STYP=e,TT=DE,SDP=2"},
                                 {" ", "+3.00"},
                                 {"=", "=========="},
                                 {"T", "103.00"},
                                 {"Z", "0.00", "TT=DE,SDP=2"},
                                 {" ", "+5.00"},
                                 {" ", ""}});
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
    ReplaceTapeLines(main_, {{" ", "+1.00"},
                             {"=", "=========="},
                             {"T", "1.00"},
                             {"Z", "0.00", "TT=DE,SDP=2"},
                             {"[", "", "STYP=gro"},
                             {"g", "1.00", "STYP=gro"},
                             {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"},
                             {"{", "", "STYP=gra"},
                             {"G", "1.00", "STYP=gra"},
                             {"}", "", "STYP=gra,TSD=SL,SDP=2,TT=DE"},
                             {" ", "+2.00"},
                             {" ", ""}});
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

}  // namespace
}  // namespace tally::test
