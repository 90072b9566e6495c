// The view commands sent on the application bus as the window sends them: the selected cells
// kept in view with their editors, the grid metrics and widths, the keyboard focus, the window
// made again, the document's pages in turn, and the current tape's passes and lists.

#include <limits>

#include "documents/document_pages.h"
#include "documents/file_manager_fixture.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/tape_fill.h"
#include "engine/series/series_base.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/message_records.h"
#include "links/copy_manager.h"
#include "links/link_manager.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

class FileManagerViewCommandsTest : public FileManagerTest {
protected:
    void Send(std::string_view event, TMedRecord* in = nullptr, TMedRecord* out = nullptr) {
        Manager();
        appBus_.Handle(event, in, out);
    }
    template <class Record, class Value>
    void SendValue(std::string_view event, Value value) {
        Record in;
        in.Value = value;
        Send(event, &in);
    }
    // The Value of the Out record the command fills.
    template <class Record>
    auto Read(std::string_view event, TMedRecord* in = nullptr) {
        Record answer;
        Send(event, in, &answer);
        return answer.Value;
    }
    TTlyFile& Document() { return Manager().Visible(); }
    HeadlessDocumentPages& Pages(TTlyFile& document) { return dynamic_cast<HeadlessDocumentPages&>(document.Pages()); }
    HeadlessTapeView& View(TCalculator& tape) { return dynamic_cast<HeadlessTapeView&>(tape.View()); }
    // The document's main tape with `count` entries; the focus on the first line and the view
    // scrolled to the end, so the focus line is out of view.
    TCalculator& LongTape(TTlyFile& document, int count = 40) {
        std::string keys;
        for (int i = 0; i < count; ++i) keys += "1+";
        Type(document, keys);
        TCalculator& tape = document.MainTape();
        tape.SetFocusLine(0);
        tape.SetTopLine(count - 5);
        return tape;
    }
    // Selects part of the editor's text, as the user's mouse would.
    static void SelectInEditor(TCalculator& tape) {
        tape.Editor().SelStart = 1;
        tape.Editor().SelLength = 2;
    }
    std::vector<int> PostedCodes() {
        std::vector<int> codes;
        queue_.Drain([&codes](const TDeferredRequest& request) { codes.push_back(request.Code); });
        return codes;
    }
};

// Sent without records, the commands that read or fill one do nothing.
TEST_F(FileManagerViewCommandsTest, CommandsSentWithoutRecordsDoNothing) {
    Manager();
    Send(ev::FileMgr_SelectTapeGridRow);
    Send(ev::FileMgr_GetLinesWithDecimalAccuracyReduced);
    Send(ev::FileMgr_ViewDocument);
    EXPECT_EQ(Document().MainTape().FocusLine(), 0);
}

// The focus line is scrolled into view and the editor shows the focus cell afresh; scrolling
// every document reaches every tape of every document.
TEST_F(FileManagerViewCommandsTest, SelectedTapeCellsAreScrolledIntoView) {
    TCalculator& tape = LongTape(Document());
    SelectInEditor(tape);
    EXPECT_FALSE(Read<TMedBoolean>(ev::gstrFileMgr_IsVisibleDocSelectedCellVisible));
    Send(ev::FileMgr_EnsureSelectedTapeCellIsVisible);
    EXPECT_EQ(tape.TopLine(), 0);
    EXPECT_EQ(tape.Editor().SelStart, 5);
    EXPECT_EQ(tape.Editor().SelLength, 0);
    EXPECT_TRUE(Read<TMedBoolean>(ev::gstrFileMgr_IsVisibleDocSelectedCellVisible));

    TTlyFile& first = Document();
    first.EnableMemory(true);
    TCalculator& memory = *first.MemoryTape();
    memory.SetTopLine(0);
    tape.SetTopLine(35);
    Send(ev::FileMgr_NewFile);
    TCalculator& second = LongTape(Document());
    Send(ev::FileMgr_EnsurePartlyVisibleSelectedCellsVisible);
    EXPECT_EQ(tape.TopLine(), 0);
    EXPECT_EQ(second.TopLine(), 0);
    EXPECT_EQ(memory.TopLine(), 0);
}

