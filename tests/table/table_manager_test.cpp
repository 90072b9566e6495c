#include <string>
#include <vector>

#include "engine/records/tape_record.h"
#include "foundation/deferred_request_codes.h"
#include "table_manager_fixture.h"

namespace tally::test {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kTooManyForOne =
    "Adding another column to the table would exceed the maximum number of table DATA columns of 1.  (You can "
    "change this maximum number in the General Options window.)";

TEST_F(TableManagerTest, OnlyTableAExists) {
    EXPECT_EQ(Table().TableName(), "Table A");
    EXPECT_EQ(Table().TableLetter(), 'a');
    EXPECT_FALSE(manager_.CreateTable());
    EXPECT_FALSE(manager_.SelectTable("Table B"));
    EXPECT_TRUE(manager_.SelectTable("Table A"));
    EXPECT_EQ(manager_.Tables().size(), 1u);
}

TEST_F(TableManagerTest, TypedNumbersAddColumnsWithTheAnnotationAsHeading) {
    ReplaceTapeLines(tape_, kThreeEntries);
    tape_.Lines().SetCell(0, TLineColumn::Annotations, "Rent;March|note");
    TypeColumn(0, "1");
    EXPECT_EQ(Assignment(0), "1|1");
    EXPECT_EQ(tape_.Lines().Property(0, LineKey::kTableColumnId), "0100000000000000");
    EXPECT_EQ(Headings(), (Texts{"Rent\r\nMarch"}));
    // A number past the last column leaves a gap.
    TypeColumn(1, "3");
    EXPECT_EQ(Assignment(1), "3|3");
    EXPECT_EQ(Headings(), (Texts{"Rent\r\nMarch", "", ""}));
    // The number of an existing column inserts there and pushes the others right.
    TypeColumn(2, "1");
    EXPECT_EQ(Assignment(2), "1|1");
    EXPECT_EQ(Assignment(0), "2|2");
    EXPECT_EQ(Assignment(1), "4|4");
    // A number typed into a gap uses it.
    tape_.Lines().SetCell(3, TLineColumn::Entries, "");
    TypeColumn(3, "3");
    EXPECT_EQ(Assignment(3), "3|3");
    EXPECT_EQ(Table().DataColumnCount(), 4);
}

TEST_F(TableManagerTest, ChangedNumbersMoveTheColumnAndEveryLineFollows) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    TypeColumn(1, "2");
    TypeColumn(2, "3");
    TypeColumn(0, "3");
    EXPECT_EQ((Texts{Assignment(0), Assignment(1), Assignment(2)}), (Texts{"3|3", "1|1", "2|2"}));
    TypeColumn(1, "1");  // the same number: nothing happens
    EXPECT_EQ(Assignment(1), "1|1");
    TypeColumn(1, "5");
    EXPECT_EQ((Texts{Assignment(0), Assignment(1), Assignment(2)}), (Texts{"2|2", "5|5", "1|1"}));
    EXPECT_EQ(Table().ColumnCount(), 6);
}

