// The open documents: file numbers, captions, new and close, switching, the first document's
// set-up from the last run, and the commands and relays on the application bus.

#include "documents/file_manager_fixture.h"

#include "engine/tape/calculator.h"
#include "foundation/message_records.h"
#include "output/page_model.h"
#include "settings/appl_records.h"

namespace tally {
namespace {

namespace ev = events;
using test::FileManagerTest;

TEST_F(FileManagerTest, TheFirstDocumentIsUntitledNumberOneAndVisible) {
    TFileManager& manager = Manager();
    ASSERT_EQ(manager.Count(), 1);
    const TOpenFileInfo first = manager.VisibleFile();
    EXPECT_EQ(first.FileNumber, 1);
    EXPECT_EQ(first.FileName, "Untitled(1)");
    EXPECT_EQ(first.TabCaption, "Untitled(1)");
    EXPECT_TRUE(first.Untitled);
    EXPECT_TRUE(first.Empty);
    EXPECT_FALSE(first.Modified);
    EXPECT_EQ(manager.WindowCaption(), "Tallyroll - Untitled(1)");
    EXPECT_EQ(visibleFileChanges_, 1);
}

// Numbers of closed documents come back only when they were the highest.
TEST_F(FileManagerTest, ANewDocumentTakesOneMoreThanTheHighestOpenNumber) {
    struct Case {
        int closed;
        int next;
    };
    for (const Case& c : {Case{2, 4}, Case{3, 3}}) {
        SCOPED_TRACE(c.closed);
        manager_.reset();
        TFileManager& manager = Manager();
        manager.NewFile();
        manager.NewFile();
        ASSERT_TRUE(manager.ViewFile(c.closed));
        manager.CloseCurrentFile();
        EXPECT_EQ(manager.NewFile().FileNumber(), c.next);
        EXPECT_EQ(manager.VisibleFile().FileName, "Untitled(" + std::to_string(c.next) + ")");
        EXPECT_EQ(manager.Count(), 3);
    }
}

TEST_F(FileManagerTest, ClosingTheOnlyDocumentLeavesAnEmptyUntitledOneWithItsNumber) {
    TFileManager& manager = Manager();
    manager.NewFile();
    manager.ViewFile(1);
    manager.CloseCurrentFile();
    ASSERT_EQ(Numbers(), std::vector<int>{2});
    Type(manager.Visible(), "5\n");
    manager.Visible().EnableMemory(true);
    manager.CloseCurrentFile();
    const TOpenFileInfo left = manager.VisibleFile();
    EXPECT_EQ(manager.Count(), 1);
    EXPECT_EQ(left.FileNumber, 2);
    EXPECT_EQ(left.TabCaption, "Untitled(2)");
    EXPECT_TRUE(left.Untitled);
    EXPECT_TRUE(left.Empty);
    EXPECT_FALSE(left.Modified);
    // Its parts stay enabled, empty.
    EXPECT_NE(manager.Visible().MemoryTape(), nullptr);
}

// Closing the visible document shows the next one when the first closes, else the previous.
TEST_F(FileManagerTest, ClosingTheVisibleDocumentShowsItsNeighbour) {
    TFileManager& manager = Manager();
    manager.NewFile();
    manager.NewFile();
    manager.NewFile();
    manager.ViewFile(1);
    manager.CloseCurrentFile();
    EXPECT_EQ(manager.VisibleFile().FileNumber, 2);
    manager.ViewFile(3);
    manager.CloseCurrentFile();
    EXPECT_EQ(manager.VisibleFile().FileNumber, 2);
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 4}));
    EXPECT_FALSE(manager.ViewFile(3));
    EXPECT_EQ(manager.VisibleFile().FileNumber, 2);
}

TEST_F(FileManagerTest, TogglingWalksTheOpenDocumentsBothWaysAndWrapsAround) {
    TFileManager& manager = Manager();
    manager.NewFile();
    manager.NewFile();
    manager.ViewFile(1);
    std::vector<int> forward;
    for (int i = 0; i < 3; ++i) {
        manager.ToggleOpenFiles(true);
        forward.push_back(manager.VisibleFile().FileNumber);
    }
    EXPECT_EQ(forward, (std::vector<int>{2, 3, 1}));
    manager.ToggleOpenFiles(false);
    EXPECT_EQ(manager.VisibleFile().FileNumber, 3);
    // Each document keeps its own tapes while another is shown.
    Type(manager.Visible(), "7\n");
    manager.ToggleOpenFiles(true);
    EXPECT_TRUE(Entries(manager.Visible()).empty());
    manager.ToggleOpenFiles(false);
    ASSERT_FALSE(Entries(manager.Visible()).empty());
    EXPECT_EQ(Entries(manager.Visible()).front(), "+7.00");
}

