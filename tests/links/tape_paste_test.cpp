// The multi-line pastes: where the lines go, which links and table columns they keep, and the
// refusals that leave tape and clipboard as they were.
#include "links/tape_paste.h"

#include <functional>

#include "engine/records/tape_record.h"
#include "link_test_fixture.h"
#include "links/tape_copy.h"
#include "links/tape_edit_actions.h"

namespace tally::test {
namespace {

using Groups = std::vector<TRecordLineGroup>;

class TapePasteTest : public LinkTest {
protected:
    TapePasteTest() {
        ReplaceTapeLines(main_, {{" ", "+2.00", "LID=AS+" + Num(1)},
                                 {" ", "+3.00", "LID=AD+" + Num(1)},
                                 {"=", "=========="},
                                 {"T", "5.00", "TCID=c1,TCN=1"},
                                 {"Z", "0.00", "TT=DE,SDP=2"},
                                 {" ", "+7.00"},
                                 {" ", ""}});
    }

    // The first series copied to the clipboard, under the given operation.
    void CopyFirstSeries(std::string_view operation) {
        main_.SetFocusLine(0);
        ASSERT_TRUE(copier_.CopySeries("copy"));
        auto record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::CalcSeries);
        ASSERT_TRUE(record);
        record->operation = std::string(operation);
        clipboard_.SetText(WriteTapeRecord(*record));
    }

    void PutRecord(TRecordKind kind, std::string_view operation, Groups groups) {
        TTapeRecord record;
        record.kind = kind;
        record.sessionId = manager_.SessionId();
        record.operation = std::string(operation);
        record.groups = std::move(groups);
        clipboard_.SetText(WriteTapeRecord(record));
    }

    std::string Property(int line, std::string_view key) {
        return std::string(main_.Lines().Property(line - 1, key));
    }