TEST_F(TableManagerTest, ClearingACellWithDataAsksFirst) {
    struct Case {
        std::string name;
        bool confirmWanted;
        bool columnHasData;
        TMessageBoxAnswer answer;
        bool asked;
        bool removed;
    };
    const Case cases[] = {
        {"cancel keeps the column", true, true, TMessageBoxAnswer::Cancel, true, false},
        {"OK deletes it", true, true, TMessageBoxAnswer::Ok, true, true},
        {"no confirmation wanted", false, true, TMessageBoxAnswer::Ok, false, true},
        {"an empty column goes without asking", true, false, TMessageBoxAnswer::Ok, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager_.ResetCurrentTable();
        ReplaceTapeLines(tape_, kThreeEntries);
        confirmDelete_ = c.confirmWanted;
        TypeColumn(0, "1");
        TypeColumn(1, "2");
        if (c.columnHasData) manager_.CopyEntriesToTable();
        const std::size_t asked = platform_.MessageBoxes().size();
        if (c.asked) platform_.QueueAnswer(c.answer);
        TypeColumn(0, "");
        ASSERT_EQ(platform_.MessageBoxes().size(), asked + (c.asked ? 1 : 0));
        if (c.asked) {
            EXPECT_EQ(platform_.MessageBoxes().back().Text,
                      "Confirm delete of table column that contains \r\ndata.  The data in the table column \r\n"
                      "will be lost if you proceed.");
            EXPECT_EQ(platform_.MessageBoxes().back().Caption, "Tallyroll - Confirm");
            EXPECT_EQ(platform_.MessageBoxes().back().Buttons, TMessageBoxButtons::OkCancel);
        }
        if (c.removed) {
            EXPECT_EQ(Assignment(0), "|");
            EXPECT_EQ(tape_.Lines().Property(0, LineKey::kTableColumnId), "");
            EXPECT_EQ(Assignment(1), "1|1");
        } else {
            EXPECT_EQ(Assignment(0), "1|1");
            EXPECT_EQ(Table().DataColumnCount(), 2);
        }
    }
}

TEST_F(TableManagerTest, OnlyDataColumnsCountAgainstTheLimit) {
    ReplaceTapeLines(tape_, kThreeEntries);
    maxDataColumns_ = 1;
    manager_.ShowLineNumbers(true);
    manager_.ShowAnnotations(true);
    TypeColumn(0, "2");  // line numbers are column 1
    EXPECT_EQ(Assignment(0), "2|2");
    TypeColumn(1, "2");
    EXPECT_EQ(Explanation(), kTooManyForOne);
    EXPECT_EQ(Assignment(1), "|");
    ASSERT_FALSE(requests_.empty());
    EXPECT_EQ(requests_.back().number, requests::kFirstUserMessage + 122);
    EXPECT_EQ(requests_.back().line, 2);

    // A column far to the right leaves gaps that later lines may still fill.
    manager_.ShowLineNumbers(false);
    manager_.ShowAnnotations(false);
    maxDataColumns_ = 20;
    TypeColumn(0, "20");
    EXPECT_EQ(Assignment(0), "20|20");
    TypeColumn(1, "3");
    EXPECT_EQ(Assignment(1), "3|3");
}

TEST_F(TableManagerTest, NumbersTheTableCannotHaveAreRefused) {
    ReplaceTapeLines(tape_, kThreeEntries);
    struct Case {
        std::string text;
        std::string refusal;
    };
    const Case cases[] = {
        {"0", "The number you are trying to enter is below the minimum table column number of 1."},
        {"00", "The number you are trying to enter is below the minimum table column number of 1."},
        {"21", "The number you are trying to enter exceeds the maximum table column number of 20.  (You can "
               "change this maximum number by changing the maximum number of table DATA columns allowed in the "
               "General Options window.)"},
        {"99999999999", "The number you are trying to enter exceeds the maximum table column number of 20.  (You "
                        "can change this maximum number by changing the maximum number of table DATA columns "
                        "allowed in the General Options window.)"},
        {"x", "Only digits are permitted in the Table Columns column."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        // Texts that reach the cell without the key checks (a loaded or pasted cell).
        tape_.SetFocusLine(0);
        tape_.Lines().SetCell(0, TLineColumn::TableColumns, c.text);
        manager_.ApplyTableColumnCell(tape_, 0);
        EXPECT_EQ(Explanation(), c.refusal);
        EXPECT_EQ(Assignment(0), "|");
        EXPECT_EQ(Table().DataColumnCount(), 0);
    }
    // Typed, the zero never reaches the cell.
    TypeColumn(0, "0");
    EXPECT_EQ(Explanation(), "The number you are trying to enter is below the minimum table column number of 1.");
    EXPECT_EQ(Assignment(0), "|");
}

TEST_F(TableManagerTest, RenumberingDropsLinesWhoseColumnIsGoneAndSurvivesHostileIds) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    TypeColumn(1, "2");
    const std::string kept(tape_.Lines().Property(1, LineKey::kTableColumnId));
    // Ids read from a damaged file: above any 0xFF sentinel, not 16 digits, or a duplicate.
    tape_.Lines().SetParamsText(2, "TCID=\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF,TCN=1");
    tape_.Lines().SetParamsText(3, "TCID=" + kept + ",TCN=9");
    memory_.Lines().SetParamsText(0, "TCID=12,TCN=1");
    manager_.RenumberAssignments();
    EXPECT_EQ((Texts{Assignment(0), Assignment(1), Assignment(2), Assignment(3), Assignment(memory_, 0)}),
              (Texts{"1|1", "2|2", "|", "|", "|"}));
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTableColumnId), "");
    // After a column goes, the lines to its right move left.
    Table().SetCurrentCell(1, 1);
    manager_.PerformAction("TableDeleteCol");
    EXPECT_EQ((Texts{Assignment(0), Assignment(1)}), (Texts{"|", "1|1"}));
}