TEST_F(FileManagerTest, ALongFileNameIsCutOnItsTabButNotInTheWindowCaption) {
    const std::string name = "abcdefghijklmnopqrstuvwxyz.tly";  // 30 characters
    const std::string fileName = DocumentFile(name, "1\n");
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(fileName));
    EXPECT_EQ(manager.VisibleFile().TabCaption, "abcdefghijklmnopqrstuvwxy...");
    EXPECT_EQ(manager.VisibleFile().ShortName, name);
    EXPECT_EQ(manager.WindowCaption(), "Tallyroll - " + name);
}

// The first document takes over how the program was left, and that is no change to save.
TEST_F(FileManagerTest, TheFirstDocumentIsSetUpAsTheLastRunEnded) {
    settings_.MemoryEnabled = true;
    settings_.SideTapeEnabled = true;
    settings_.AuxTapeIds = "a";
    settings_.TableIds = "a";
    settings_.ShowingLineNumbers = true;
    TTlyFile& first = Manager().Visible();
    EXPECT_EQ(first.EnabledParts(), DocumentPart::kMainTape | DocumentPart::kMemoryTape | DocumentPart::kSideTape |
                                        DocumentPart::kAuxTapes | DocumentPart::kTables);
    EXPECT_NE(first.TapeByName("Aux A"), nullptr);
    EXPECT_TRUE(first.MainTape().IsColumnShown(TTapeColumn::Line));
    EXPECT_EQ(first.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_FALSE(first.IsModified());
}

// What the visible document had enabled and shown at the end of a run comes back in the first
// document of the next.
TEST_F(FileManagerTest, TheStateStoredAtTheEndSetsUpTheFirstDocumentOfTheNextRun) {
    TTlyFile& last = Manager().Visible();
    last.EnableSide(true);
    last.AddAuxTape();
    last.AddAuxTape();
    last.AddTableNamed();
    last.ShowColumn(TTapeColumn::RunningTotal, true);
    last.ShowThousands(false);
    Manager().StoreShutdownState();
    EXPECT_EQ(settings_.AuxTapeIds, "ab");
    EXPECT_EQ(settings_.TableIds, "a");
    EXPECT_FALSE(settings_.MemoryEnabled);
    EXPECT_FALSE(settings_.ShowingTableAnnotations);
    const std::uint8_t parts = last.EnabledParts();

    manager_.reset();
    TTlyFile& next = Manager().Visible();
    EXPECT_EQ(next.EnabledParts(), parts);
    EXPECT_NE(next.TapeByName("Aux B"), nullptr);
    EXPECT_TRUE(next.MainTape().IsColumnShown(TTapeColumn::RunningTotal));
    EXPECT_TRUE(next.MainTape().IsColumnShown(TTapeColumn::TableColumns));
    EXPECT_FALSE(next.MainTape().ShowThousands());
}

TEST_F(FileManagerTest, TheFileCommandsAreServedOnTheApplicationBus) {
    TFileManager& manager = Manager();
    appBus_.Handle(ev::FileMgr_NewFile, nullptr, nullptr);
    EXPECT_EQ(manager.Count(), 2);
    TMedString name;
    appBus_.Handle(ev::FileMgr_GetCurrentFileName, nullptr, &name);
    EXPECT_EQ(name.Value, "Untitled(2)");

    TMedString fileName;
    fileName.Value = DocumentFile("bus.tly", "3\n");
    TMedBoolean opened;
    appBus_.Handle(ev::FileMgr_OpenFile, &fileName, &opened);
    EXPECT_TRUE(opened.Value);
    std::vector<std::string> names;
    TMedStringListPointer list;
    list.List = &names;
    appBus_.Handle(ev::FileMgr_GetListOfOpenFiles, nullptr, &list);
    EXPECT_EQ(names, (std::vector<std::string>{"Untitled(1)", "Untitled(2)", Canonical(fileName.Value)}));

    TMedInteger number;
    number.Value = 1;
    appBus_.Handle(ev::FileMgr_ViewFile, &number, nullptr);
    EXPECT_EQ(manager.VisibleFile().FileNumber, 1);
    appBus_.Handle(ev::FileMgr_ToggleBackOpenFiles, nullptr, nullptr);
    EXPECT_EQ(manager.VisibleFile().FileNumber, 3);

    TMedBoolean on;
    on.Value = true;
    appBus_.Handle(ev::FileMgr_EnableMemory, &on, nullptr);
    EXPECT_NE(manager.Visible().MemoryTape(), nullptr);
    TMedString tapeName;
    tapeName.Value = "Memory";
    appBus_.Handle(ev::FileMgr_SetVisibleDocByTapeName, &tapeName, nullptr);
    TMedFileMgr_FileMenuDecisionInfo menu;
    appBus_.Handle(ev::FileMgr_GetFileMenuDecisionInfo, nullptr, &menu);
    EXPECT_FALSE(menu.HasTable);
    EXPECT_EQ(menu.VisibleName, "Memory");
    EXPECT_EQ(menu.VisibleKind, TVisibleKind::MemoryTape);

    // Tape commands go to the visible document's current tape.
    tapeName.Value = "Tape";
    appBus_.Handle(ev::FileMgr_SetVisibleDocByTapeName, &tapeName, nullptr);
    Type(manager.Visible(), "5\n");
    TMedFileMgr_MenuItemToggleAction_DataIn toggle;
    toggle.Action = "ShowLineNums";
    toggle.Checked = true;
    appBus_.Handle(ev::FileMgr_PerformConfigureTapeAction, &toggle, nullptr);
    EXPECT_TRUE(manager.Visible().MemoryTape()->IsColumnShown(TTapeColumn::Line));
    TMedString action;
    action.Value = "EraseTape";
    appBus_.Handle(ev::FileMgr_PerformEditTapeAction, &action, nullptr);
    EXPECT_TRUE(manager.Visible().IsEmpty());
    EXPECT_FALSE(manager.DocumentByNumber(1)->MainTape().IsColumnShown(TTapeColumn::Line));

    manager_.reset();
    EXPECT_FALSE(appBus_.Exists(ev::FileMgr_NewFile));
}

// Documents ask upward on the file manager's bus; the settings answer on the application bus.
TEST_F(FileManagerTest, WhatDocumentsAskIsRelayedToTheApplicationBus) {
    settings_.SetStartupDecimals(4);
    TFileManager& manager = Manager();
    TMedInteger decimals;
    manager.FileBus().Handle(ev::FileMgr_GetStartupDecimalPlaces, nullptr, &decimals);
    EXPECT_EQ(decimals.Value, 4);
    // Unanswered above, the sender's fallback stays.
    TMedString title;
    title.Value = "fallback";
    manager.FileBus().Handle(ev::FileMgr_GetDefaultTapeTitle, nullptr, &title);
    EXPECT_EQ(title.Value, "fallback");
    // A request a document posts reaches the window's queue.
    TOsMsgVariables message;
    message.MessageNumber = requests::kFirstUserMessage + requests::ShowMessageList;
    manager.FileBus().Handle(ev::FileMgr_PostMainFormWindowsMsg, &message, nullptr);
    std::vector<int> codes;
    queue_.Drain([&codes](const TDeferredRequest& request) { codes.push_back(request.Code); });
    EXPECT_EQ(codes, std::vector<int>{requests::ShowMessageList});
}


// The window makes its documents: each comes from the factory with the file manager's bus,
// its number and its caption; one that failed to load is dropped and its number is free.
TEST_F(FileManagerTest, DocumentsAreMadeByTheFactoryOnTheFileManagersBus) {
    struct Made {
        TStMediator* bus;
        int number;
        std::string name;
    };
    std::vector<Made> made;
    TFileManagerSetup setup;
    setup.ApplicationBus = &appBus_;
    setup.Factory = [&](TTlyFileSetup document) {
        made.push_back({document.ParentBus, document.FileNumber, document.FileName});
        return std::make_unique<TTlyFile>(std::move(document));
    };
    TFileManager manager(std::move(setup));
    Type(manager.Visible(), "1\n");
    const std::string notOurs = folder_.File("notes.tly");
    test::WriteBytes(notOurs, "[Tallyroll File Version 3]\r\n[TapeData]\r\n1 S )\r\n2 S \r\n");
    EXPECT_FALSE(manager.OpenFile(notOurs));
    manager.NewFile();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0].bus, &manager.FileBus());
    EXPECT_EQ(made[1].number, 2);
    EXPECT_EQ(made[1].name, Canonical(notOurs));
    EXPECT_EQ(made[2].number, 2);
    EXPECT_EQ(made[2].name, "Untitled(2)");
    EXPECT_EQ(manager.Count(), 2);
}