// While the focus line is partly in view a changed client height puts the editor right;
// otherwise it is left alone. A shown table asks its page.
TEST_F(FileManagerViewCommandsTest, AChangedClientHeightResetsTheEditorOfTheSelectedCellInView) {
    TCalculator& tape = LongTape(Document());
    SelectInEditor(tape);
    Send(ev::FileMgr_OnVisibleClientAreaHeightChanged);
    EXPECT_EQ(tape.Editor().SelLength, 2) << "out of view";
    tape.SetTopLine(0);
    Send(ev::FileMgr_OnVisibleClientAreaHeightChanged);
    EXPECT_EQ(tape.Editor().SelLength, 0);

    SelectInEditor(tape);
    Send(ev::FileMgr_ResetCurrCalcInplaceEditor);
    EXPECT_EQ(tape.Editor().SelLength, 0);

    TTlyFile& document = Document();
    HeadlessDocumentPages& pages = Pages(document);
    ASSERT_TRUE(document.ShowByName(document.AddTableNamed()));
    const TResultsTable* table = document.TableManager().CurrentTable();
    SelectInEditor(tape);
    pages.SetTableCellVisible(false);
    EXPECT_FALSE(Read<TMedBoolean>(ev::gstrFileMgr_IsVisibleDocSelectedCellVisible));
    Send(ev::FileMgr_OnVisibleClientAreaHeightChanged);
    EXPECT_TRUE(pages.ResetTables().empty());
    pages.SetTableCellVisible(true);
    EXPECT_TRUE(Read<TMedBoolean>(ev::gstrFileMgr_IsVisibleDocSelectedCellVisible));
    Send(ev::FileMgr_OnVisibleClientAreaHeightChanged);
    Send(ev::FileMgr_ResetCurrCalcInplaceEditor);
    EXPECT_EQ(pages.ResetTables(), (std::vector<const TResultsTable*>{table, table}));
    EXPECT_EQ(tape.Editor().SelLength, 2) << "the tape behind the table keeps its editor";
}

TEST_F(FileManagerViewCommandsTest, TheTablesSelectedCellIsScrolledIntoViewOnlyWhenThereIsATable) {
    TTlyFile& document = Document();
    HeadlessDocumentPages& pages = Pages(document);
    Send(ev::FileMgr_EnsureSelectedTableCellIsVisible);
    EXPECT_TRUE(pages.ScrolledTables().empty());
    document.AddTableNamed();
    // Also while the main tape is shown.
    Send(ev::FileMgr_EnsureSelectedTableCellIsVisible);
    EXPECT_EQ(pages.ScrolledTables(), (std::vector<const TResultsTable*>{document.TableManager().CurrentTable()}));
}

// Grid row n is line n; rows outside the tape and moves the tape refuses leave the focus.
TEST_F(FileManagerViewCommandsTest, SelectingAGridRowMovesTheFocusAsTheTapeAllows) {
    TCalculator& tape = LongTape(Document(), 5);
    SendValue<TMedLongint>(ev::FileMgr_SelectTapeGridRow, 3);
    EXPECT_EQ(tape.FocusLine(), 2);
    for (const std::int32_t row : {0, -1, std::numeric_limits<std::int32_t>::min(), 99}) {
        SendValue<TMedLongint>(ev::FileMgr_SelectTapeGridRow, row);
        EXPECT_EQ(tape.FocusLine(), 2) << row;
    }

    // The Table Columns cell of the row, when that column is shown.
    SendValue<TMedLongint>(ev::FileMgr_SelectTableColsCell, 2);
    EXPECT_EQ(tape.FocusLine(), 1);
    EXPECT_EQ(tape.FocusColumn(), TTapeColumn::Entries);
    Document().ShowColumn(TTapeColumn::TableColumns, true);
    SendValue<TMedLongint>(ev::FileMgr_SelectTableColsCell, 4);
    EXPECT_EQ(tape.FocusLine(), 3);
    EXPECT_EQ(tape.FocusColumn(), TTapeColumn::TableColumns);

    // An emptied entry may not be left: neither the row nor its Table Columns cell is taken.
    SendValue<TMedLongint>(ev::FileMgr_SelectTapeGridRow, 2);
    tape.SelectCell(TTapeColumn::Entries, 1);
    tape.Lines().SetEntries(1, "");
    SendValue<TMedLongint>(ev::FileMgr_SelectTableColsCell, 4);
    EXPECT_EQ(tape.FocusLine(), 1);
    EXPECT_EQ(tape.FocusColumn(), TTapeColumn::Entries);
}

TEST_F(FileManagerViewCommandsTest, TheCurrentTapeFitsItsColumnWidths) {
    TCalculator& tape = LongTape(Document(), 2);
    tape.SetColumnWidth(TTapeColumn::Entries, 400);
    Send(ev::FileMgr_SetTapeColumnWidthsToFit);
    EXPECT_EQ(tape.ColumnWidth(TTapeColumn::Entries), tape.DefaultColumnWidth(TTapeColumn::Entries));
}

