// Enabling and disabling the parts of a document, its bus fallbacks and its state queries.
#include "document_test_fixture.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/link_manager.h"
#include "links/link_test_fixture.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::test {
namespace {

using Captions = std::vector<std::string>;

TEST_F(DocumentTest, EnablingMemoryTwiceKeepsOneMemoryTapeAndDisablingItWhileVisibleShowsTheMainTapeFirst) {
    int tabsHidden = 0;
    fileBus_.Add(events::FileMgr_OnFilesDocTabsNotShowing, [&tabsHidden](TMedRecord*, TMedRecord*) { ++tabsHidden; });
    EXPECT_FALSE(pages_.TabStripShown());
    doc_.EnableMemory(true);
    TCalculator* memory = doc_.MemoryTape();
    doc_.EnableMemory(true);
    EXPECT_EQ(&doc_.EnableMemoryTape(), memory);
    EXPECT_EQ(pages_.Captions(), (Captions{"&Tape", "&Memory"}));
    EXPECT_TRUE(pages_.TabStripShown());
    EXPECT_EQ(doc_.EnabledParts(), DocumentPart::kMainTape | DocumentPart::kMemoryTape);
    EXPECT_EQ(doc_.TapeById('m'), memory);

    ASSERT_TRUE(doc_.ShowByName("Memory"));
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MemoryTape);
    EXPECT_EQ(&doc_.CurrentTape(), memory);
    doc_.EnableMemory(false);
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_EQ(&doc_.CurrentTape(), &doc_.MainTape());
    EXPECT_EQ(pages_.ActivePage(), pages_.PageWithCaption("&Tape"));
    EXPECT_EQ(doc_.MemoryTape(), nullptr);
    EXPECT_EQ(doc_.TapeById('m'), nullptr);
    EXPECT_EQ(pages_.Captions(), Captions{"&Tape"});
    EXPECT_FALSE(pages_.TabStripShown());
    EXPECT_EQ(tabsHidden, 1);
    EXPECT_EQ(doc_.EnabledParts(), DocumentPart::kMainTape);
}

TEST_F(DocumentTest, NewTapesTakeTheMainTapesColumnChoices) {
    doc_.ShowColumn(TTapeColumn::RunningTotal, true);
    doc_.ShowColumn(TTapeColumn::Annotations, false);
    doc_.EnableSide(true);
    ASSERT_EQ(doc_.AddAuxTape("Aux B"), "Aux B");
    TCalculator* aux = doc_.TapeByName("Aux B");
    for (const TCalculator* tape : {doc_.SideTape(), aux}) {
        EXPECT_TRUE(tape->IsColumnShown(TTapeColumn::RunningTotal)) << tape->TapeName();
        EXPECT_FALSE(tape->IsColumnShown(TTapeColumn::Annotations)) << tape->TapeName();
    }
    // An added auxiliary tape comes forward.
    EXPECT_EQ(doc_.VisibleName(), "Aux B");
    EXPECT_EQ(doc_.AuxManager().Current(), aux);
}