// Once a document's tab strip is gone and one file is open, the window recomputes its width.
TEST_F(FileManagerTest, TabsNotShowingAsksTheWindowForItsWidthOnlyWithOneFileOpen) {
    TFileManager& manager = Manager();
    const auto posted = [this, &manager] {
        manager.FileBus().Handle(events::FileMgr_OnFilesDocTabsNotShowing, nullptr, nullptr);
        std::vector<int> codes;
        queue_.Drain([&codes](const TDeferredRequest& request) { codes.push_back(request.Code); });
        return codes;
    };
    EXPECT_EQ(posted(), std::vector<int>{125});
    manager.NewFile();
    EXPECT_TRUE(posted().empty());
}

// The general options reach every open document, and the auxiliary tapes still to come.
TEST_F(FileManagerTest, GeneralOptionsReachEveryTapeOfEveryOpenDocument) {
    TFileManager& manager = Manager();
    manager.Visible().AddAuxTape();
    manager.NewFile();
    TGenlOptionsVariables options;
    options.AutoIncreaseDecimalPlaces = false;
    options.AutoSetTotalType = false;
    options.GrandTotalColor = 0x112233;
    options.ZeroTotalLineColor = 0x445566;
    options.GroupTotalCreationDisplayState = "ST";
    options.GrandTotalCreationDisplayState = "GT";
    appBus_.Handle(ev::FileMgr_ApplyGenlOptions, &options, nullptr);
    const std::string comingAux = manager.DocumentByNumber(1)->AddAuxTape();
    ASSERT_FALSE(comingAux.empty());

    std::vector<TCalculator*> tapes = manager.DocumentByNumber(1)->EnabledTapes();
    tapes.push_back(&manager.DocumentByNumber(2)->MainTape());
    ASSERT_EQ(tapes.size(), 4U);
    for (const TCalculator* tape : tapes) {
        SCOPED_TRACE(tape->TapeName());
        EXPECT_EQ(tape->Colors().GrandTotal, 0x112233U);
        EXPECT_EQ(tape->Colors().ZeroTotal, 0x445566U);
        EXPECT_EQ(tape->GroupTotalCreationDisplayState(), "ST");
        EXPECT_EQ(tape->GrandTotalCreationDisplayState(), "GT");
        // The tape made after the options takes the manager's defaults for its own options.
        if (tape->TapeName() == comingAux) continue;
        EXPECT_FALSE(tape->AutoIncreaseDecimalPlaces());
        EXPECT_FALSE(tape->AutoSetTotalType());
    }
    // Display options change nothing the file keeps.
    EXPECT_FALSE(manager.DocumentByNumber(2)->IsModified());
}

