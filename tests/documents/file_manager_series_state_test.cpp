// What deleting lines would take from the table: the series and tape line states and the
// "a table column has ... data" queries, sent on the application bus as the window sends them.

#include "documents/file_manager_fixture.h"
#include "documents/file_manager_table_records.h"
#include "engine/lines/calc_params.h"
#include "engine/tape_fill.h"
#include "foundation/message_records.h"
#include "table/table_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

// A standard series holding an embedded series, closed by a zero total, then an open series.
const std::vector<TapeRow> kTape = {
    {" ", "+1"},                         // 0
    {"=", "=========="},                 // 1
    {"S", "1.00"},                       // 2  feeds a column with data
    {"(", "", "STYP=e"},                 // 3
    {" ", "+3", "STYP=e"},               // 4  assigned to a column that stays empty
    {" ", "+4", "STYP=e"},               // 5  feeds a column with data
    {"=", "==========", "STYP=e"},       // 6
    {"T", "7.00", "STYP=e"},             // 7
    {")", "", "STYP=e,TT=DE,SDP=2"},     // 8
    {" ", "+7.00"},                      // 9  the external total line
    {"=", "=========="},                 // 10
    {"T", "8.00"},                       // 11 feeds a column with data
    {"Z", "0.00", "TT=DE,SDP=2"},        // 12
    {" ", "+2"},                         // 13
    {" ", ""},                           // 14
};

class FileManagerSeriesStateTest : public FileManagerTest {
protected:
    template <class Record>
    Record Read(std::string_view event) {
        Record record;
        EXPECT_TRUE(appBus_.HandleIfExists(event, nullptr, &record)) << event;
        return record;
    }
    bool Ask(std::string_view event) { return Read<TMedBoolean>(event).Value; }

    void Assign(TCalculator& tape, LineIndex line, int column) {
        tape.Lines().SetCell(line, TLineColumn::TableColumns, std::to_string(column));
        Manager().Visible().TableManager().ApplyTableColumnCell(tape, line);
        ASSERT_FALSE(tape.Lines().Property(line, LineKey::kTableColumnId).empty()) << line;
    }
    // The tape above in a document with a table: lines 2, 5 and 11 feed columns holding data,
    // line 4 an empty column.
    TTlyFile& DocumentWithTape() {
        TTlyFile& document = Manager().Visible();
        document.ShowColumn(TTapeColumn::TableColumns, true);
        document.AddTableNamed();
        TCalculator& tape = document.MainTape();
        ReplaceTapeLines(tape, kTape);
        Assign(tape, 2, 1);
        Assign(tape, 5, 2);
        Assign(tape, 11, 3);
        document.TableManager().CopyEntriesToTable();
        Assign(tape, 4, 4);
        return document;
    }
    void Focus(LineIndex line) { Manager().Visible().MainTape().SetFocusLine(line); }
};

// Every query is served, and without a table (or without assigned lines) nothing feeds it.
TEST_F(FileManagerSeriesStateTest, WithoutATableNothingFeedsIt) {
    TTlyFile& document = Manager().Visible();
    ReplaceTapeLines(document.MainTape(), kTape, 5);
    document.MainTape().Lines().SetProperty(5, LineKey::kTableColumnId, "1234567890123456");
    for (const std::string_view event : {ev::FileMgr_ATableColHasCurrTapeLineData, ev::FileMgr_ATableColHasCurrSeriesData,
                                         ev::FileMgr_ATableColHasCurrTapeData, ev::FileMgr_ATableColHasMemoryData}) {
        EXPECT_FALSE(Ask(event)) << event;
    }
    const auto series = Read<TMedFileMgr_SeriesStateVariables>(ev::FileMgr_GetCurrentSeriesState);
    EXPECT_FALSE(series.SeriesFeedsTable || series.ExternalTotalFeedsTable);
    EXPECT_TRUE(series.InEmbeddedSeries);
    EXPECT_EQ(series.AdjacentTotalText, "");
    const auto line = Read<TMedFileMgr_TapeLineStateVariables>(ev::FileMgr_GetCurrentTapeLineState);
    EXPECT_FALSE(line.LineFeedsTable || line.EmbeddedAboveFeedsTable || line.AdjacentTotalFeedsTable);
}