TEST_F(DocumentTest, AddingATableShowsTableColumnsOnEveryTapeAndRemovingTheLastHidesThem) {
    doc_.EnableMemory(true);
    doc_.EnableSide(true);
    ASSERT_FALSE(doc_.AddAuxTape().empty());
    EXPECT_EQ(TableColumnsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(doc_.AddTableNamed(), "Table A");
    EXPECT_EQ(TableColumnsShown(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(pages_.Captions(), (Captions{"&Tape", "&Memory", "&Side Tape", "Aux A", "Table"}));
    EXPECT_NE(doc_.EnabledParts() & DocumentPart::kTables, 0);

    ASSERT_TRUE(doc_.ShowByName("Table A"));
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::Table);
    EXPECT_EQ(&doc_.CurrentTape(), &doc_.MainTape());
    doc_.RemoveTable("Table A");
    EXPECT_EQ(TableColumnsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_EQ(doc_.EnabledParts() & DocumentPart::kTables, 0);
    EXPECT_TRUE(doc_.Tables().empty());
}

TEST_F(DocumentTest, ARefusedCreationLeavesNoPageAndNoBit) {
    ASSERT_EQ(doc_.AddAuxTape("Aux A"), "Aux A");
    ASSERT_EQ(doc_.AddTableNamed(), "Table A");
    doc_.ClearModified();
    const Captions before = pages_.Captions();
    const std::uint8_t parts = doc_.EnabledParts();
    struct Case {
        const char* what;
        std::function<bool()> refused;
    };
    const Case cases[] = {
        {"a taken auxiliary name", [this] { return doc_.AddAuxiliaryTape("Aux A") == nullptr; }},
        {"a reserved letter", [this] { return doc_.AddAuxiliaryTape("Aux M") == nullptr; }},
        {"a malformed name", [this] { return doc_.AddAuxTape("Aux CC").empty(); }},
        {"a second table", [this] { return doc_.AddTable("Table A") == nullptr; }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.refused()) << c.what;
        EXPECT_EQ(pages_.Captions(), before) << c.what;
        EXPECT_EQ(doc_.EnabledParts(), parts) << c.what;
        EXPECT_FALSE(doc_.IsModified()) << c.what;
    }
    EXPECT_EQ(doc_.AuxManager().Count(), 1);
    EXPECT_EQ(doc_.Tables().size(), 1u);

    // On a fresh document the refusals leave the auxiliary and table bits clear.
    TTlyFile fresh;
    EXPECT_EQ(fresh.AddAuxiliaryTape("Aux H"), nullptr);
    EXPECT_EQ(fresh.AddTable("Table B"), nullptr);
    EXPECT_EQ(fresh.EnabledParts(), DocumentPart::kMainTape);
    EXPECT_TRUE(fresh.Tables().empty());
}

TEST_F(DocumentTest, RemovingAnAuxiliaryTapeTakesItsPageAndItsLinks) {
    TCalculator* aux = doc_.AddAuxiliaryTape("Aux A");
    ASSERT_NE(aux, nullptr);
    ReplaceTapeLines(doc_.MainTape(), {{" ", "+5.00", Lid("AS+", 1)}, {" ", ""}});
    ReplaceTapeLines(*aux, {{" ", "+5.00", Lid("AD+", 1)}, {" ", ""}});
    doc_.RemoveAuxTape("Aux A");
    EXPECT_EQ(doc_.AuxManager().Count(), 0);
    EXPECT_EQ(doc_.EnabledParts(), DocumentPart::kMainTape);
    EXPECT_EQ(pages_.Captions(), Captions{"&Tape"});
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_EQ(doc_.MainTape().Lines().Property(0, LineKey::kLinkId), "");
}

TEST_F(DocumentTest, DocumentEventsAnswerWithTheirFallbacksWhenNobodyAboveAnswers) {
    TStMediator& bus = doc_.DocumentBus();
    TMedInteger maxColumns;
    bus.Handle(events::FileObj_GetMaxTableDataCols, nullptr, &maxColumns);
    EXPECT_EQ(maxColumns.Value, 20);
    TMedInteger decimals;
    bus.Handle(events::FileObj_GetStartupDecimalPlaces, nullptr, &decimals);
    EXPECT_EQ(decimals.Value, 2);
    TMedBoolean confirm;
    confirm.Value = true;
    bus.Handle(events::FileObj_ConfirmDeleteTableCol, nullptr, &confirm);
    EXPECT_TRUE(confirm.Value);
    TMedObjectReference main;
    bus.Handle(events::FileObj_GetMainTapeCalcObject, nullptr, &main);
    EXPECT_EQ(main.ObjRef, &doc_.MainTape());
    TMedChar id;
    id.Value = 's';
    TMedFileObj_CalculatorObject_Out tape;
    bus.Handle(events::FileObj_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, nullptr);
    doc_.EnableSide(true);
    bus.Handle(events::FileObj_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, doc_.SideTape());

    // Answered above, the answers come from there.
    fileBus_.Add(events::FileMgr_GetMaxTableDataCols, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedInteger>(out)->Value = 35;
    });
    fileBus_.Add(events::FileMgr_GetDefaultTapeTitle, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedString>(out)->Value = "Expenses";
    });
    bus.Handle(events::FileObj_GetMaxTableDataCols, nullptr, &maxColumns);
    EXPECT_EQ(maxColumns.Value, 35);
    TMedString title;
    bus.Handle(events::FileObj_GetDefaultTapeTitle, nullptr, &title);
    EXPECT_EQ(title.Value, "Expenses");
}

TEST_F(DocumentTest, NewPartsTakeTheSettingsAnsweredAbove) {
    fileBus_.Add(events::FileMgr_GetTapeFocusHighlightColor, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedColor>(out)->Value = 0x00FF00;
    });
    fileBus_.Add(events::FileMgr_GetZeroTotalLineColor, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedColor>(out)->Value = 0x123456;
    });
    fileBus_.Add(events::FileMgr_GetStartupRoundingMethod, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedInteger>(out)->Value = 1;
    });
    fileBus_.Add(events::FileMgr_GetGroupTotalCreationDisplayState, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedString>(out)->Value = "ST";
    });
    fileBus_.Add(events::FileMgr_GetGrandTotalCreationDisplayState, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedString>(out)->Value = "GT";
    });
    TTlyFileSetup setup;
    setup.ParentBus = &fileBus_;
    TTlyFile document(std::move(setup));
    EXPECT_EQ(document.RoundingMethod(), TRoundingMethod::Even);
    EXPECT_EQ(document.MainTape().Colors().ZeroTotal, 0x123456u);
    EXPECT_EQ(document.AddTable({})->FocusColor(), 0x00FF00u);
    TCalculator* aux = document.AddAuxiliaryTape("Aux A");
    EXPECT_EQ(aux->Colors().ZeroTotal, 0x123456u);
    for (TCalculator* tape : {&document.MainTape(), &document.EnableMemoryTape(), aux}) {
        EXPECT_EQ(tape->GroupTotalCreationDisplayState(), "ST") << tape->TapeName();
        EXPECT_EQ(tape->GrandTotalCreationDisplayState(), "GT") << tape->TapeName();
    }
    // Unanswered, the zero total lines are light grey and new totals a single line.
    EXPECT_EQ(doc_.MainTape().Colors().ZeroTotal, 0xC0C0C0u);
    EXPECT_EQ(doc_.MainTape().GrandTotalCreationDisplayState(), "SL");
}