TEST_F(FileManagerTest, PageLayoutCommandsMarkTheVisibleDocumentChanged) {
    TFileManager& manager = Manager();
    manager.NewFile();
    appBus_.Handle(ev::FileMgr_PageLayoutSettingsApplied, nullptr, nullptr);
    EXPECT_TRUE(manager.Visible().IsModified());
    EXPECT_FALSE(manager.DocumentByNumber(1)->IsModified());

    manager.ViewFile(1);
    TTlyFile& document = manager.Visible();
    ASSERT_TRUE(document.ShowByName(document.AddTableNamed()));
    TMedInteger orientation;
    // Only 0 (portrait) and 1 (landscape) are orientations.
    orientation.Value = 2;
    appBus_.Handle(ev::gstrFileMgr_SetCurrDocPageOrient, &orientation, nullptr);
    EXPECT_EQ(document.TableReportProps().Orientation(), "Portrait");
    orientation.Value = 1;
    appBus_.Handle(ev::gstrFileMgr_SetCurrDocPageOrient, &orientation, nullptr);
    EXPECT_EQ(document.TableReportProps().Orientation(), "Landscape");
    EXPECT_EQ(document.TapeReportProps().Orientation(), "Portrait");
    document.ClearModified();
    document.ShowByName("Tape");
    appBus_.Handle(ev::gstrFileMgr_SetCurrDocPageOrient, &orientation, nullptr);
    EXPECT_EQ(document.TapeReportProps().Orientation(), "Landscape");
    EXPECT_TRUE(document.IsModified());
}

}  // namespace
}  // namespace tally
