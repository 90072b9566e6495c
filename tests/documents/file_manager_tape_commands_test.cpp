// The commands to the visible document's current tape, its auxiliary tape labels and its
// tables, sent on the application bus as the window sends them.

#include "documents/file_manager_fixture.h"
#include "engine/series/series_base.h"
#include "foundation/message_records.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

class FileManagerTapeCommandsTest : public FileManagerTest {
protected:
    template <class Record, class Value>
    void Send(std::string_view event, Value value) {
        Manager();
        Record in;
        in.Value = value;
        appBus_.Handle(event, &in, nullptr);
    }
    void Send(std::string_view event) {
        Manager();
        appBus_.Handle(event, nullptr, nullptr);
    }
    template <class Record>
    auto Read(std::string_view event, TMedRecord* in = nullptr) {
        Manager();
        Record record;
        appBus_.Handle(event, in, &record);
        return record.Value;
    }
    // The visible document's main tape holding five entries, the focus on the first.
    TCalculator& TapeWithEntries() {
        TTlyFile& document = Manager().Visible();
        Type(document, "1+2+3+4+5+");
        document.MainTape().SetFocusLine(0);
        return document.MainTape();
    }
};

// The current series' decimal places and total type are set and read back; values the series
// refuses leave them as they were.
TEST_F(FileManagerTapeCommandsTest, CurrentSeriesDecimalPlacesAndTotalType) {
    TapeWithEntries();
    Send<TMedInteger>(ev::FileMgr_SpecifyTapeDecimalPlaces, 4);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetCurrentTapeDecimalPlaces), 4);
    EXPECT_EQ(Manager().Visible().MainTape().Lines().Entries(0), "+1.0000");
    Send<TMedInteger>(ev::FileMgr_SpecifyTapeDecimalPlaces, 99);
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetCurrentTapeDecimalPlaces), 4);

    Send<TMedString>(ev::FileMgr_SpecifyTapeTotalType, std::string("T2"));
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentTapeTotalType), "T2");
    Send<TMedString>(ev::FileMgr_SpecifyTapeTotalType, std::string("XX"));
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentTapeTotalType), "T2");
}

// Each option command sets its own flag of the current tape; a changed item count flag, which
// the file keeps, marks the tape modified.
TEST_F(FileManagerTapeCommandsTest, OptionCommandsSetTheCurrentTape) {
    struct Case {
        std::string_view Event;
        bool (TCalculator::*Flag)() const;
    };
    const Case cases[] = {
        {ev::FileMgr_SetCurrentTapeSeriesTotalItemCountState, &TCalculator::ShowSeriesTotalItemCount},
        {ev::FileMgr_SetCurrentTapeGroupTotalItemCountState, &TCalculator::ShowGroupTotalItemCount},
        {ev::FileMgr_SetCurrentTapeGrandTotalItemCountState, &TCalculator::ShowGrandTotalItemCount},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Event);
        TCalculator& tape = Manager().Visible().CurrentTape();
        for (const bool on : {true, false}) {
            tape.SetModified(false);
            Send<TMedBoolean>(c.Event, on);
            EXPECT_EQ((tape.*c.Flag)(), on);
            EXPECT_TRUE(tape.IsModified());
        }
    }

    // A total already on the tape follows the series flag at once.
    TCalculator& tape = Manager().Visible().CurrentTape();
    Type(Manager().Visible(), "5+7\n");
    const LineIndex total = tape.Lines().LineCount() - 2;
    ASSERT_EQ(tape.Lines().Indicator(total), "T");
    Send<TMedBoolean>(ev::FileMgr_SetCurrentTapeSeriesTotalItemCountState, true);
    EXPECT_EQ(tape.Lines().Indicator(total), "T(2)");
    Send<TMedBoolean>(ev::FileMgr_SetCurrentTapeSeriesTotalItemCountState, false);
    EXPECT_EQ(tape.Lines().Indicator(total), "T");

    Send<TMedInteger>(ev::FileMgr_SetCurrentTapeDataEntryOption, 5);
    EXPECT_EQ(tape.DataEntryOption(), 5);
    Send<TMedInteger>(ev::FileMgr_SetCurrentTapeDataEntryOption, 9);
    EXPECT_EQ(tape.DataEntryOption(), 5);
}