TEST_F(DocumentTest, EmptyAndModifiedFollowTheTapesTheTableAndTheStructure) {
    EXPECT_TRUE(doc_.IsEmpty());
    EXPECT_FALSE(doc_.IsModified());
    doc_.EnableMemory(true);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_TRUE(doc_.IsEmpty());
    doc_.ClearModified();
    EXPECT_FALSE(doc_.IsModified());

    TCalculator* aux = doc_.AddAuxiliaryTape("Aux D");
    doc_.ClearModified();
    Type(*aux, "5\n");
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_FALSE(doc_.IsEmpty());
    doc_.ClearModified();
    doc_.SetRoundingMethod(TRoundingMethod::Even);
    EXPECT_TRUE(doc_.IsModified());

    doc_.Reset("Untitled(2)");
    EXPECT_TRUE(doc_.IsEmpty());
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.FileName(), "Untitled(2)");
    EXPECT_NE(doc_.MemoryTape(), nullptr);
    EXPECT_EQ(doc_.AuxManager().Count(), 1);
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MainTape);
}

TEST_F(DocumentTest, RoundingMethodReachesEveryTapeAndLaterTapes) {
    doc_.EnableMemory(true);
    doc_.SetRoundingMethod(TRoundingMethod::Even);
    doc_.EnableSide(true);
    TCalculator* aux = doc_.AddAuxiliaryTape("Aux A");
    for (const TCalculator* tape : doc_.EnabledTapes()) {
        EXPECT_EQ(tape->RoundingMethod(), TRoundingMethod::Even) << tape->TapeName();
    }
    EXPECT_EQ(aux->RoundingMethod(), TRoundingMethod::Even);
}

TEST_F(DocumentTest, FinishLoadRefusesAStoredCircleOfLinksAndClearsTheFlagsOtherwise) {
    ReplaceTapeLines(doc_.MainTape(),
                     {{" ", "+1.00", Lid("AD+", 1)}, {"=", "=========="}, {"T", "1.00", Lid("AS+", 1)}, {"Z", "0.00"},
                      {" ", ""}});
    EXPECT_EQ(doc_.FinishLoad(), "The links in the file form a circle: T1 to T3 to T1.");

    TCalculator& memory = doc_.EnableMemoryTape();
    ReplaceTapeLines(memory, {{" ", "+4.00", Lid("AS+", 2)}, {"=", "=========="}, {"T", "4.00"}, {"Z", "0.00"}, {" ", ""}});
    ReplaceTapeLines(doc_.MainTape(), {{" ", "+1.00", Lid("AD+", 2)}, {" ", "+2.00"}, {" ", ""}});
    doc_.MainTape().SetModified(true);
    EXPECT_EQ(doc_.FinishLoad(), "");
    EXPECT_FALSE(doc_.IsModified());
    // The destination took its source's value and the main tape recomputed its running value.
    EXPECT_EQ(doc_.MainTape().Lines().Entries(0), "+4.00");
}

}  // namespace
}  // namespace tally::test