TEST_F(TableManagerTest, CopyToTableAddsOneRowPerCopy) {
    ReplaceTapeLines(tape_, {{" ", "5", "TT=DE"}, {" ", "+7"}, {" ", "+1:30"}, {" ", "-2"}, {" ", ""}});
    TypeColumn(0, "1");
    TypeColumn(1, "2");
    TypeColumn(2, "3");
    TypeColumn(3, "4");
    TypeColumn(memory_, 0, "5");  // the memory tape's empty line sends nothing
    manager_.CopyEntriesToTable();
    EXPECT_EQ(Row(1), (Texts{"5", "7", "1:30", "-2", ""}));
    tape_.Lines().SetEntries(1, "+8");
    manager_.CopyEntriesToTable();
    EXPECT_EQ(Row(2), (Texts{"5", "8", "1:30", "-2", ""}));
    EXPECT_EQ(Table().LastNonEmptyDataRow(), 2);
    // Totals follow each copy.
    Table().SetCurrentCell(2, 1);
    manager_.PerformAction("ShowColTotal", true);
    manager_.CopyEntriesToTable();
    EXPECT_EQ(Row(5)[1], "23");
}

TEST_F(TableManagerTest, AssignmentsOnSeveralTapesAndRemovingTheMemoryTape) {
    ReplaceTapeLines(tape_, kThreeEntries);
    ReplaceTapeLines(memory_, {{" ", "4", "TT=DE"}, {" ", ""}});
    TypeColumn(0, "1");
    TypeColumn(memory_, 0, "1");
    EXPECT_EQ(Assignment(0), "2|2");
    EXPECT_EQ(Assignment(memory_, 0), "1|1");
    manager_.CopyEntriesToTable();
    EXPECT_EQ(Row(1), (Texts{"4", "5"}));
    EXPECT_TRUE(manager_.AnyColumnHasData({std::string(memory_.Lines().Property(0, LineKey::kTableColumnId))}));
    // A disabled memory tape's lines no longer hold their columns.
    memoryEnabled_ = false;
    manager_.RemoveUnassignedColumns();
    EXPECT_EQ(Headings().size(), 1u);
    EXPECT_EQ(Assignment(0), "1|1");
}

// Which lines of a range feed a column holding data: an assigned line whose column is still
// empty does not, and lines outside the range are not counted.
TEST_F(TableManagerTest, LinesFeedDataOnlyThroughColumnsHoldingData) {
    ReplaceTapeLines(tape_, {{" ", "5", "TT=DE"}, {" ", "+7"}, {" ", ""}, {" ", "+1"}, {" ", ""}});
    TypeColumn(0, "1");
    TypeColumn(2, "2");  // an empty line: its column stays empty
    const TLineStore& lines = tape_.Lines();
    EXPECT_FALSE(manager_.AnyLineFeedsData(lines, 0, lines.LastLine())) << "nothing copied yet";
    manager_.CopyEntriesToTable();
    struct Case {
        LineIndex First;
        LineIndex Last;
        bool Feeds;
    };
    const Case cases[] = {{0, 0, true}, {0, 4, true}, {1, 4, false}, {2, 2, false}, {3, 1, false}, {-5, 99, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(manager_.AnyLineFeedsData(lines, c.First, c.Last), c.Feeds) << c.First << ".." << c.Last;
    }
    EXPECT_TRUE(manager_.LineFeedsData(lines, 0));
    EXPECT_FALSE(manager_.LineFeedsData(lines, 2));
    // A line whose id names no column feeds nothing.
    tape_.Lines().SetProperty(1, LineKey::kTableColumnId, "9999999999999999");
    EXPECT_FALSE(manager_.LineFeedsData(lines, 1));
    manager_.PerformAction("EmptyTable");
    EXPECT_FALSE(manager_.AnyLineFeedsData(lines, 0, lines.LastLine()));
}

TEST_F(TableManagerTest, ResetTableRemovesEveryAssignment) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    TypeColumn(memory_, 0, "2");
    manager_.PerformAction("ResetTable");
    for (const TCalculator* tape : {&tape_, &memory_}) {
        for (LineIndex line = 0; line < tape->Lines().LineCount(); ++line) {
            EXPECT_EQ(tape->Lines().Property(line, LineKey::kTableColumnId), "");
            EXPECT_EQ(Assignment(*tape, line), "|");
        }
    }
}