    TTapeCopier copier_{main_, clipboard_, manager_.SessionId()};
    TTapePaster paster_{main_, clipboard_, manager_};
};

TEST_F(TapePasteTest, CopiedSeriesGoesBeforeFocusSeriesWithNewInternalLinkAndNoTableColumn) {
    CopyFirstSeries("copy");
    const std::string record = clipboard_.GetText();
    main_.SetFocusLine(5);
    ASSERT_TRUE(paster_.PasteSeries());
    ASSERT_EQ(main_.Lines().LineCount(), 12);
    EXPECT_EQ(Entry(main_, 6), "+2.00");
    EXPECT_EQ(Entry(main_, 10), "0.00");
    EXPECT_EQ(Entry(main_, 11), "+7.00");
    EXPECT_EQ(main_.FocusLine(), 5);
    const std::string pastedNumber(LinkDataNumber(LinkOf(main_, 6)));
    EXPECT_NE(pastedNumber, Num(1));
    EXPECT_EQ(LinkDataNumber(LinkOf(main_, 7)), pastedNumber);
    EXPECT_EQ(LinkOf(main_, 1), "AS+" + Num(1));
    EXPECT_EQ(Property(9, LineKey::kTableColumnId), "");
    EXPECT_EQ(Property(4, LineKey::kTableColumnId), "c1");
    // A copy stays on the clipboard for further pastes.
    EXPECT_EQ(clipboard_.GetText(), record);
    EXPECT_TRUE(main_.IsModified());
}

TEST_F(TapePasteTest, CutSeriesKeepsLinksAndTableColumnAndClearsClipboard) {
    CopyFirstSeries("cut");
    main_.SetFocusLine(5);
    ASSERT_TRUE(paster_.PasteSeries());
    EXPECT_EQ(LinkOf(main_, 6), "AS+" + Num(1));
    EXPECT_EQ(Property(9, LineKey::kTableColumnId), "c1");
    EXPECT_EQ(clipboard_.GetText(), "");
}

TEST_F(TapePasteTest, SeriesThatWouldCloseACircleIsRefusedBeforeAnyLineIsInserted) {
    // The tape's series feeds the record's destination; the record's total feeds the tape's.
    ReplaceTapeLines(main_, {{" ", "+1.00", "LID=AD+" + Num(2)},
                             {"=", "=========="},
                             {"T", "1.00", "LID=AS+" + Num(3)},
                             {"Z", "0.00", "TT=DE,SDP=2"},
                             {" ", ""}});
    PutRecord(TRecordKind::CalcSeries, "cut",
              {{"+1.00", " ", "LID=AD+" + Num(3), ""},
               {"==========", "=", "", ""},
               {"1.00", "T", "LID=AS+" + Num(2), ""},
               {"0.00", "Z", "TT=DE,SDP=2", ""}});
    const std::string record = clipboard_.GetText();
    main_.SetFocusLine(4);
    EXPECT_FALSE(paster_.PasteSeries());
    EXPECT_EQ(Explanation(),
              "Pasting the cut or copied calculation series into the specified place on the tape would create a circular link.");
    EXPECT_EQ(main_.Lines().LineCount(), 5);
    EXPECT_EQ(clipboard_.GetText(), record);
}

TEST_F(TapePasteTest, NoRecordOfTheKindDoesNothing) {
    clipboard_.SetText("plain text");
    main_.SetFocusLine(5);
    EXPECT_FALSE(paster_.PasteSeries());
    EXPECT_FALSE(paster_.PasteTape());
    EXPECT_EQ(main_.Lines().LineCount(), 7);
    EXPECT_EQ(Explanation(), "");
}

TEST_F(TapePasteTest, DataEndingInARangeBeforeARangeIsRefusedByRecordKind) {
    struct Case {
        TRecordKind kind;
        std::string lastType;
        std::string explanation;
    };
    const Case cases[] = {
        {TRecordKind::EntireTape, "gro",
         "Cannot paste a tape that ends with a group total immediately before another group total."},
        {TRecordKind::GroupTotalRange, "gro",
         "Cannot paste a group total with all series in its range immediately before another group total."},
        {TRecordKind::EntireTape, "gra",
         "Cannot paste a tape that ends with a grand total immediately before a group total or another grand total."},
        {TRecordKind::GrandTotalRange, "gra",
         "Cannot paste a grand total with all series in its range immediately before a group total or another grand "
         "total."},
        {TRecordKind::GroupTotalRange, "gra", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.explanation);
        ReplaceTapeLines(main_, {{" ", "+1.00"},
                                 {"=", "=========="},
                                 {"T", "1.00"},
                                 {"Z", "0.00", "TT=DE,SDP=2"},
                                 {"[", "", "STYP=gro"},
                                 {"g", "1.00", "STYP=gro"},
                                 {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"},
                                 {" ", ""}});
        PutRecord(c.kind, "copy",
                  {{"", "[", "STYP=gro", ""}, {"1.00", "g", "STYP=gro", ""}, {"", "]", "STYP=" + c.lastType, ""}});
        const std::string record = clipboard_.GetText();
        notifier_.Get().ClearLastBeepExplanation();
        main_.SetFocusLine(4);
        EXPECT_FALSE(paster_.PasteTape());
        EXPECT_EQ(Explanation(), c.explanation);
        EXPECT_EQ(main_.Lines().LineCount(), 8);
        EXPECT_EQ(clipboard_.GetText(), record);
    }
}

TEST_F(TapePasteTest, CopiedTapeGoesBeforeTheFocusSeriesWithLoneSourcesUnlinked) {
    ReplaceTapeLines(main_, {{" ", "+4.00", "LID=AS+" + Num(5)},
                             {" ", "+1.00", "LID=AS+" + Num(6)},
                             {" ", "+1.00", "LID=AD+" + Num(6)},
                             {"=", "=========="},
                             {"T", "6.00"},
                             {"Z", "0.00", "TT=DE,SDP=2"},
                             {" ", ""}});
    main_.SetFocusLine(6);
    ASSERT_TRUE(copier_.CopyTape());
    ASSERT_TRUE(paster_.PasteTape());
    ASSERT_EQ(main_.Lines().LineCount(), 13);
    EXPECT_EQ(Entry(main_, 7), "+4.00");
    EXPECT_EQ(LinkOf(main_, 7), "");
    const std::string internal(LinkDataNumber(LinkOf(main_, 8)));
    EXPECT_FALSE(internal.empty());
    EXPECT_NE(internal, Num(6));
    EXPECT_EQ(LinkDataNumber(LinkOf(main_, 9)), internal);
    EXPECT_EQ(LinkOf(main_, 1), "AS+" + Num(5));
}

}  // namespace
}  // namespace tally::test