// The focus moves by line number and by row; the top row is a grid row (row 1 is line 0) and is
// kept inside the tape.
TEST_F(FileManagerTapeCommandsTest, FocusAndTopRowOfTheCurrentTape) {
    TCalculator& tape = TapeWithEntries();
    Send<TMedInteger>(ev::FileMgr_MoveCurrentTapeToLineNum, 3);
    EXPECT_EQ(tape.FocusLine(), 2);
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentEntryValue), "+3.00");
    Send(ev::FileMgr_MoveCurrentTapeToNextRow);
    EXPECT_EQ(tape.FocusLine(), 3);
    Send(ev::FileMgr_MoveCurrentTapeToPriorRow);
    Send(ev::FileMgr_MoveCurrentTapeToPriorRow);
    EXPECT_EQ(tape.FocusLine(), 1);
    Send<TMedInteger>(ev::FileMgr_MoveCurrentTapeToLineNum, 1000);
    EXPECT_EQ(tape.FocusLine(), tape.LastLine());

    struct Case {
        std::int32_t Row;
        LineIndex TopLine;
    };
    const Case cases[] = {{3, 2}, {0, 0}, {-5, 0}, {1000, tape.LastLine()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Row);
        Send<TMedLongint>(ev::FileMgr_SetCurrentTapeTopRowNum, c.Row);
        EXPECT_EQ(tape.TopLine(), c.TopLine);
        EXPECT_EQ(Read<TMedLongint>(ev::FileMgr_GetCurrentTapeTopRowNum), c.TopLine + 1);
    }

    // The entry value is answered only while the focus is in the Entries column.
    tape.SetColumnShown(TTapeColumn::Annotations, true);
    ASSERT_TRUE(tape.SelectCell(TTapeColumn::Annotations, 1));
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentEntryValue), "");
}

// An auxiliary tape's label is set and read by its name and marks that tape modified; other
// names answer empty and change nothing.
TEST_F(FileManagerTapeCommandsTest, AuxiliaryTapeLabelsByName) {
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_GetMoreAuxCalcsAvailable));
    const std::string name = Read<TMedString>(ev::FileMgr_EnableNewAuxTape);
    ASSERT_FALSE(name.empty());
    TCalculator& tape = *Manager().Visible().AuxManager().FindByName(name);
    tape.SetModified(false);

    TMedFileMgr_SetTapeLabel_DataIn label;
    label.TapeName = name;
    label.Label = "Groceries";
    appBus_.Handle(ev::FileMgr_SetTapeLabelByTapeName, &label, nullptr);
    label.TapeName = "Tape";
    label.Label = "Not an auxiliary tape";
    appBus_.Handle(ev::FileMgr_SetTapeLabelByTapeName, &label, nullptr);

    TMedString asked;
    asked.Value = name;
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetTapeLabelByTapeName, &asked), "Groceries");
    EXPECT_TRUE(tape.IsModified());
    asked.Value = "Tape";
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetTapeLabelByTapeName, &asked), "");
}

// The current table's name, whether it is undefined, and the most data columns of any table
// in any open document.
TEST_F(FileManagerTapeCommandsTest, TablesOfTheOpenDocuments) {
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentTableName), "");
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_IsCurrentTableUndefined));
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetMaxNumOfEnabledTableDataCols), 0);

    TTlyFile& first = Manager().Visible();
    const std::string tableName = first.AddTableNamed();
    ASSERT_FALSE(tableName.empty());
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrentTableName), tableName);
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_IsCurrentTableUndefined));

    TCalculator& tape = TapeWithEntries();
    for (LineIndex line = 0; line < 2; ++line) {
        tape.Lines().SetCell(line, TLineColumn::TableColumns, std::to_string(line + 1));
        first.TableManager().ApplyTableColumnCell(tape, line);
    }
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsCurrentTableUndefined));

    // Another document without a table is visible: the count still covers the first one.
    Manager().NewFile();
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_IsCurrentTableUndefined));
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_GetMaxNumOfEnabledTableDataCols), 2);
}

}  // namespace
}  // namespace tally::test