TEST_F(TableManagerTest, ACutLineKeepsItsColumnWhileTheCutDataIsOnTheClipboard) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    TypeColumn(1, "2");
    const std::string id0(tape_.Lines().Property(0, LineKey::kTableColumnId));
    TTapeRecord cut{TRecordKind::CalcSeries, "1", std::string(RecordOperation::kCut), "", false,
                    {{"+5", " ", "TT=DE,TCID=" + id0 + ",TCN=1", ""}, {"==========", "=", "", ""},
                     {"5", "T", "", ""}, {"0", "Z", "TT=DE,SDP=2", ""}}};
    clipboard_.SetText(WriteTapeRecord(cut));
    tape_.Lines().SetParamsText(0, "");
    tape_.Lines().SetParamsText(1, "");
    manager_.RemoveUnassignedColumns();
    EXPECT_EQ(Table().DataColumnCount(), 1);
    EXPECT_EQ(Table().ColumnParams(1).Value(TableKey::kColumnId), id0);
    // Copied (not cut) data keeps nothing.
    clipboard_.SetText(WriteLineRecord({"1", std::string(RecordOperation::kCopy), "5", "", id0, "1", "", ""}));
    manager_.RemoveUnassignedColumns();
    EXPECT_EQ(Table().DataColumnCount(), 0);
}

TEST_F(TableManagerTest, HeadingsFollowAnnotations) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    // Typing an annotation on an assigned line updates the heading when the cell is left.
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 0));
    for (const char c : std::string("Fuel;May")) tape_.KeyPress(c);
    tape_.SelectCell(TTapeColumn::Entries, 0);
    EXPECT_EQ(Headings(), (Texts{"Fuel\r\nMay"}));

    std::string longText(90, 'a');
    longText += " bbbbbbbbbbbbbbbbbbbb";
    tape_.Lines().SetCell(0, TLineColumn::Annotations, longText);
    TMedTableMgr_UpdTableColHeadingData data;
    data.Tape = &tape_;
    data.Line = 0;
    bus_.Handle(events::TableMgr_UpdateTableColHeading, &data, nullptr);
    EXPECT_EQ(Headings(), (Texts{std::string(90, 'a') + "..."}));
    tape_.Lines().SetCell(0, TLineColumn::Annotations, std::string(120, 'c'));
    manager_.UpdateColumnHeading(tape_, 0);
    EXPECT_EQ(Headings(), (Texts{std::string(100, 'c') + "..."}));
}

TEST_F(TableManagerTest, TheBusAnswersWhetherAColumnIsEmpty) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    const std::string id(tape_.Lines().Property(0, LineKey::kTableColumnId));
    const auto isEmpty = [this](const std::string& columnId) {
        TMedString in;
        in.Value = columnId;
        TMedBoolean out;
        bus_.Handle(events::TableMgr_IsTableColumnEmpty, &in, &out);
        return out.Value;
    };
    EXPECT_TRUE(isEmpty(id));
    EXPECT_TRUE(isEmpty(""));
    EXPECT_TRUE(isEmpty("0000000000000009"));
    manager_.CopyEntriesToTable();
    EXPECT_FALSE(isEmpty(id));
    EXPECT_FALSE(tape_.IsTableColumnEmpty(id));  // the tape asks through the bus
}

