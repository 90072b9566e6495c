// Which lines each record holds, built from a hand-filled tape, and that the written text
// reads back to the same record.
#include <gtest/gtest.h>

#include "engine/records/record_builder.h"
#include "lines_test_tape.h"

namespace tally {
namespace {

using test::FillTape;

class RecordBuilderTest : public ::testing::Test {
protected:
    TRecordSource Source(std::string_view operation = "copy") {
        return TRecordSource{lines_, "1234567890123456", std::string(operation), false, 2, "DE"};
    }
    // 100 + (3 + 4) = 107, then a zero total and the open last line.
    void FillWithEmbeddedSeries() {
        FillTape(lines_, {{" ", "+100.00"},
                          {"(", "", "STYP=e"},
                          {" ", "+3.00", "STYP=e"},
                          {" ", "+4.00", "STYP=e"},
                          {"=", "====", "STYP=e"},
                          {"T", "7.00", "STYP=e,\"LID=ASa0000000000000009\""},
                          {")", "", "STYP=e,TT=DE,SDP=2"},
                          {" ", "+7.00"},
                          {"=", "===="},
                          {"T", "107.00"},
                          {"Z", "0.00", "TT=DE,SDP=2"},
                          {" ", ""}});
    }
    static void ExpectRoundTrip(const TTapeRecord& record) {
        EXPECT_EQ(ReadTapeRecord(WriteTapeRecord(record), record.kind), record);
    }

    TLineStore lines_;
};

TEST_F(RecordBuilderTest, OpenLastSeriesEndsWithMadeUpZeroTotal) {
    FillTape(lines_, {{" ", "+12.50"}, {"=", "===="}, {"T", "12.50"}, {" ", ""}});
    const TTapeRecord record = BuildSeriesRecord(Source(), 0);
    ASSERT_EQ(record.groups.size(), 4u);
    EXPECT_EQ(record.groups.back(), (TRecordLineGroup{"0.00", "Z", "TT=DE,SDP=2", ""}));
    ExpectRoundTrip(record);
    // The tape record of the same tape ends the same way.
    EXPECT_EQ(BuildTapeRecord(Source()).groups, record.groups);
}

TEST_F(RecordBuilderTest, EmbeddedLineCopiedAsSeriesBecomesStandaloneSeries) {
    FillWithEmbeddedSeries();
    const TTapeRecord copy = BuildSeriesRecord(Source("copy"), 2);
    ASSERT_EQ(copy.groups.size(), 5u);
    EXPECT_EQ(copy.seriesType, "");
    EXPECT_EQ(copy.groups[0], (TRecordLineGroup{"+3.00", " ", "", ""}));
    // The copy's total loses its link; none of the lines stays embedded.
    EXPECT_EQ(copy.groups[3], (TRecordLineGroup{"7.00", "T", "", ""}));
    EXPECT_EQ(copy.groups[4], (TRecordLineGroup{"0.00", "Z", "TT=DE,SDP=2", ""}));
    ExpectRoundTrip(copy);
    const TTapeRecord cut = BuildSeriesRecord(Source("cut"), 2);
    EXPECT_EQ(cut.groups[3].calcParams, "LID=ASa0000000000000009");
    // For the side tape the whole containing series goes.
    EXPECT_EQ(BuildSeriesRecord(Source("copytoside"), 2).groups.size(), 11u);
}

TEST_F(RecordBuilderTest, EmbeddedSeriesRecordRunsFromOpeningToExternalTotal) {
    FillWithEmbeddedSeries();
    const TTapeRecord record = BuildEmbeddedSeriesRecord(Source(), 3);
    ASSERT_EQ(record.groups.size(), 7u);
    EXPECT_EQ(record.groups.front().symbol, "(");
    EXPECT_EQ(record.groups.back().entry, "+7.00");
    ExpectRoundTrip(record);
}

TEST_F(RecordBuilderTest, TapeRecordLeavesOutOpenLineAfterZeroTotal) {
    FillWithEmbeddedSeries();
    TRecordSource source = Source();
    source.withAnnotations = true;
    lines_.SetCell(0, TLineColumn::Annotations, "two\r\nlines");
    const TTapeRecord record = BuildTapeRecord(source);
    ASSERT_EQ(record.groups.size(), static_cast<std::size_t>(lines_.LineCount() - 1));
    EXPECT_EQ(record.groups.back().symbol, "Z");
    EXPECT_EQ(record.groups.front().annot, "two\r\nlines");
    ExpectRoundTrip(record);
}

TEST_F(RecordBuilderTest, LineRecordCarriesLinkTableColumnAndContainingSeriesType) {
    FillTape(lines_, {{" ", "+5.00", "\"LID=ADa0000000000000002\",TCID=17,TCN=3"},
                      {"(", "", "STYP=e"},
                      {" ", "+1.00", "STYP=e"},
                      {")", "", "STYP=e"},
                      {" ", "+1.00", "STYP=gro"}});
    const TLineRecord plain = BuildLineRecord(Source(), 0);
    EXPECT_EQ(plain, (TLineRecord{"1234567890123456", "copy", "+5.00", "ADa0000000000000002", "17", "3", "", ""}));
    EXPECT_EQ(ReadLineRecord(WriteLineRecord(plain)), plain);
    EXPECT_EQ(BuildLineRecord(Source(), 2).seriesType, "gro");
    EXPECT_EQ(RecordSeriesType(lines_, 99), "?");
}

TEST_F(RecordBuilderTest, InsertedRecordLinesCopyTheTapeBack) {
    FillWithEmbeddedSeries();
    TRecordSource source = Source();
    source.withAnnotations = true;
    lines_.SetCell(2, TLineColumn::Annotations, "note");
    const TTapeRecord record = BuildTapeRecord(source);
    TLineStore pasted;
    pasted.InsertLines(0, 1);
    InsertRecordLines(pasted, 0, record.groups, true);
    ASSERT_EQ(pasted.LineCount(), lines_.LineCount());
    // Every line but the open last one, which the record leaves out and the target has.
    for (LineIndex line = 0; line < lines_.LastLine(); ++line) {
        EXPECT_EQ(pasted.Entries(line), lines_.Entries(line)) << line;
        EXPECT_EQ(pasted.Indicator(line), lines_.Indicator(line)) << line;
        EXPECT_EQ(pasted.ParamsText(line), lines_.ParamsText(line)) << line;
        EXPECT_EQ(pasted.Annotations(line), lines_.Annotations(line)) << line;
    }
    // The structural index follows the block insert.
    EXPECT_EQ(pasted.StructuralLineAtOrAfter(0), 1);
}

}  // namespace
}  // namespace tally
