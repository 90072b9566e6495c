#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/records/tape_record.h"

namespace tally {
namespace {

constexpr std::string_view kSession = "1234567890123456";

TTapeRecord SeriesRecord() {
    TTapeRecord record;
    record.kind = TRecordKind::CalcSeries;
    record.sessionId = std::string(kSession);
    record.operation = "copy";
    record.withAnnotations = true;
    record.groups = {
        {" 12.50", " ", "\"LID=ASa0000000000000001\"", "first\r\nsecond line"},
        {"+-3.00", " ", "", "back\\slash"},
        {"9.50", "T(2)", "\"LID=ADa0000000000000001\"", ""},
        {"0.00", "Z", "TT=DE,SDP=2", ""},
    };
    return record;
}

TEST(TapeRecordText, LineRecordHasNineLinesAndReadsBack) {
    const TLineRecord line{std::string(kSession), "cut", "+12.50", "ASa0000000000000007", "", "", "", ""};
    const std::string text = WriteLineRecord(line);
    EXPECT_EQ(text, "[Tape Line]\r\nSessionId=1234567890123456\r\nOperation=cut\r\nEntry=+12.50\r\n"
                    "LinkId=ASa0000000000000007\r\nTableColId=\r\nTableColNum=\r\nAnnot=\r\nSeriesType=\r\n");
    EXPECT_EQ(ReadLineRecord(text), line);
}

TEST(TapeRecordText, MultiLineRecordsRoundTripWithAnnotationsAndLinks) {
    for (TRecordKind kind : {TRecordKind::CalcSeries, TRecordKind::EntireTape, TRecordKind::GroupTotalRange}) {
        TTapeRecord record = SeriesRecord();
        record.kind = kind;
        if (kind != TRecordKind::CalcSeries) record.seriesType.clear();
        const std::string text = WriteTapeRecord(record);
        // A value's line break never splits the record.
        EXPECT_NE(text.find("Annot=first\\r\\nsecond line\r\n"), std::string::npos);
        EXPECT_EQ(ReadTapeRecord(text, kind), record) << RecordHeader(kind);
    }
}

TEST(TapeRecordText, SeriesBodyLayoutAndLfOnlyText) {
    TTapeRecord record = SeriesRecord();
    record.withAnnotations = false;
    for (auto& group : record.groups) group.annot.clear();
    std::string text = WriteTapeRecord(record);
    EXPECT_TRUE(text.starts_with("[Calc Series]\r\nSessionId=1234567890123456\r\nOperation=copy\r\n"
                                 "LineCount=4\r\nSeriesType=\r\nEntry= 12.50\r\nSymbol= \r\n"
                                 "CalcParams=\"LID=ASa0000000000000001\"\r\nEntry=+-3.00\r\nSymbol= \r\nEntry="));
    std::string lfOnly;
    for (char c : text) {
        if (c != '\r') lfOnly += c;
    }
    EXPECT_EQ(ReadTapeRecord(lfOnly, TRecordKind::CalcSeries), record);
}

TEST(TapeRecordText, EmbeddedSeriesRecordRoundTrips) {
    TTapeRecord record;
    record.kind = TRecordKind::EmbeddedSeries;
    record.sessionId = std::string(kSession);
    record.operation = "cut";
    record.groups = {{"", "(", "STYP=e", ""},
                     {"4", " ", "STYP=e", ""},
                     {"", ")", "STYP=e,TT=DE,SDP=2", ""},
                     {"+4.00", " ", "", ""}};
    EXPECT_EQ(ReadTapeRecord(WriteTapeRecord(record), TRecordKind::EmbeddedSeries), record);
}

TEST(TapeRecordText, KindTestComparesOnlyTheHeaderCharacters) {
    std::string text = WriteTapeRecord(SeriesRecord());
    text.insert(std::string("[Calc Series]").size(), " trailing");
    EXPECT_TRUE(ReadTapeRecord(text, TRecordKind::CalcSeries));
    EXPECT_FALSE(ReadTapeRecord(text, TRecordKind::EmbeddedSeries));
    EXPECT_FALSE(ReadLineRecord(text));
    EXPECT_FALSE(ReadTapeRecord("[calc series]\r\n", TRecordKind::CalcSeries));
}

TEST(TapeRecordText, UnknownOperationReadsAsCopy) {
    TTapeRecord record = SeriesRecord();
    record.operation = "move";
    const auto read = ReadTapeRecord(WriteTapeRecord(record), TRecordKind::CalcSeries);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->operation, "copy");
    TLineRecord line{std::string(kSession), "CUT", "1", "", "", "", "", ""};
    EXPECT_EQ(ReadLineRecord(WriteLineRecord(line))->operation, "copy");
    record.operation = "copytoside";
    EXPECT_EQ(ReadTapeRecord(WriteTapeRecord(record), TRecordKind::CalcSeries)->operation, "copytoside");
}

TEST(TapeRecordText, UnknownKeysAreSkipped) {
    std::string text = WriteTapeRecord(SeriesRecord());
    text.insert(text.find("Entry="), "Junk=1\r\nno key at all\r\n");
    EXPECT_EQ(ReadTapeRecord(text, TRecordKind::CalcSeries), SeriesRecord());
}

// Hand-made bad records: each must read as no record at all.
TEST(TapeRecordText, MalformedRecordsAreRefused) {
    const std::string head = "[Entire Tape]\r\nSessionId=1234567890123456\r\nOperation=copy\r\n";
    const std::string twoLines = "Entry=1\r\nSymbol= \r\nEntry=0.00\r\nSymbol=Z\r\n";
    struct Case {
        const char* name;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"header only", "[Entire Tape]"},
        {"short header", "[Entire Tape]\r\nSessionId=1\r\nOperation=copy\r\n"},
        {"count not a number", head + "LineCount=two\r\n" + twoLines},
        {"negative count", head + "LineCount=-1\r\n" + twoLines},
        {"zero count", head + "LineCount=0\r\n"},
        {"huge count", head + "LineCount=99999999999\r\n" + twoLines},
        {"count above groups", head + "LineCount=3\r\n" + twoLines},
        {"count below groups", head + "LineCount=1\r\n" + twoLines},
        {"empty symbol", head + "LineCount=2\r\nEntry=1\r\nSymbol=\r\nEntry=0.00\r\nSymbol=Z\r\n"},
        {"missing symbol", head + "LineCount=2\r\nEntry=1\r\nEntry=0.00\r\nSymbol=Z\r\n"},
        {"unbalanced (", head + "LineCount=2\r\nEntry=\r\nSymbol=(\r\nEntry=0.00\r\nSymbol=Z\r\n"},
        {"unbalanced ]", head + "LineCount=2\r\nEntry=1\r\nSymbol= \r\nEntry=\r\nSymbol=]\r\n"},
        {"unbalanced {", head + "LineCount=2\r\nEntry=\r\nSymbol={\r\nEntry=0.00\r\nSymbol=Z\r\n"},
        {"nested (", head + "LineCount=4\r\nEntry=\r\nSymbol=(\r\nEntry=\r\nSymbol=(\r\nEntry=\r\nSymbol=)\r\n"
                            "Entry=\r\nSymbol=)\r\n"},
        {"range inside (", head + "LineCount=4\r\nEntry=\r\nSymbol=(\r\nEntry=\r\nSymbol=[\r\nEntry=\r\n"
                                  "Symbol=]\r\nEntry=\r\nSymbol=)\r\n"},
        {"STYP e outside", head + "LineCount=2\r\nEntry=1\r\nSymbol= \r\nCalcParams=STYP=e\r\n"
                                  "Entry=0.00\r\nSymbol=Z\r\n"},
        {"SDP 16", head + "LineCount=2\r\n" + twoLines + "CalcParams=SDP=16\r\n"},
        {"SDP negative", head + "LineCount=2\r\n" + twoLines + "CalcParams=SDP=-1\r\n"},
        {"TT unknown", head + "LineCount=2\r\n" + twoLines + "CalcParams=TT=XX\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ReadTapeRecord(c.text, TRecordKind::EntireTape)) << c.name;
    }
    // The same body with a sound count and properties is accepted.
    EXPECT_TRUE(ReadTapeRecord(head + "LineCount=2\r\n" + twoLines + "CalcParams=TT=T2,SDP=15\r\n",
                               TRecordKind::EntireTape));
}

TEST(TapeRecordText, MalformedKindSpecificRecordsAreRefused) {
    const std::string embeddedHead = "[Embedded Series]\r\nSessionId=1\r\nOperation=copy\r\nLineCount=";
    EXPECT_FALSE(ReadTapeRecord(embeddedHead + "2\r\nSeriesType=\r\nEntry=\r\nSymbol=(\r\nEntry=\r\nSymbol=)\r\n",
                                TRecordKind::EmbeddedSeries));
    EXPECT_FALSE(ReadTapeRecord(embeddedHead + "3\r\nSeriesType=\r\nEntry=1\r\nSymbol= \r\nEntry=2\r\n"
                                               "Symbol= \r\nEntry=3\r\nSymbol= \r\n",
                                TRecordKind::EmbeddedSeries));
    EXPECT_FALSE(ReadTapeRecord("[Calc Series]\r\nSessionId=1\r\nOperation=copy\r\nLineCount=2\r\nSeriesType=\r\n"
                                "Entry=\r\nSymbol=[\r\nEntry=\r\nSymbol=]\r\n",
                                TRecordKind::CalcSeries));
    // A series record without its SeriesType line has no body.
    EXPECT_FALSE(ReadTapeRecord("[Calc Series]\r\nSessionId=1\r\nOperation=copy\r\nLineCount=1\r\n",
                                TRecordKind::CalcSeries));
    EXPECT_FALSE(ReadLineRecord("[Tape Line]\r\nSessionId=1\r\nOperation=copy\r\nEntry=1\r\n"));
}

TEST(TapeRecordText, InjectedLineBreaksCannotAddGroups) {
    TTapeRecord record = SeriesRecord();
    record.groups[0].annot = "x\r\nEntry=666\r\nSymbol= ";
    record.groups[1].entry = "\nEntry=7";
    const std::string text = WriteTapeRecord(record);
    EXPECT_EQ(ReadTapeRecord(text, TRecordKind::CalcSeries), record);
}

TEST(TapeRecordText, EscapingRoundTripsAndKeepsUnknownEscapes) {
    for (std::string_view value : {"", "a\\b", "\\", "line\rcr\nlf\r\n", "\\r literal"}) {
        EXPECT_EQ(UnescapeRecordValue(EscapeRecordValue(value)), value);
        EXPECT_EQ(EscapeRecordValue(value).find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(UnescapeRecordValue("C:\\temp\\x"), "C:\\temp\\x");
}

// The kind is the header the text begins with; a header later in the text names no record.
TEST(TapeRecordText, RecordKindIsTheHeaderTheTextBeginsWith) {
    const std::string huge(5'000'000, 'x');
    struct Case {
        std::string text;
        std::optional<TRecordKind> kind;
    };
    const Case cases[] = {
        {"[Calc Series]\r\nSessionId=1", TRecordKind::CalcSeries},
        {"[Embedded Series]\nLineCount=x", TRecordKind::EmbeddedSeries},
        {"[Entire Tape]", TRecordKind::EntireTape},
        {"[Tape Line]\r" + huge, TRecordKind::TapeLine},
        {"[Group Total Range]\r\n", TRecordKind::GroupTotalRange},
        {"[Grand Total Range]\r\n", TRecordKind::GrandTotalRange},
        {"[Tape Line]s\r\n", TRecordKind::TapeLine},
        {" [Tape Line]\r\n", std::nullopt},
        {"[Tape Line", std::nullopt},
        {"12.50\r\n[Calc Series]\r\n", std::nullopt},
        {"[calc series]\r\n", std::nullopt},
        {huge, std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(RecordKindOf(c.text), c.kind) << c.text.substr(0, 40);
}

// A header followed by millions of empty lines is read only as far as it needs: a line record's
// nine lines (fields taken by position), a series record's header fields, which hold no line
// count; a record with trailing empty lines still reads.
TEST(TapeRecordText, HugeTextsAfterAHeaderAreReadOnlyAsFarAsNeeded) {
    const std::string lineBreaks(20'000'000, '\n');
    const std::optional<TLineRecord> line = ReadLineRecord("[Tape Line]\r\n" + lineBreaks);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->entry, "");
    EXPECT_EQ(line->operation, "copy");
    EXPECT_FALSE(ReadTapeRecord("[Calc Series]\r\n" + lineBreaks, TRecordKind::CalcSeries));
    const TTapeRecord record = SeriesRecord();
    EXPECT_EQ(ReadTapeRecord(WriteTapeRecord(record) + lineBreaks, TRecordKind::CalcSeries), record);
    // More groups than announced make no record.
    EXPECT_FALSE(ReadTapeRecord(WriteTapeRecord(record) + "Entry=1\r\n", TRecordKind::CalcSeries));
}

}  // namespace
}  // namespace tally