// 400 pixels less a 21-pixel heading hold 18 rows of 21 pixels; 419 pixels hold 19 rows whose
// last grid line falls one pixel below: the height the window must avoid.
TEST_F(FileManagerViewCommandsTest, GridMetricsOfTheCurrentTape) {
    TCalculator& tape = LongTape(Document());
    tape.SetTopLine(0);
    HeadlessTapeView& view = View(tape);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetCurrCalcGridsClientHeight), 400);
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsGridIPEBugHeight));
    view.SetClientHeight(419);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetCurrCalcGridsClientHeight), 419);
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_IsGridIPEBugHeight));
    view.SetClientHeight(420);
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsGridIPEBugHeight));
    // Too few rows below the top line to reach the bottom.
    view.SetClientHeight(419);
    tape.SetTopLine(30);
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsGridIPEBugHeight));
}

// The widest tape of any document decides; each column is followed by a grid line.
TEST_F(FileManagerViewCommandsTest, TheRequiredDisplayWidthIsThatOfTheWidestTapeOfAnyDocument) {
    TCalculator& main = Document().MainTape();
    const auto shownWidth = [](const TCalculator& tape) {
        int width = 0;
        for (const TTapeColumn column : tape.ShownColumns()) width += tape.ColumnWidth(column) + 1;
        return width;
    };
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetRequiredFileDisplayWidth), shownWidth(main));
    Send(ev::FileMgr_NewFile);
    TTlyFile& second = Document();
    second.EnableMemory(true);
    second.MemoryTape()->SetColumnWidth(TTapeColumn::Entries, 700);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetRequiredFileDisplayWidth), shownWidth(*second.MemoryTape()));
    EXPECT_GT(shownWidth(*second.MemoryTape()), shownWidth(main));
    // Also while another document is visible.
    Manager().ViewFile(1);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetRequiredFileDisplayWidth), shownWidth(*second.MemoryTape()));
}

TEST_F(FileManagerViewCommandsTest, FocusGoesToTheActivePageOfTheVisibleDocument) {
    TTlyFile& document = Document();
    document.EnableMemory(true);
    ASSERT_TRUE(document.ShowByName("Memory"));
    Send(ev::FileMgr_SetFocusToVisibleDocument);
    EXPECT_EQ(Pages(document).FocusedPage(), Pages(document).PageWithCaption("&Memory"));
}

// The editors close before the window is made again and open after with the selection they had,
// in every document.
TEST_F(FileManagerViewCommandsTest, EditorsKeepTheirSelectionWhileTheWindowIsMadeAgain) {
    TCalculator& tape = LongTape(Document(), 3);
    SelectInEditor(tape);
    Send(ev::FileMgr_DoBeforeStayOnTopChange);
    EXPECT_FALSE(Pages(Document()).EditorsOpen());
    // Showing the new window selects the whole text.
    tape.Editor().SelStart = 0;
    tape.Editor().SelLength = 5;
    Send(ev::FileMgr_DoAfterStayOnTopChange);
    EXPECT_TRUE(Pages(Document()).EditorsOpen());
    EXPECT_EQ(tape.Editor().SelStart, 1);
    EXPECT_EQ(tape.Editor().SelLength, 2);
    EXPECT_FALSE(Pages(Document()).TabStripShown());

    // Without a "before", nothing is put back.
    tape.Editor().SelLength = 0;
    Send(ev::FileMgr_DoAfterStayOnTopChange);
    EXPECT_EQ(tape.Editor().SelLength, 0);
}

// The pages in turn, wrapping around both ways; a page that may not be left stays, explained.
TEST_F(FileManagerViewCommandsTest, ThePagesOfTheVisibleDocumentInTurn) {
    TTlyFile& document = Document();
    Send(ev::FileMgr_ToggleEnabledTapes);
    EXPECT_EQ(document.VisibleKind(), TVisibleKind::MainTape) << "one page";
    document.EnableMemory(true);
    document.EnableSide(true);
    document.AddTableNamed();
    ASSERT_TRUE(document.ShowByName("Tape"));
    std::vector<TVisibleKind> forward;
    for (int i = 0; i < 4; ++i) {
        Send(ev::FileMgr_ToggleEnabledTapes);
        forward.push_back(document.VisibleKind());
    }
    EXPECT_EQ(forward, (std::vector<TVisibleKind>{TVisibleKind::MemoryTape, TVisibleKind::SideTape,
                                                  TVisibleKind::Table, TVisibleKind::MainTape}));
    Send(ev::FileMgr_ToggleBackEnabledTapes);
    EXPECT_EQ(document.VisibleKind(), TVisibleKind::Table);
    EXPECT_EQ(Pages(document).ActivePage(), Pages(document).PageWithCaption("Table"));

    ASSERT_TRUE(document.ShowByName("Side Tape"));
    document.SetSideCalcActive(true);
    Send(ev::FileMgr_ToggleBackEnabledTapes);
    EXPECT_EQ(document.VisibleKind(), TVisibleKind::SideTape);
    EXPECT_EQ(Notifier().LastBeepExplanation(), kLeaveSideDuringSideCalcText);
}

