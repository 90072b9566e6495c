// The tape Edit menu's decisions, asked on the application bus as the window asks them before
// it shows the menu, over documents that share one clipboard.

#include <memory>
#include <string>

#include "documents/file_manager_edit_records.h"
#include "documents/file_manager_fixture.h"
#include "engine/tape_fill.h"
#include "foundation/message_records.h"
#include "platform/clipboard.h"

namespace tally::test {
namespace {

namespace ev = events;

// Two series, a group total over them and the open last line.
const std::vector<TapeRow> kGroupTape = {{" ", "+10.00"},
                                         {"=", "=========="},
                                         {"T", "10.00"},
                                         {"Z", "0.00", "TT=DE,SDP=2"},
                                         {" ", "+2.50"},
                                         {"=", "=========="},
                                         {"T", "2.50"},
                                         {"Z", "0.00", "TT=DE,SDP=2"},
                                         {"[", "", "STYP=gro"},
                                         {"g", "12.50", "STYP=gro"},
                                         {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"},
                                         {" ", ""}};

class FileManagerEditMenuTest : public FileManagerTest {
protected:
    FileManagerEditMenuTest() {
        TFileManagerSetup setup;
        setup.ApplicationBus = &appBus_;
        setup.Asker = &asker_;
        setup.Settings = &settings_;
        setup.FileCalls = &calls_;
        setup.Factory = [this](TTlyFileSetup document) {
            document.Clipboard = &clipboard_;
            return std::make_unique<TTlyFile>(std::move(document));
        };
        manager_ = std::make_unique<TFileManager>(std::move(setup));
    }
    // The documents go before the clipboard they hold.
    ~FileManagerEditMenuTest() override { manager_.reset(); }

    TCalculator& Tape() { return Manager().Visible().MainTape(); }
    void Fill(const std::vector<TapeRow>& rows, LineIndex focus) {
        ReplaceTapeLines(Tape(), std::span<const TapeRow>(rows), focus);
        Tape().ChooseCurrentSeries();
    }
    TMedFileMgr_EditTapeMenuDecisionInfo Menu() {
        TMedFileMgr_EditTapeMenuDecisionInfo info;
        EXPECT_TRUE(appBus_.HandleIfExists(ev::FileMgr_GetEditTapeMenuDecisionInfo, nullptr, &info));
        return info;
    }
    bool CanCopyLine() {
        TMedBoolean answer;
        EXPECT_TRUE(appBus_.HandleIfExists(ev::FileMgr_CanCopyCurrentTapeLine, nullptr, &answer));
        return answer.Value;
    }
    void Perform(const std::string& action) {
        TMedString in;
        in.Value = action;
        appBus_.Handle(ev::FileMgr_PerformEditTapeAction, &in, nullptr);
    }

    HeadlessClipboard clipboard_;
};

// Each line of the group tape turns on the items of its own kind only, each in its own field.
TEST_F(FileManagerEditMenuTest, TheFocusLineDecidesTheLineSeriesAndRangeItems) {
    struct Case {
        const char* name;
        LineIndex focus;
        bool copyLine, cutLine, series, groupRange, sortable, copyTape;
        std::string groupDisplay;
    };
    const Case cases[] = {
        {"an entry", 0, true, true, true, false, true, true, ""},
        {"a total line", 2, true, false, true, false, false, true, ""},
        {"a total indicator line", 1, false, false, true, false, false, true, ""},
        {"a group total line", 9, true, false, false, true, false, true, "SL"},
        {"the open last line", 11, false, false, false, false, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(kGroupTape, c.focus);
        const TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
        EXPECT_EQ(info.CanCopyLine, c.copyLine);
        EXPECT_EQ(CanCopyLine(), c.copyLine);
        EXPECT_EQ(info.CanCutLine, c.cutLine);
        EXPECT_EQ(info.CanCopySeries, c.series);
        EXPECT_EQ(info.CanCutSeries, c.series);
        EXPECT_EQ(info.CanCopyGroupTotalRange, c.groupRange);
        EXPECT_EQ(info.CanCutGroupTotalRange, c.groupRange);
        EXPECT_EQ(info.CanDeleteGroupTotal, c.groupRange);
        EXPECT_EQ(info.CanShowGroupTotalAs, c.groupRange);
        EXPECT_EQ(info.GroupTotalDisplayState, c.groupDisplay);
        EXPECT_FALSE(info.CanCopyGrandTotalRange);
        EXPECT_FALSE(info.CanDeleteGrandTotal);
        EXPECT_EQ(info.GrandTotalDisplayState, "");
        EXPECT_EQ(info.CanSortTapeSegment, c.sortable);
        EXPECT_EQ(info.CanCopyTape, c.copyTape);
        EXPECT_EQ(info.CanCutTape, c.copyTape);
        EXPECT_FALSE(info.CanCopyEmbeddedSeries);
        EXPECT_FALSE(info.CanDeleteEmbeddedSeries);
        EXPECT_TRUE(info.FocusInEntries);
        EXPECT_FALSE(info.FocusInAnnotations);
        EXPECT_FALSE(info.MemoryTapeVisible);
    }
}

TEST_F(FileManagerEditMenuTest, EmbeddedSeriesItemsFollowTheFocusLine) {
    struct Case {
        const char* name;
        LineIndex focus;
        bool embeddedLine, copyEmbedded;
    };
    const Case cases[] = {
        {"an entry of the embedded series", 2, true, true},
        {"its opening line", 1, true, true},
        {"the external total line", 6, false, false},
        {"an entry outside", 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(EmbeddedSeriesTape(), c.focus);
        const TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
        EXPECT_EQ(info.CanCopyEmbeddedSeries, c.copyEmbedded);
        EXPECT_EQ(info.CanCutEmbeddedSeries, c.copyEmbedded);
        EXPECT_EQ(info.CanDeleteEmbeddedSeries, c.embeddedLine);
        EXPECT_EQ(info.CanEmptyEmbeddedSeries, c.embeddedLine);
        EXPECT_EQ(info.CanInsertNewEmbeddedSeries, Tape().CanInsertNewEmbeddedSeries());
    }
}

// A record copied through the bus is named by its kind, and its paste item is on where the
// paste would take it.
TEST_F(FileManagerEditMenuTest, TheClipboardRecordDecidesTheKindAndPasteItems) {
    Fill(kGroupTape, 9);
    Perform("GroupTotalRangeCopy");
    ASSERT_TRUE(clipboard_.GetText().starts_with("[Group Total Range]\r\n"));
    TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
    // Before the group total itself the range may not go.
    EXPECT_FALSE(info.CanPasteGroupTotalRange);
    EXPECT_FALSE(info.CanPasteTape);
    EXPECT_FALSE(info.ClipboardHoldsEntireTape || info.ClipboardHoldsCalcSeries || info.ClipboardHoldsTapeLine ||
                 info.ClipboardHoldsEmbeddedSeries || info.ClipboardIsEntryText);
    Fill(kGroupTape, 0);
    EXPECT_TRUE(Menu().CanPasteGroupTotalRange);

    struct Case {
        const char* action;
        LineIndex focus;
        bool TMedFileMgr_EditTapeMenuDecisionInfo::*holds;
        bool TMedFileMgr_EditTapeMenuDecisionInfo::*canPaste;
    };
    using Info = TMedFileMgr_EditTapeMenuDecisionInfo;
    const Case cases[] = {
        {"LineCopy", 0, &Info::ClipboardHoldsTapeLine, &Info::CanPasteLine},
        {"SeriesCopy", 0, &Info::ClipboardHoldsCalcSeries, &Info::CanPasteSeries},
        {"TapeCopy", 11, &Info::ClipboardHoldsEntireTape, &Info::CanPasteTape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        Fill(kGroupTape, c.focus);
        Perform(c.action);
        info = Menu();
        EXPECT_TRUE(info.*c.holds);
        EXPECT_TRUE(info.*c.canPaste);
        const int held = info.ClipboardHoldsTapeLine + info.ClipboardHoldsCalcSeries + info.ClipboardHoldsEntireTape +
                         info.ClipboardHoldsEmbeddedSeries;
        EXPECT_EQ(held, 1);
    }

    Fill(EmbeddedSeriesTape(), 2);
    Perform("EmbeddedSeriesCopy");
    info = Menu();
    EXPECT_TRUE(info.ClipboardHoldsEmbeddedSeries);
    // Not into the embedded series it came from; into the open last line it goes.
    EXPECT_FALSE(info.CanPasteEmbeddedSeries);
    Fill(EmbeddedSeriesTape(), 11);
    EXPECT_TRUE(Menu().CanPasteEmbeddedSeries);
}

// Foreign and huge texts are read only as far as their first line, and only plain text of
// entry characters counts as entry text.
TEST_F(FileManagerEditMenuTest, ForeignClipboardTextsEnableNoRecordItem) {
    struct Case {
        const char* name;
        std::string text;
        bool entryText;
    };
    const Case cases[] = {
        {"a number", "12.50", true},
        {"words", "twelve", false},
        {"nothing", "", false},
        {"a huge text", std::string(20'000'000, 'x'), false},
        {"a huge record that is none", "[Calc Series]\r\n" + std::string(20'000'000, '\n'), false},
        {"a header later in the text", "12.50\r\n[Entire Tape]\r\n", false},
    };
    Fill(kGroupTape, 11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clipboard_.SetText(c.text);
        const TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
        EXPECT_EQ(info.ClipboardIsEntryText, c.entryText);
        EXPECT_FALSE(info.CanPasteLine || info.CanPasteSeries || info.CanPasteEmbeddedSeries || info.CanPasteTape ||
                     info.CanPasteGroupTotalRange || info.CanPasteGrandTotalRange);
        EXPECT_FALSE(info.ClipboardHoldsEntireTape || info.ClipboardHoldsTapeLine ||
                     info.ClipboardHoldsEmbeddedSeries);
    }
    EXPECT_EQ(platform_.BeepCount(), 0);
}

TEST_F(FileManagerEditMenuTest, SelectionItemsFollowTheFocusColumnAndTheVisibleTape) {
    Fill(kGroupTape, 0);
    Tape().SetColumnShown(TTapeColumn::Annotations, true);
    ASSERT_TRUE(Tape().SelectCell(TTapeColumn::Annotations, 0));
    TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
    EXPECT_TRUE(info.FocusInAnnotations);
    EXPECT_FALSE(info.FocusInEntries);
    EXPECT_TRUE(info.CanCutSelection && info.CanCopySelection && info.CanPasteSelection && info.CanDeleteSelection);

    // The memory tape, shown, is the current tape the menu speaks of: empty, it has nothing
    // to copy.
    TTlyFile& document = Manager().Visible();
    document.EnableMemory(true);
    document.ShowTape(*document.MemoryTape());
    info = Menu();
    EXPECT_TRUE(info.MemoryTapeVisible);
    EXPECT_FALSE(info.CanCopyLine);
    EXPECT_FALSE(CanCopyLine());
    EXPECT_FALSE(info.FocusInAnnotations);
}

// Asked again, a record starts afresh; a window that sends no record gets no answer.
TEST_F(FileManagerEditMenuTest, ARecordAskedTwiceStartsAfresh) {
    Fill(kGroupTape, 9);
    TMedFileMgr_EditTapeMenuDecisionInfo info = Menu();
    ASSERT_EQ(info.GroupTotalDisplayState, "SL");
    Fill(kGroupTape, 0);
    appBus_.Handle(ev::FileMgr_GetEditTapeMenuDecisionInfo, nullptr, &info);
    EXPECT_EQ(info.GroupTotalDisplayState, "");
    EXPECT_FALSE(info.CanCopyGroupTotalRange);
    appBus_.Handle(ev::FileMgr_GetEditTapeMenuDecisionInfo, nullptr, nullptr);
    appBus_.Handle(ev::FileMgr_CanCopyCurrentTapeLine, nullptr, nullptr);
}

}  // namespace
}  // namespace tally::test