TEST_F(FileManagerSeriesStateTest, SeriesStateAtTheFocusLine) {
    DocumentWithTape();
    struct Case {
        LineIndex Focus;
        bool SeriesFeeds;
        bool ExternalFeeds;
        bool SingleEntry;
        bool InEmbedded;
        std::string Text;
    };
    const Case cases[] = {
        // The embedded series' first assigned line feeds an empty column, the next one data.
        // Both totals around the external total line hold data, so deleting it takes the later.
        {4, true, true, false, true, "trailing (at line 12)"},
        {8, true, true, false, false, "trailing (at line 12)"},
        // The containing series runs from the first line to the zero total line.
        {0, true, false, false, false, ""},
        {11, true, false, false, false, ""},
        // The open series after the zero total.
        {13, false, false, true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Focus);
        Focus(c.Focus);
        const auto state = Read<TMedFileMgr_SeriesStateVariables>(ev::FileMgr_GetCurrentSeriesState);
        EXPECT_EQ(state.SeriesFeedsTable, c.SeriesFeeds);
        EXPECT_EQ(Ask(ev::FileMgr_ATableColHasCurrSeriesData), c.SeriesFeeds);
        EXPECT_EQ(state.ExternalTotalFeedsTable, c.ExternalFeeds);
        EXPECT_EQ(state.HasSingleEntry, c.SingleEntry);
        EXPECT_EQ(state.InEmbeddedSeries, c.InEmbedded);
        EXPECT_FALSE(state.InGroupOrGrandTotalSeries);
        EXPECT_EQ(state.AdjacentTotalText, c.Text);
    }
}

// When only the later total holds data, deleting the embedded series takes the earlier total,
// which feeds nothing: no text, and the external total line decides.
TEST_F(FileManagerSeriesStateTest, TheAdjacentTotalIsTheOneThatWouldGo) {
    TTlyFile& document = DocumentWithTape();
    TCalculator& tape = document.MainTape();
    tape.Lines().SetProperty(2, LineKey::kTableColumnNumber, "");
    tape.Lines().SetProperty(2, LineKey::kTableColumnId, "");
    Focus(5);
    auto state = Read<TMedFileMgr_SeriesStateVariables>(ev::FileMgr_GetCurrentSeriesState);
    EXPECT_FALSE(state.ExternalTotalFeedsTable);
    EXPECT_EQ(state.AdjacentTotalText, "");
    Focus(9);
    const auto line = Read<TMedFileMgr_TapeLineStateVariables>(ev::FileMgr_GetCurrentTapeLineState);
    EXPECT_FALSE(line.AdjacentTotalFeedsTable);
    EXPECT_EQ(line.AdjacentTotalPosition, "");
}

TEST_F(FileManagerSeriesStateTest, TapeLineStateAtTheFocusLine) {
    DocumentWithTape();
    struct Case {
        LineIndex Focus;
        bool EmbeddedAboveFeeds;
        bool LineFeeds;
        bool AdjacentFeeds;
        bool ExternalTotalLine;
        bool LastLine;
        std::string Position;
    };
    const Case cases[] = {
        // The first line goes with the total after it.
        {0, false, false, true, false, false, "trailing"},
        {2, false, true, false, false, false, ""},
        // A separator line stands for the total below it.
        {1, false, true, false, false, false, ""},
        {10, false, true, false, false, false, ""},
        {4, false, false, false, false, false, ""},
        {5, false, true, false, false, false, ""},
        {9, true, false, true, true, false, "trailing"},
        {14, false, false, false, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Focus);
        Focus(c.Focus);
        const auto state = Read<TMedFileMgr_TapeLineStateVariables>(ev::FileMgr_GetCurrentTapeLineState);
        EXPECT_EQ(state.EmbeddedAboveFeedsTable, c.EmbeddedAboveFeeds);
        EXPECT_EQ(state.LineFeedsTable, c.LineFeeds);
        EXPECT_EQ(state.AdjacentTotalFeedsTable, c.AdjacentFeeds);
        EXPECT_EQ(state.ExternalTotalLine, c.ExternalTotalLine);
        EXPECT_EQ(state.LastLine, c.LastLine);
        EXPECT_EQ(state.AdjacentTotalPosition, c.Position);
    }
}

TEST_F(FileManagerSeriesStateTest, TheTapeTheFocusLineAndTheMemoryTapeFeedTheTable) {
    TTlyFile& document = DocumentWithTape();
    Focus(5);
    EXPECT_TRUE(Ask(ev::FileMgr_ATableColHasCurrTapeLineData));
    Focus(4);
    EXPECT_FALSE(Ask(ev::FileMgr_ATableColHasCurrTapeLineData));
    EXPECT_TRUE(Ask(ev::FileMgr_ATableColHasCurrTapeData));
    EXPECT_FALSE(Ask(ev::FileMgr_ATableColHasMemoryData));

    document.EnableMemory(true);
    TCalculator& memory = *document.MemoryTape();
    ReplaceTapeLines(memory, {{" ", "+6", "TT=DE"}, {" ", ""}});
    memory.SetColumnShown(TTapeColumn::TableColumns, true);
    Assign(memory, 0, 5);
    EXPECT_FALSE(Ask(ev::FileMgr_ATableColHasMemoryData)) << "its column is still empty";
    document.TableManager().CopyEntriesToTable();
    EXPECT_TRUE(Ask(ev::FileMgr_ATableColHasMemoryData));

    document.TableManager().PerformAction("EmptyTable");
    EXPECT_FALSE(Ask(ev::FileMgr_ATableColHasCurrTapeData));
    EXPECT_FALSE(Ask(ev::FileMgr_ATableColHasMemoryData));
}

}  // namespace
}  // namespace tally::test
