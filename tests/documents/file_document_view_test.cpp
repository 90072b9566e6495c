// The visible page of a document, its refusals, going to a line and the shown columns.
#include "document_test_fixture.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"

namespace tally::test {
namespace {

TEST_F(DocumentTest, GoingToATapeLine) {
    doc_.EnableMemory(true);
    Type(doc_.MainTape(), "1+2+3+4\n");
    struct Case {
        std::string_view text;
        std::string beep;           // empty: none
        TVisibleKind visible;       // afterwards
        LineIndex mainFocus;
    };
    const Case cases[] = {
        {"", "", TVisibleKind::MainTape, 6},
        {"2", "", TVisibleKind::MainTape, 1},
        {"t3", "", TVisibleKind::MainTape, 2},
        {"T1", "", TVisibleKind::MainTape, 0},
        {"x5", "Invalid tape id.", TVisibleKind::MainTape, 0},
        {"12a", "Invalid line number.", TVisibleKind::MainTape, 0},
        {"t", "Invalid line number.", TVisibleKind::MainTape, 0},
        {"t-1", "Invalid line number.", TVisibleKind::MainTape, 0},
        {"m1", "", TVisibleKind::MemoryTape, 0},
        {"t4", "", TVisibleKind::MainTape, 3},
    };
    for (const Case& c : cases) {
        Beeps().clear();
        doc_.GoToTapeLine(c.text);
        EXPECT_EQ(Beeps(), c.beep.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.beep}) << c.text;
        EXPECT_EQ(doc_.VisibleKind(), c.visible) << c.text;
        EXPECT_EQ(doc_.MainTape().FocusLine(), c.mainFocus) << c.text;
    }
}

TEST_F(DocumentTest, LeavingTheMemoryTapeDuringARecallOrTheSideTapeDuringASideCalculationIsRefused) {
    doc_.EnableMemory(true);
    doc_.EnableSide(true);
    struct Case {
        const char* tape;
        void (TTlyFile::*setActive)(bool);
        std::string_view refusal;
    };
    const Case cases[] = {
        {"Memory", &TTlyFile::SetMemoryRecallActive, kLeaveMemoryDuringRecallText},
        {"Side Tape", &TTlyFile::SetSideCalcActive, kLeaveSideDuringSideCalcText},
    };
    const TDocumentPageId mainPage = pages_.PageWithCaption("&Tape");
    for (const Case& c : cases) {
        ASSERT_TRUE(doc_.ShowByName(c.tape));
        const TVisibleKind kind = doc_.VisibleKind();
        (doc_.*c.setActive)(true);
        Beeps().clear();
        EXPECT_FALSE(pages_.ClickPage(mainPage)) << c.tape;
        EXPECT_FALSE(doc_.ShowByName("Tape", true)) << c.tape;
        doc_.GoToTapeLine("t1");
        EXPECT_EQ(Beeps(), std::vector<std::string>(3, std::string(c.refusal))) << c.tape;
        EXPECT_EQ(doc_.VisibleKind(), kind) << c.tape;
        EXPECT_NE(pages_.ActivePage(), mainPage) << c.tape;

        (doc_.*c.setActive)(false);
        EXPECT_TRUE(pages_.ClickPage(mainPage)) << c.tape;
        EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::MainTape) << c.tape;
        EXPECT_EQ(pages_.ActivePage(), mainPage) << c.tape;
    }
}

TEST_F(DocumentTest, ClickingAPageMakesItsTapeCurrentAndTellsTheFileManager) {
    int changes = 0;
    fileBus_.Add(events::FileMgr_VisibleDocumentChanged, [&changes](TMedRecord*, TMedRecord*) { ++changes; });
    TCalculator* aux = doc_.AddAuxiliaryTape("Aux C");
    doc_.AddTableNamed();
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    changes = 0;
    EXPECT_TRUE(pages_.ClickPage(pages_.PageWithCaption("Aux C")));
    EXPECT_EQ(&doc_.CurrentTape(), aux);
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::AuxTape);
    EXPECT_TRUE(pages_.ClickPage(pages_.PageWithCaption("Table")));
    EXPECT_EQ(doc_.VisibleKind(), TVisibleKind::Table);
    EXPECT_EQ(doc_.VisibleName(), "Table A");
    EXPECT_EQ(&doc_.CurrentTape(), &doc_.MainTape());
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(doc_.ShowByName("Aux Q"));
    EXPECT_FALSE(doc_.ShowByName("Memory"));
}

TEST_F(DocumentTest, ShownColumnsReachEveryTapeAndLinksBringLineNumbers) {
    std::vector<bool> states;
    fileBus_.Add(events::FileMgr_ShowLinksState, [&states](TMedRecord* in, TMedRecord*) {
        states.push_back(RecordAs<TMedBoolean>(in)->Value);
    });
    doc_.EnableMemory(true);
    doc_.AddAuxTape();
    for (TCalculator* tape : doc_.EnabledTapes()) {
        ASSERT_FALSE(tape->IsColumnShown(TTapeColumn::Line));
        ASSERT_FALSE(tape->IsColumnShown(TTapeColumn::Links));
    }
    doc_.ShowColumn(TTapeColumn::Links, true);
    doc_.ShowThousands(false);
    for (const TCalculator* tape : doc_.EnabledTapes()) {
        EXPECT_TRUE(tape->IsColumnShown(TTapeColumn::Line)) << tape->TapeName();
        EXPECT_TRUE(tape->IsColumnShown(TTapeColumn::Links)) << tape->TapeName();
        EXPECT_FALSE(tape->ShowThousands()) << tape->TapeName();
    }
    EXPECT_EQ(states, std::vector<bool>{true});
}

}  // namespace
}  // namespace tally::test