// The series handler reads the series' settings again for the focus line.
TEST_F(FileManagerViewCommandsTest, TheCurrentSeriesIsChosenAgain) {
    TTlyFile& document = Document();
    TCalculator& tape = document.MainTape();
    ReplaceTapeLines(tape,
                     {{" ", "+10.00"}, {" ", "+5.00"}, {"=", "=========="}, {"T", "15.00"}, {"Z", "0.00", "TT=DE,SDP=2"},
                      {" ", ""}},
                     0);
    ASSERT_EQ(tape.CurrentSeries()->DecimalPlaces(), 2);
    TLineStore& lines = tape.Lines();
    const LineIndex closing = SeriesEndingLine(lines, 0);
    ASSERT_TRUE(lines.IsLine(closing));
    lines.SetProperty(closing, LineKey::kDecimalPlaces, "4");
    EXPECT_EQ(tape.CurrentSeries()->DecimalPlaces(), 2);
    Send(ev::FileMgr_SelectDifferentSeriesObject);
    EXPECT_EQ(tape.CurrentSeries()->DecimalPlaces(), 4);
}

// The post-recalculation pass shows the messages collected meanwhile.
TEST_F(FileManagerViewCommandsTest, ThePostRecalculationPassShowsCollectedMessages) {
    Manager();
    PostedCodes();
    Send(ev::FileMgr_DoPostRecalcProcessing);
    EXPECT_TRUE(PostedCodes().empty());
    Notifier().MessageList().Add("A link was not refreshed.");
    Send(ev::FileMgr_DoPostRecalcProcessing);
    EXPECT_EQ(PostedCodes(), std::vector<int>{requests::ShowMessageList});
}

// The stored requests are carried out once; their refusals are explained.
TEST_F(FileManagerViewCommandsTest, StoredCopyAndLinkRequestsAreCarriedOutOnce) {
    TTlyFile& document = Document();
    document.CopyManager().StoreEntryCopyData("cm", 't', 0, '\0');
    Send(ev::FileMgr_DoCopyPasteWithStoredEntryData);
    EXPECT_EQ(Notifier().LastBeepExplanation(),
              "Can not use line on memory tape as a Copy source.  The memory tape is not enabled.");
    EXPECT_FALSE(document.CopyManager().RequestPending());

    document.LinkManager().StoreQuickLink("lm", 't', 0, '\0', "");
    Send(ev::FileMgr_DoLinkWithStoredEntryData);
    EXPECT_EQ(Notifier().LastBeepExplanation(),
              "Cannot use line on memory tape as a Link Source.  The memory tape is not enabled.");
    EXPECT_FALSE(document.LinkManager().HasStoredQuickLink());
}

TEST_F(FileManagerViewCommandsTest, TheMessageListIsCompleteOnceNoLinkRefreshWaits) {
    EXPECT_TRUE(Read<TMedBoolean>(ev::gstrFileMgr_IsMultiMsgListComplete));
    Document().LinkManager().QueueLinkSource("AS+0000000000000001");
    EXPECT_FALSE(Read<TMedBoolean>(ev::gstrFileMgr_IsMultiMsgListComplete));
    Document().LinkManager().ProcessLinkQueue();
    EXPECT_TRUE(Read<TMedBoolean>(ev::gstrFileMgr_IsMultiMsgListComplete));
}

// The lists are those of the series at the current tape's focus line.
TEST_F(FileManagerViewCommandsTest, AccuracyListsOfTheCurrentSeries) {
    TTlyFile& document = Document();
    // The series takes the third decimal place of 1.251 instead of rounding it.
    document.MainTape().SetAutoIncreaseDecimalPlaces(true);
    Type(document, "1.251+1:30:15+2+\n");
    document.MainTape().SetFocusLine(0);
    struct Case {
        std::string_view Event;
        std::int32_t In;
        std::string Lines;
    };
    const Case cases[] = {
        {ev::FileMgr_GetLinesWithDecimalAccuracyReduced, 2, "1"},
        {ev::FileMgr_GetLinesWithDecimalAccuracyReduced, 3, ""},
        {ev::FileMgr_GetLinesWithTimeAccuracyReduced, 2, "2"},
        {ev::FileMgr_GetLinesWithTimeAccuracyReduced, 3, ""},
        {ev::FileMgr_GetLinesWithDecimalTotalTooBig, 0, ""},
    };
    for (const Case& c : cases) {
        TMedInteger in;
        in.Value = c.In;
        EXPECT_EQ(Read<TMedString>(c.Event, &in), c.Lines) << c.Event << " " << c.In;
    }
}

}  // namespace
}  // namespace tally::test