TEST_F(TableManagerTest, TableCommands) {
    ReplaceTapeLines(tape_, kThreeEntries);
    TypeColumn(0, "1");
    TypeColumn(1, "2");
    manager_.CopyEntriesToTable();
    tape_.Lines().SetEntries(0, "3");
    manager_.CopyEntriesToTable();
    EXPECT_FALSE(manager_.PerformAction("NoSuchAction"));
    EXPECT_TRUE(TTableManager::IsActionName("MoveColRight"));

    Table().SetCurrentCell(1, 1);
    manager_.PerformAction("SortSmallToLarge");
    EXPECT_EQ(Row(1), (Texts{"3", "7"}));
    manager_.PerformAction("SortLargeToSmall");
    EXPECT_EQ(Row(1), (Texts{"5", "7"}));
    manager_.PerformAction("MoveLineDown");
    EXPECT_EQ(Row(2), (Texts{"5", "7"}));
    manager_.PerformAction("MoveLineUp");
    EXPECT_EQ(Row(1), (Texts{"5", "7"}));
    manager_.PerformAction("CopyCellToClip");
    EXPECT_EQ(clipboard_.GetText(), "5");

    manager_.PerformAction("MoveColRight");
    EXPECT_EQ((Texts{Assignment(0), Assignment(1)}), (Texts{"2|2", "1|1"}));
    manager_.PerformAction("MoveColLeft");
    EXPECT_EQ((Texts{Assignment(0), Assignment(1)}), (Texts{"1|1", "2|2"}));

    manager_.PerformAction("ShowLineNums", true);
    EXPECT_EQ((Texts{Assignment(0), Assignment(1)}), (Texts{"2|2", "3|3"}));
    EXPECT_EQ(manager_.MaxTableColumn(), 21);
    manager_.PerformAction("EnableAnnots", true);
    EXPECT_EQ(manager_.MaxTableColumn(), 22);
    Table().SetAnnotation(1, "memo");
    Table().SetCurrentCell(4, 1);
    clipboard_.SetText("!");
    Table().SetEditorSelection(4, 0);
    manager_.PerformAction("Paste");
    EXPECT_EQ(Table().Cell(4, 1), "memo!");
    manager_.PerformAction("TableDeleteCol");  // the annotation column hides annotations
    EXPECT_EQ(Table().AnnotationColumn(), 0);
    Table().SetCurrentCell(1, 1);
    manager_.PerformAction("TableDeleteCol");  // the line-number column hides line numbers
    EXPECT_EQ((Texts{Assignment(0), Assignment(1)}), (Texts{"1|1", "2|2"}));

    Table().SetCurrentCell(1, 2);
    manager_.PerformAction("TableDeleteLine");
    EXPECT_EQ(Table().LastNonEmptyDataRow(), 1);
    manager_.PerformAction("ShowColTotal", true);
    manager_.PerformAction("SetColTotalTypeHM");
    EXPECT_EQ(Table().ColumnTotalType(1), "2T");
    manager_.PerformAction("SetColTotalTypeDec");
    manager_.SetCurrentColumnDecimals(2);
    EXPECT_EQ(Table().ColumnTotalText(1), "5.00");
    manager_.PerformAction("EmptyTable");
    EXPECT_FALSE(Table().HasData());
    EXPECT_TRUE(manager_.AreAllTablesEmpty());
    EXPECT_EQ(Assignment(0), "1|1");  // emptying keeps the columns

    // Edit Column Heading puts the focus on the annotation of the column's line.
    Table().SetCurrentCell(2, 1);
    const auto line = manager_.EditColumnHeading();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->Tape, &tape_);
    EXPECT_EQ(line->Line, 1);
    EXPECT_EQ(tape_.FocusLine(), 1);
    EXPECT_EQ(tape_.FocusColumn(), TTapeColumn::Annotations);
}

TEST_F(TableManagerTest, SettingsReachEveryTableAndTheMaximumFollowsALoadedTable) {
    manager_.SetShowThousands(false);
    manager_.SetRoundingMethod(TRoundingMethod::Even);
    manager_.SetFocusColor(0x123456);
    EXPECT_FALSE(Table().ShowThousands());
    EXPECT_EQ(Table().RoundingMethod(), TRoundingMethod::Even);
    EXPECT_EQ(Table().FocusColor(), 0x123456u);
    int raisedTo = 0;
    bus_.Add(events::FileObj_SetMaxTableDataCols,
             [&raisedTo](TMedRecord* in, TMedRecord*) { raisedTo = RecordAs<TMedInteger>(in)->Value; });
    maxDataColumns_ = 2;
    for (int column = 1; column <= 3; ++column) Table().AddDataColumn(std::to_string(column), column, "");
    Table().SetModified(false);
    manager_.AfterLoad();
    EXPECT_EQ(raisedTo, 3);
    EXPECT_FALSE(manager_.IsAnyTableModified());
    manager_.NewDocument();
    EXPECT_EQ(Table().ColumnCount(), 2);
}

}  // namespace
}  // namespace tally::test