namespace tally::test {
namespace {

class EmbeddedPasteTest : public TapePasteTest {
protected:
    // "(", one entry, its total, ")" and the external total "+3.00".
    void PutEmbedded(std::string_view operation, std::string seriesType = {}) {
        TTapeRecord record;
        record.kind = TRecordKind::EmbeddedSeries;
        record.sessionId = manager_.SessionId();
        record.operation = std::string(operation);
        record.seriesType = std::move(seriesType);
        record.groups = {{"", "(", "STYP=e", ""},
                         {"+3.00", " ", "STYP=e", ""},
                         {"==========", "=", "STYP=e", ""},
                         {"3.00", "T", "STYP=e", ""},
                         {"", ")", "STYP=e,TT=DE,SDP=2", ""},
                         {"+3.00", " ", "", ""}};
        clipboard_.SetText(WriteTapeRecord(record));
    }
};

TEST_F(EmbeddedPasteTest, EmbeddedSeriesFillsTheOpenLineWithItsExternalTotal) {
    PutEmbedded("cut");
    main_.SetFocusLine(6);
    ASSERT_TRUE(paster_.PasteEmbeddedSeries());
    ASSERT_EQ(main_.Lines().LineCount(), 12);
    EXPECT_EQ(main_.Lines().Indicator(6), "(");
    EXPECT_EQ(main_.Lines().Indicator(10), ")");
    EXPECT_EQ(main_.FocusLine(), 11);
    // The embedded series gives the external total its value, written as the series writes it.
    EXPECT_EQ(Entry(main_, 12), "+3.00");
    EXPECT_EQ(clipboard_.GetText(), "");
}

TEST_F(EmbeddedPasteTest, TheReceivingLineLetsGoOfItsLinkAndAnOpenSourcePassesItsTotalOn) {
    // The open line is a destination of line 1: the paste unlinks it, so line 1 is no source.
    main_.Lines().SetProperty(6, LineKey::kLinkId, "AD+" + Num(1));
    main_.Lines().SetProperty(1, LineKey::kLinkId, "");
    PutEmbedded("copy");
    main_.SetFocusLine(6);
    ASSERT_TRUE(paster_.PasteEmbeddedSeries());
    EXPECT_EQ(LinkOf(main_, 1), "");
    EXPECT_EQ(LinkOf(main_, 12), "");

    // A cut external total that was a source on the open last line passes its total on.
    ReplaceTapeLines(main_, {{" ", "+1.00", "LID=AD+" + Num(3)}, {"=", "=========="}, {"T", "1.00"},
                             {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}});
    PutEmbedded("cut");
    TTapeRecord record = *ReadTapeRecord(clipboard_.GetText(), TRecordKind::EmbeddedSeries);
    record.groups.back().calcParams = "LID=AS+" + Num(3);
    clipboard_.SetText(WriteTapeRecord(record));
    main_.SetFocusLine(4);
    ASSERT_TRUE(paster_.PasteEmbeddedSeries());
    EXPECT_EQ(LinkOf(main_, 10), "AS+" + Num(3));
    EXPECT_EQ(Entry(main_, 1), "+3.00") << "the destination took the pasted source's number";
}

TEST_F(TapePasteTest, SeriesIntoAnInvalidSeriesDoesNothing) {
    CopyFirstSeries("copy");
    main_.Lines().SetEntries(5, "+7..00");
    main_.SetFocusLine(5);
    EXPECT_FALSE(paster_.PasteSeries());
    EXPECT_EQ(main_.Lines().LineCount(), 7);
    EXPECT_EQ(platform_.BeepCount(), 0);
}

TEST_F(EmbeddedPasteTest, RefusalsInsertNothing) {
    struct Case {
        std::vector<TapeRow> rows;
        LineIndex focus;
        std::string seriesType;
        std::string explanation;
    };
    const std::vector<TapeRow> embedded = {{"(", "", "STYP=e"},          {" ", "+1.00", "STYP=e"},
                                           {"=", "==========", "STYP=e"}, {"T", "1.00", "STYP=e"},
                                           {")", "", "STYP=e,TT=DE,SDP=2"}, {" ", "+1.00"},
                                           {" ", ""}};
    const std::vector<TapeRow> group = {{" ", "+1.00"},         {"=", "=========="},      {"T", "1.00"},
                                        {"Z", "0.00", "TT=DE,SDP=2"}, {"[", "", "STYP=gro"}, {"g", "1.00", "STYP=gro"},
                                        {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"}, {" ", ""}};
    const Case cases[] = {
        {embedded, 1, "", "Cannot paste an embedded calculation series into another embedded calculation series."},
        {group, 5, "", "Cannot paste an embedded calculation series into, or before, a group total."},
        {embedded, 6, "c",
         "The total type of the embedded calculation series on the clipboard is incompatible with the total type of "
         "the receiving calculation series."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.explanation);
        ReplaceTapeLines(main_, c.rows);
        PutEmbedded("copy", c.seriesType);
        main_.SetFocusLine(c.focus);
        EXPECT_FALSE(paster_.PasteEmbeddedSeries());
        EXPECT_EQ(Explanation(), c.explanation);
        EXPECT_EQ(main_.Lines().LineCount(), static_cast<int>(c.rows.size()));
    }
}

}  // namespace
}  // namespace tally::test

namespace tally::test {
namespace {

TEST_F(TapePasteTest, SeriesFillsAnEmptyEmbeddedSeriesWithoutItsZeroTotal) {
    const std::vector<TapeRow> rows = {{" ", "+12.00"},
                                       {"(", "", "STYP=e"},
                                       {" ", "", "STYP=e"},
                                       {")", "", "STYP=e,TT=DE,SDP=2"},
                                       {" ", "+"},
                                       {" ", ""}};
    const auto put = [this](Groups groups) { PutRecord(TRecordKind::CalcSeries, "copy", std::move(groups)); };
    const Groups series = {{"+7.000", " ", "", ""},
                           {"==========", "=", "", ""},
                           {"7.000", "T", "", ""},
                           {"0.000", "Z", "TT=DE", ""}};
    ReplaceTapeLines(main_, rows);
    put(series);
    main_.SetFocusLine(2);
    ASSERT_TRUE(paster_.PasteSeries());
    ASSERT_EQ(main_.Lines().LineCount(), 8);
    EXPECT_EQ(Entry(main_, 3), "+7.000");
    EXPECT_EQ(Property(3, LineKey::kSeriesType), "e");
    EXPECT_EQ(main_.Lines().Indicator(5), ")");
    // Decimal places from the zero total's entry when its property list has none.
    EXPECT_EQ(Property(6, LineKey::kDecimalPlaces), "3");

    struct Case {
        Groups groups;
        std::string seriesType;
        std::string explanation;
    };
    const Case refusals[] = {
        {{{"", "(", "STYP=e", ""}, {"+1.00", " ", "STYP=e", ""}, {"", ")", "STYP=e", ""}, {"0.00", "Z", "", ""}},
         "",
         "Cannot paste a calculation series containing an embedded series into another embedded series."},
        {series, "c",
         "The total type of the calculation series on the clipboard is incompatible with the total type of the "
         "calculation series that contains the target embedded series."},
    };
    for (const Case& c : refusals) {
        SCOPED_TRACE(c.explanation);
        ReplaceTapeLines(main_, rows);
        TTapeRecord record;
        record.sessionId = manager_.SessionId();
        record.operation = "copy";
        record.seriesType = c.seriesType;
        record.groups = c.groups;
        clipboard_.SetText(WriteTapeRecord(record));
        main_.SetFocusLine(2);
        EXPECT_FALSE(paster_.PasteSeries());
        EXPECT_EQ(Explanation(), c.explanation);
        EXPECT_EQ(main_.Lines().LineCount(), 6);
    }
}


// The menu tests of the pastes say yes exactly when the clipboard holds a record of the
// item's kind and the paste, run on the same tape, inserts it; asking never beeps.
TEST_F(TapePasteTest, PasteMenuTestsAgreeWithTheirCommands) {
    main_.SetClipboard(&clipboard_);
    const std::vector<TapeRow> tape = {{" ", "+2.00"}, {" ", "+3.00"}, {"=", "=========="}, {"T", "5.00"},
                                       {"Z", "0.00", "TT=DE,SDP=2"}, {" ", "+7.00"}, {" ", ""}};
    const std::vector<TapeRow> emptyEmbedded = {{" ", "+12.00"}, {"(", "", "STYP=e"}, {" ", "", "STYP=e"},
                                                {")", "", "STYP=e,TT=DE,SDP=2"}, {" ", "+"}, {" ", ""}};
    const std::vector<TapeRow> ranges = RangesTape();
    auto record = [this](TRecordKind kind, Groups groups) {
        TTapeRecord r;
        r.kind = kind;
        r.sessionId = manager_.SessionId();
        r.operation = "copy";
        r.groups = std::move(groups);
        return WriteTapeRecord(r);
    };
    const std::string series = record(TRecordKind::CalcSeries, {{"+7.000", " ", "", ""},
                                                                {"==========", "=", "", ""},
                                                                {"7.000", "T", "", ""},
                                                                {"0.000", "Z", "TT=DE", ""}});
    const std::string seriesWithEmbedded = record(
        TRecordKind::CalcSeries,
        {{"", "(", "STYP=e", ""}, {"+1.00", " ", "STYP=e", ""}, {"", ")", "STYP=e", ""}, {"0.00", "Z", "", ""}});
    const std::string embedded = record(TRecordKind::EmbeddedSeries, {{"", "(", "STYP=e", ""},
                                                                      {"+3.00", " ", "STYP=e", ""},
                                                                      {"==========", "=", "STYP=e", ""},
                                                                      {"3.00", "T", "STYP=e", ""},
                                                                      {"", ")", "STYP=e,TT=DE,SDP=2", ""},
                                                                      {"+3.00", " ", "", ""}});
    // The range and tape records as the copies write them.
    auto copied = [&](LineIndex focus, const std::function<bool(TTapeCopier&)>& copy) {
        ReplaceTapeLines(aux_, std::span<const TapeRow>(ranges), focus);
        TTapeCopier auxCopier(aux_, clipboard_, manager_.SessionId());
        EXPECT_TRUE(copy(auxCopier));
        return clipboard_.GetText();
    };
    const std::string groupRange = copied(5, [](TTapeCopier& c) { return c.CopyTotalRange("gro"); });
    const std::string grandRange = copied(8, [](TTapeCopier& c) { return c.CopyTotalRange("gra"); });
    const std::string entireTape = copied(10, [](TTapeCopier& c) { return c.CopyTape(); });

    using Query = std::function<bool(const TCalculator&, std::string_view)>;
    struct Item {
        const char* command;
        Query can;
    };
    const Item items[] = {
        {"SeriesPaste", CanPasteSeries},
        {"EmbeddedSeriesPaste", CanPasteEmbeddedSeries},
        {"TapePaste", [](const TCalculator& t, std::string_view text) { return CanPasteTape(t, text, TRecordKind::EntireTape); }},
        {"GroupTotalRangePaste",
         [](const TCalculator& t, std::string_view text) { return CanPasteTape(t, text, TRecordKind::GroupTotalRange); }},
        {"GrandTotalRangePaste",
         [](const TCalculator& t, std::string_view text) { return CanPasteTape(t, text, TRecordKind::GrandTotalRange); }},
    };
    struct Case {
        const char* name;
        const std::vector<TapeRow>* rows;
        LineIndex focus;
        const std::string* clipboard;
        int item;  // the item whose kind the clipboard holds; -1: none
        bool expected;
    };
    const std::string foreign = "12.50";
    auto lineTexts = [this] {
        std::vector<std::string> texts;
        for (LineIndex line = 0; line <= main_.LastLine(); ++line) {
            texts.push_back(std::string(main_.Lines().Indicator(line)) + "|" + std::string(main_.Lines().Entries(line)));
        }
        return texts;
    };
    const Case cases[] = {
        {"a series before the open series", &tape, 5, &series, 0, true},
        {"a series before the first series", &tape, 0, &series, 0, true},
        {"a series into an empty embedded series", &emptyEmbedded, 2, &series, 0, true},
        {"a series holding an embedded series into one", &emptyEmbedded, 2, &seriesWithEmbedded, 0, false},
        {"an embedded series into the empty last line", &tape, 6, &embedded, 1, true},
        {"an embedded series before a line with a number", &tape, 5, &embedded, 1, true},
        {"an embedded series into a group total", &ranges, 5, &embedded, 1, false},
        {"an embedded series into another one", &emptyEmbedded, 2, &embedded, 1, false},
        {"a group range before a series", &tape, 5, &groupRange, 3, true},
        {"a group range before a group range", &ranges, 5, &groupRange, 3, false},
        {"a group range before a grand range", &ranges, 8, &groupRange, 3, true},
        {"a grand range before a group range", &ranges, 5, &grandRange, 4, false},
        {"a grand range before a series", &tape, 0, &grandRange, 4, true},
        {"a tape ending in a grand range before a series", &ranges, 0, &entireTape, 2, true},
        {"a tape ending in a grand range before a grand range", &ranges, 8, &entireTape, 2, false},
        {"a foreign text", &tape, 5, &foreign, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < static_cast<int>(std::size(items)); ++i) {
            ReplaceTapeLines(main_, std::span<const TapeRow>(*c.rows), c.focus);
            main_.ChooseCurrentSeries();
            clipboard_.SetText(*c.clipboard);
            const int beeps = platform_.BeepCount();
            const bool can = items[i].can(main_, *c.clipboard);
            EXPECT_EQ(platform_.BeepCount(), beeps);
            EXPECT_EQ(can, i == c.item && c.expected) << items[i].command;
            // Paste Tape takes either range too, so only the item of the record's kind is run.
            if (i != c.item && c.item >= 0) continue;
            const std::vector<std::string> before = lineTexts();
            ASSERT_TRUE(RunTapeEditAction(main_, manager_, items[i].command));
            EXPECT_EQ(lineTexts() != before, can) << items[i].command;
        }
    }
}

}  // namespace
}  // namespace tally::test
