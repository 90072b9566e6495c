// The side tape functions of a document: side calculations begun, ended, linked back and
// cancelled, the side total into another tape, and series copied to the side tape without the
// user's clipboard.
#include "cross_tape_fixture.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::test {
namespace {

class SideCommandsTest : public CrossTapeTest {
protected:
    SideCommandsTest() {
        doc_.EnableMemory(true);
        doc_.EnableSide(true);
    }
    TCalculator& Side() { return *doc_.SideTape(); }
};

TEST_F(SideCommandsTest, ASideCalculationBringsItsTotalBackToTheLineItStartedFrom) {
    doc_.SideTape()->SetDataEntryOption(DataEntryOption::kEnterKeyStart);
    Script("12+[BeginSide]");
    EXPECT_TRUE(doc_.SideCalcActive());
    EXPECT_EQ(doc_.VisibleName(), "Side Tape");
    EXPECT_EQ(Side().DataEntryOption(), DataEntryOption::kManualStart);
    EXPECT_EQ(Commands().SideOriginTape(), &doc_.MainTape());
    // The side calculation keeps the side tape shown until it ends.
    EXPECT_FALSE(doc_.ShowByName("Tape", true));
    EXPECT_EQ(Beeps(), Rows{std::string(kLeaveSideDuringSideCalcText)});
    Beeps().clear();

    Script("2+3[EndSide]");
    EXPECT_EQ(Beeps(), Rows{std::string(kSideIncompleteText)});
    EXPECT_TRUE(doc_.SideCalcActive());
    Beeps().clear();

    Script("\n[EndSide]");
    EXPECT_FALSE(doc_.SideCalcActive());
    EXPECT_EQ(doc_.VisibleName(), "Tape");
    EXPECT_EQ(Lines(&doc_.MainTape()), (Rows{" |+12.00", " |+5.00"}));
    // End Side gives the side tape its own data entry option back.
    EXPECT_EQ(Side().DataEntryOption(), DataEntryOption::kEnterKeyStart);
    EXPECT_TRUE(Beeps().empty()) << Beeps().front();
}

TEST_F(SideCommandsTest, EndSideOverwritesTheOriginAnnotationOnlyWithText) {
    struct Case {
        const char* sideAnnotation;
        const char* expected;
    };
    const Case cases[] = {{"", "Rent"}, {"Heating", "Heating"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sideAnnotation);
        doc_.Reset("Untitled(1)");
        Script("12+");
        TCalculator& main = doc_.MainTape();
        main.Lines().SetCell(1, TLineColumn::Annotations, "Rent");
        Script("[BeginSide]2+3\n");
        Side().Lines().SetCell(Side().LastLine() - 1, TLineColumn::Annotations, c.sideAnnotation);
        Script("[EndSide]");
        EXPECT_EQ(main.Lines().Entries(1), "+5.00");
        EXPECT_EQ(main.Lines().Annotations(1), c.expected);
    }
}

TEST_F(SideCommandsTest, BeginSideRefusesWhatCannotTakeASideTotal) {
    Script("12[BeginSide]");
    EXPECT_EQ(Beeps(), Rows{std::string(kBeginSideNotEmptyText)});
    EXPECT_FALSE(doc_.SideCalcActive());

    // A group total's line.
    doc_.Reset("Untitled(1)");
    Script("5\n\n");
    ASSERT_TRUE(doc_.MainTape().InsertGroupTotalAt(doc_.MainTape().FocusLine()));
    RunRequests();
    const TLineStore& lines = doc_.MainTape().Lines();
    LineIndex groupTotal = 0;
    while (lines.IsLine(groupTotal) && !lines.HasKind(groupTotal, 'g')) ++groupTotal;
    ASSERT_TRUE(lines.IsLine(groupTotal));
    doc_.MainTape().SetFocusLine(groupTotal);
    Beeps().clear();
    Script("[BeginSide]");
    EXPECT_EQ(Beeps(), Rows{std::string(kSideForGroupOrGrandText)});
    EXPECT_FALSE(doc_.SideCalcActive());

    // Nothing from the memory tape.
    Beeps().clear();
    ASSERT_TRUE(doc_.ShowByName("Memory"));
    Script("[BeginSide]");
    EXPECT_FALSE(doc_.SideCalcActive());
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(SideCommandsTest, EndSideLinkAndCancelSide) {
    Script("1+[BeginSide]4+5\n[EndSideLink]");
    EXPECT_FALSE(doc_.SideCalcActive());
    const TLineStore& main = doc_.MainTape().Lines();
    EXPECT_EQ(main.Entries(1), "+9.00");
    EXPECT_FALSE(main.Property(1, LineKey::kLinkId).empty());
    EXPECT_FALSE(Side().Lines().Property(3, LineKey::kLinkId).empty());
    // The side tape keeps data entry option 1 after a linked end and after a cancel.
    EXPECT_EQ(Side().DataEntryOption(), DataEntryOption::kManualStart);

    Script("+[BeginSide]7[CancelSide]");
    EXPECT_FALSE(doc_.SideCalcActive());
    EXPECT_EQ(doc_.VisibleName(), "Tape");
    EXPECT_EQ(doc_.MainTape().Lines().Entries(2), "+");

    Script("[BeginSide]7[EndSideLink]");
    EXPECT_EQ(Beeps(), Rows{std::string(kSideIncompleteText)});
    EXPECT_TRUE(doc_.SideCalcActive());
}

TEST_F(SideCommandsTest, TheSideTotalGoesIntoAnotherTape) {
    ASSERT_TRUE(doc_.ShowByName("Side Tape"));
    Script("4+5\n");
    Side().Lines().SetCell(3, TLineColumn::Annotations, "Parts");
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    Script("1+[SideToEntry]");
    EXPECT_EQ(Lines(&doc_.MainTape()), (Rows{" |+1.00", " |+9.00|Parts"}));
    Script("\n\n[SideToEntryLink]");
    EXPECT_FALSE(doc_.MainTape().Lines().Property(doc_.MainTape().FocusLine(), LineKey::kLinkId).empty());
    EXPECT_TRUE(Beeps().empty()) << Beeps().front();

    // Not into the side tape itself; nothing to link to on an empty side tape.
    const Rows side = Lines(&Side());
    ASSERT_TRUE(doc_.ShowByName("Side Tape"));
    Script("[SideToEntry][SideToEntryLink]");
    EXPECT_EQ(Lines(&Side()), side);
    EXPECT_TRUE(Beeps().empty());
    doc_.Reset("Untitled(1)");
    Script("[SideToEntryLink]");
    EXPECT_EQ(Beeps(), Rows{std::string(kNoSideTotalToLinkText)});
}

TEST_F(SideCommandsTest, CopyToSideLeavesTheClipboardAlone) {
    clipboard_.SetText("the user's text");
    Script("12+5\n[CopyToSide]");
    EXPECT_EQ(Lines(&Side()), (Rows{" |+12.00", " |+5.00", "=|==========", "T|17.00", "Z|0.00", " |"}));
    EXPECT_EQ(clipboard_.GetText(), "the user's text");
    EXPECT_EQ(doc_.VisibleName(), "Tape");
    EXPECT_TRUE(Beeps().empty()) << Beeps().front();
}

TEST_F(SideCommandsTest, CopyToSideRefusalsAndTapes) {
    Script("12+5[CopyToSide]");
    EXPECT_EQ(Beeps(), Rows{"A calculation series must end with either a total line or a zero total line before the "
                            "series can be copied to the side tape."});
    Beeps().clear();
    Script("\n");
    // From the memory tape nothing is copied; from an auxiliary tape it is.
    ASSERT_TRUE(doc_.ShowByName("Memory"));
    Script("[CopyToSide]");
    EXPECT_EQ(Lines(&Side()), Rows{" |"});
    doc_.AddAuxTape();
    Script("3\n[CopyToSide]");
    EXPECT_EQ(Lines(&Side()), (Rows{" |+3.00", "=|==========", "T|3.00", "Z|0.00", " |"}));
    EXPECT_TRUE(Beeps().empty()) << Beeps().front();
}

}  // namespace
}  // namespace tally::test
