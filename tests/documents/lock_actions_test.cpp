// The lock modes: each total a tape makes runs the locked commands once, with the tape that made
// it; and the parts a side calculation or a memory recall still needs are not taken away.
#include "cross_tape_fixture.h"
#include "table/table_manager.h"

namespace tally::test {
namespace {

class LockActionsTest : public CrossTapeTest {
protected:
    LockActionsTest() {
        doc_.EnableMemory(true);
        doc_.EnableSide(true);
    }
    TCalculator& Memory() { return *doc_.MemoryTape(); }
    TCalculator& Side() { return *doc_.SideTape(); }
};

// Two series typed under a lock: each adds its total once, not every running total on the way.
TEST_F(LockActionsTest, EachLockModeRunsOncePerTotalMade) {
    struct Case {
        const char* lock;
        Rows memory;
        Rows side;
    };
    const Rows noMemory{" |"};
    const Case cases[] = {
        {"[MemPlusTotalLock]", {" |+17.00", " |+7.00", "=|==========", "T|24.00", "Z|0.00", " |"}, {" |"}},
        {"[MemMinusTotalLock]", {" |-17.00", " |-7.00", "=|==========", "T|-24.00", "Z|0.00", " |"}, {" |"}},
        {"[MemPlusTotalLock][MemPlusTotalUnlock]", noMemory, {" |"}},
        {"[CopyToSideLock]",
         noMemory,
         {" |+12.00", " |+5.00", "=|==========", "T|17.00", "Z|0.00", " |+3.00", " |+4.00", "=|==========",
          "T|7.00", "Z|0.00", " |"}},
        {"[CopyToSideLock][CopyToSideUnlock]", noMemory, {" |"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lock);
        doc_.Reset("Untitled(1)");
        clipboard_.SetText("the user's text");
        Script(c.lock);
        Script("12+5\n\n3+4\n");
        EXPECT_EQ(Lines(&Memory()), c.memory);
        EXPECT_EQ(Lines(&Side()), c.side);
        EXPECT_EQ(clipboard_.GetText(), "the user's text");
        EXPECT_TRUE(Beeps().empty()) << Beeps().front();
        Script("[MemPlusTotalUnlock][MemMinusTotalUnlock][CopyToSideUnlock]");
    }
}

// Zero Total closes a series with its total in one step; the Enter-key-starts option makes the
// zero total right after the total. Either way the total counts once; inserting a line into a
// totalled tape makes no total.
TEST_F(LockActionsTest, ATotalCountsOnceHoweverTheSeriesIsClosed) {
    const Rows twoTotals{" |+17.00", " |+3.00", "=|==========", "T|20.00", "Z|0.00", " |"};
    TCalculator& main = doc_.MainTape();
    Script("[MemPlusTotalLock]12+5");
    ASSERT_TRUE(main.ZeroTotal());
    Script("3\n\n");
    EXPECT_EQ(Lines(&Memory()), twoTotals);
    Script("{Go2}");
    ASSERT_TRUE(main.InsertLine());
    RunRequests();
    EXPECT_EQ(Lines(&Memory()), twoTotals);

    doc_.Reset("Untitled(1)");
    doc_.MainTape().SetDataEntryOption(DataEntryOption::kEnterKeyStart);
    Script("12+5\n3\n");
    EXPECT_EQ(Lines(&Memory()), twoTotals);
}

TEST_F(LockActionsTest, MemoryLocksExcludeEachOther) {
    Script("[MemPlusTotalLock][MemMinusTotalLock]");
    EXPECT_FALSE(Commands().MemPlusTotalLock());
    EXPECT_TRUE(Commands().MemMinusTotalLock());
    Script("[MemPlusTotalLock]");
    EXPECT_TRUE(Commands().MemPlusTotalLock());
    EXPECT_FALSE(Commands().MemMinusTotalLock());
    // Without the memory tape, or on it, the memory locks stay as they are.
    ASSERT_TRUE(doc_.ShowByName("Memory"));
    Script("[MemPlusTotalUnlock]");
    EXPECT_TRUE(Commands().MemPlusTotalLock());
    Script("[DisableMemory][MemPlusTotalLock]");
    EXPECT_FALSE(Commands().MemPlusTotalLock());
}

TEST_F(LockActionsTest, CopyToTableLockAddsARowPerTotal) {
    ASSERT_FALSE(doc_.AddTableNamed().empty());
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    Script("[CopyToTableLock]12+");
    TCalculator& main = doc_.MainTape();
    main.Lines().SetCell(0, TLineColumn::TableColumns, "1");
    doc_.TableManager().ApplyTableColumnCell(main, 0);
    ASSERT_FALSE(main.Lines().Property(0, LineKey::kTableColumnId).empty());
    const TResultsTable& table = *doc_.TableManager().CurrentTable();
    Script("5");
    EXPECT_EQ(table.LastNonEmptyDataRow(), 0);
    Script("\n");
    ASSERT_EQ(table.LastNonEmptyDataRow(), 1);
    Script("\n3\n");
    EXPECT_EQ(table.LastNonEmptyDataRow(), 2);
    EXPECT_EQ(table.Cell(1, 1), "12.00");
    doc_.RemoveTable("Table A");
    EXPECT_FALSE(Commands().CopyToTableLock());
}

TEST_F(LockActionsTest, TableFunctionsMoveTheCurrentLineAndColumn) {
    // Without a table nothing happens.
    Script("12+5+[CopyToTable][MoveLineUp][MoveColRight]");
    ASSERT_FALSE(doc_.AddTableNamed().empty());
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    TCalculator& main = doc_.MainTape();
    for (const LineIndex line : {0, 1}) {
        main.Lines().SetCell(line, TLineColumn::TableColumns, std::to_string(line + 1));
        doc_.TableManager().ApplyTableColumnCell(main, line);
    }
    Script("[CopyToTable]{Up}{Backspace}{Backspace}{Backspace}{Backspace}{Backspace}8{Down}[CopyToTable]");
    TResultsTable& table = *doc_.TableManager().CurrentTable();
    const auto row = [&table](int r) { return table.Cell(1, r) + "," + table.Cell(2, r); };
    ASSERT_EQ(row(1) + "|" + row(2), "12.00,5.00|12.00,8.00");
    struct Case {
        const char* command;
        int column;
        int row;
        const char* rows;
    };
    const Case cases[] = {
        {"[MoveLineUp]", 1, 2, "12.00,8.00|12.00,5.00"},
        {"[MoveLineDown]", 1, 1, "12.00,5.00|12.00,8.00"},
        {"[MoveColRight]", 1, 1, "5.00,12.00|8.00,12.00"},
        {"[MoveColLeft]", 2, 1, "12.00,5.00|12.00,8.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        table.SetCurrentCell(c.column, c.row);
        Script(c.command);
        EXPECT_EQ(row(1) + "|" + row(2), c.rows);
    }
}

// The locks run with the tape that made the total, whichever tape is shown.
TEST_F(LockActionsTest, TheTapeThatMadeTheTotalIsTheOneUsed) {
    Script("[MemPlusTotalLock]");
    ASSERT_TRUE(doc_.ShowByName("Side Tape"));
    Side().KeyPress('9');
    Type(doc_.MainTape(), "12+5\n");
    EXPECT_EQ(Lines(&Memory()), (Rows{" |+17.00", "=|==========", "T|17.00", "Z|0.00", " |"}));

    // A side calculation's own total is added too; End Side places a number and makes no total.
    doc_.Reset("Untitled(1)");
    Script("1+[BeginSide]2+3\n[EndSide]");
    EXPECT_EQ(Lines(&Memory()), (Rows{" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}));
    EXPECT_EQ(doc_.MainTape().Lines().Entries(1), "+5.00");

    // An auxiliary tape's totals count; work on the memory tape adds nothing.
    doc_.Reset("Untitled(1)");
    doc_.AddAuxTape();
    Script("8\n");
    ASSERT_TRUE(doc_.ShowByName("Memory"));
    Script("{Go1}[MemDeleteLine]");
    EXPECT_EQ(Lines(&Memory()), Rows{" |"});
}

TEST_F(LockActionsTest, DisablingAPartClearsItsLocks) {
    Script("[MemPlusTotalLock][CopyToSideLock][AutoAnnotMemTotalOn]");
    Script("[DisableMemory][DisableSideTape]");
    EXPECT_FALSE(Commands().MemPlusTotalLock());
    EXPECT_FALSE(Commands().AutoAnnotateMemTotal());
    EXPECT_FALSE(Commands().CopyToSideLock());
}

TEST_F(LockActionsTest, ATapeASideCalculationStartedFromStaysUntilItEnds) {
    const std::string aux = doc_.AddAuxTape();
    Script("[BeginSide]");
    ASSERT_TRUE(doc_.SideCalcActive());
    doc_.RemoveAuxTape(aux);
    EXPECT_EQ(Beeps(), Rows{"Cannot remove " + aux +
                            " while a side calculation started from it is in progress.  Either END the calculation "
                            "or CANCEL it."});
    ASSERT_NE(doc_.TapeByName(aux), nullptr);
    Script("[CancelSide]");
    EXPECT_EQ(doc_.VisibleName(), aux);
    doc_.RemoveAuxTape(aux);
    EXPECT_EQ(doc_.TapeByName(aux), nullptr);

    // Disabling the side tape ends a side calculation and shows the tape it started from.
    Script("[BeginSide]");
    ASSERT_TRUE(doc_.SideCalcActive());
    Script("[DisableSideTape]");
    EXPECT_FALSE(doc_.SideCalcActive());
    EXPECT_EQ(Commands().SideOriginTape(), nullptr);
    EXPECT_EQ(doc_.VisibleName(), "Tape");
}

TEST_F(LockActionsTest, ATapeAMemoryRecallReturnsToStaysUntilItEnds) {
    Script("4\n[MemPlusTotal]");
    ASSERT_TRUE(doc_.ShowByName("Side Tape"));
    ASSERT_GT(Commands().SetupForMemEntryToEntry(), 0);
    Script("[DisableSideTape]");
    EXPECT_EQ(Beeps(), Rows{"Cannot disable the side tape while a memory tape entry is being recalled into it.  "
                            "Either select a memory entry and press the Enter key, or press the Escape key to "
                            "cancel."});
    EXPECT_NE(doc_.SideTape(), nullptr);
    // Disabling memory ends the recall on the tape it returns to.
    Script("[DisableMemory]");
    EXPECT_FALSE(doc_.MemoryRecallActive());
    EXPECT_EQ(Commands().RecallReturnTape(), nullptr);
    EXPECT_EQ(doc_.VisibleName(), "Side Tape");
    Script("[DisableSideTape]");
    EXPECT_EQ(doc_.SideTape(), nullptr);

    // An auxiliary tape a recall returns to.
    Script("[EnableMemory]");
    const std::string aux = doc_.AddAuxTape();
    ASSERT_GT(Commands().SetupForMemEntryToEntry(), 0);
    Beeps().clear();
    doc_.RemoveAuxTape(aux);
    EXPECT_EQ(Beeps(), Rows{"Cannot remove " + aux +
                            " while a memory tape entry is being recalled into it.  Either select a memory entry "
                            "and press the Enter key, or press the Escape key to cancel."});
    Script("[TeardownForMemEntryToEntry]");
    doc_.RemoveAuxTape(aux);
    EXPECT_EQ(doc_.TapeByName(aux), nullptr);
}

}  // namespace
}  // namespace tally::test
