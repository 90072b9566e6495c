// The tape's copy commands: what reaches the clipboard and how each refuses.
#include "links/tape_copy.h"

#include "engine/records/tape_record.h"
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class TapeCopyTest : public LinkTest {
protected:
    TapeCopyTest() {
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
