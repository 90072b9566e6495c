// The table's Edit and Configure Table commands and their menu records, sent on the application
// bus as the window sends them.

#include "documents/file_manager_fixture.h"
#include "documents/file_manager_table_records.h"
#include "engine/lines/calc_params.h"
#include "foundation/message_records.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

class FileManagerTableCommandsTest : public FileManagerTest {
protected:
    FileManagerTableCommandsTest() {
        for (const std::string_view event : {ev::gstrUI_ShowTableAnnotationsState, ev::gstrUI_ShowTableLineNumbersState}) {
            appBus_.Add(event, [this, event](TMedRecord* in, TMedRecord*) {
                shownStates_.push_back(std::string(event) + "=" + (RecordAs<TMedBoolean>(in)->Value ? "on" : "off"));
            });
        }
    }

    void EditAction(std::string action) {
        TMedString in;
        in.Value = std::move(action);
        ASSERT_TRUE(appBus_.HandleIfExists(ev::FileMgr_PerformEditTableAction, &in, nullptr));
    }
    void Configure(std::string action, bool checked = true) {
        TMedFileMgr_MenuItemToggleAction_DataIn in;
        in.Action = std::move(action);
        in.Checked = checked;
        ASSERT_TRUE(appBus_.HandleIfExists(ev::FileMgr_PerformConfigureTableAction, &in, nullptr));
    }
    template <class Record>
    Record Read(std::string_view event) {
        Record record;
        EXPECT_TRUE(appBus_.HandleIfExists(event, nullptr, &record)) << event;
        return record;
    }

    // A table fed by the main tape's lines 0 (5) and 1 (+7), copied twice with line 1 changed
    // to +9.00 the second time: rows 5.00|7.00 and 5.00|9.00. The focus is on column 2, row 1.
    TTlyFile& DocumentWithTable() {
        TTlyFile& document = Manager().Visible();
        Type(document, "5+7\n");
        document.ShowColumn(TTapeColumn::TableColumns, true);
        document.AddTableNamed();
        TCalculator& tape = document.MainTape();
        for (const LineIndex line : {0, 1}) {
            tape.Lines().SetCell(line, TLineColumn::TableColumns, std::to_string(line + 1));
            document.TableManager().ApplyTableColumnCell(tape, line);
        }
        document.TableManager().CopyEntriesToTable();
        tape.Lines().SetEntries(1, "+9.00");
        document.TableManager().CopyEntriesToTable();
        Table().SetCurrentCell(2, 1);
        return document;
    }
    TResultsTable& Table() { return *Manager().Visible().TableManager().CurrentTable(); }
    std::vector<std::string> Column(int column) {
        std::vector<std::string> cells;
        for (int row = 1; row < Table().FirstTotalRow(); ++row) cells.push_back(Table().Cell(column, row));
        return cells;
    }

    std::vector<std::string> shownStates_;
};

using Texts = std::vector<std::string>;

// Without a table every command is served and does nothing; every query answers its default.
TEST_F(FileManagerTableCommandsTest, WithoutATableNothingHappensAndDefaultsAreAnswered) {
    TTlyFile& document = Manager().Visible();
    Type(document, "5\n");
    for (const char* action : {"TableDeleteLine", "ResetTable", "EditColHeading", "SortSmallToLarge"}) EditAction(action);
    for (const char* action : {"EnableAnnots", "ShowLineNums", "ShowColTotal", "SetColTotalTypeHM"}) Configure(action);
    TMedInteger decimals;
    decimals.Value = 3;
    EXPECT_TRUE(appBus_.HandleIfExists(ev::FileMgr_SpecifyTableColTotDecPlaces, &decimals, nullptr));
    EXPECT_TRUE(appBus_.HandleIfExists(ev::FileMgr_SetNumberOfTableDecimalPlaces, &decimals, nullptr));
    EXPECT_FALSE(document.StructureModified());
    EXPECT_TRUE(shownStates_.empty());

    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrTableColTotalType).Value, "");
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsCurrTableColsTotalShowing).Value);
    const auto edit = Read<TMedFileMgr_EditTableMenuDecisionInfo>(ev::FileMgr_GetEditTableMenuDecisionInfo);
    EXPECT_FALSE(edit.FocusInAnnotationColumn || edit.FocusInDataColumnOfFilledTable || edit.ColumnHasColumnId);
    const auto config = Read<TMedFileMgr_ConfigTableMenuDecisionInfo>(ev::FileMgr_GetConfigTableMenuDecisionInfo);
    EXPECT_TRUE(config.TableUndefined);
    EXPECT_FALSE(config.ColumnShowsTotal || config.HasAnnotationColumn || config.HasLineNumberColumn);
    EXPECT_EQ(config.ColumnTotalType, "");
    // An empty table (no data column yet) reads the same.
    document.AddTableNamed();
    EXPECT_TRUE(Read<TMedFileMgr_ConfigTableMenuDecisionInfo>(ev::FileMgr_GetConfigTableMenuDecisionInfo).TableUndefined);
}

TEST_F(FileManagerTableCommandsTest, EditActionsRunOnTheCurrentTable) {
    struct Case {
        std::string Action;
        Texts SecondColumn;
        int DataColumns;
    };
    const Case cases[] = {
        {"SortLargeToSmall", {"9.00", "7.00"}, 2},
        {"SortSmallToLarge", {"7.00", "9.00"}, 2},
        {"TableDeleteLine", {"9.00"}, 2},
        {"EmptyTable", {""}, 2},
        {"TableDeleteCol", {}, 1},
        {"ResetTable", {}, 0},
        // Names of other menus are not edit actions.
        {"CopyToTable", {"7.00", "9.00"}, 2},
        {"ShowColTotal", {"7.00", "9.00"}, 2},
        {"NoSuchAction", {"7.00", "9.00"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Action);
        manager_.reset();
        TTlyFile& document = DocumentWithTable();
        EditAction(c.Action);
        EXPECT_EQ(Table().DataColumnCount(), c.DataColumns);
        if (c.DataColumns == 2) {
            EXPECT_EQ(Column(2), c.SecondColumn);
        }
        EXPECT_FALSE(Table().ShowsTotal(2));
        // Deleting or resetting columns takes the lines' assignments with them.
        const bool assigned = !document.MainTape().Lines().Property(1, LineKey::kTableColumnId).empty();
        EXPECT_EQ(assigned, c.DataColumns == 2);
    }
}

// "EditColHeading" leaves the table for the tape line that feeds the current column, with its
// Table Columns cell selected.
TEST_F(FileManagerTableCommandsTest, EditColumnHeadingShowsTheFeedingLine) {
    TTlyFile& document = DocumentWithTable();
    document.ShowColumn(TTapeColumn::Annotations, true);
    ASSERT_TRUE(document.ShowByName("Table A"));
    Table().SetCurrentCell(2, 1);
    EditAction("EditColHeading");
    EXPECT_EQ(document.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_EQ(document.MainTape().FocusLine(), 1);
    EXPECT_EQ(document.MainTape().FocusColumn(), TTapeColumn::TableColumns);

    // A column no line feeds (the line-number column) leaves everything as it was.
    ASSERT_TRUE(document.ShowByName("Table A"));
    Configure("ShowLineNums");
    Table().SetCurrentCell(1, 1);
    EditAction("EditColHeading");
    EXPECT_EQ(document.VisibleKind(), TVisibleKind::Table);
}

TEST_F(FileManagerTableCommandsTest, ConfigureActionsChangeTheTableAndMarkTheStructure) {
    TTlyFile& document = DocumentWithTable();
    Configure("EnableAnnots", true);
    EXPECT_TRUE(document.StructureModified());
    Configure("ShowLineNums", true);
    Configure("ShowLineNums", false);
    EXPECT_EQ(shownStates_, (Texts{std::string(ev::gstrUI_ShowTableAnnotationsState) + "=on",
                                   std::string(ev::gstrUI_ShowTableLineNumbersState) + "=on",
                                   std::string(ev::gstrUI_ShowTableLineNumbersState) + "=off"}));
    auto config = Read<TMedFileMgr_ConfigTableMenuDecisionInfo>(ev::FileMgr_GetConfigTableMenuDecisionInfo);
    EXPECT_TRUE(config.HasAnnotationColumn);
    EXPECT_FALSE(config.HasLineNumberColumn);
    EXPECT_FALSE(config.TableUndefined);
    EXPECT_FALSE(config.ColumnShowsTotal);
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsCurrTableColsTotalShowing).Value);

    Table().SetCurrentCell(2, 1);
    Configure("ShowColTotal", true);
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_IsCurrTableColsTotalShowing).Value);
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrTableColTotalType).Value, "DE");
    EXPECT_EQ(Table().ColumnTotalText(2), "16.00");
    struct TypeCase {
        const char* Action;
        const char* TotalType;
    };
    for (const TypeCase c : {TypeCase{"SetColTotalTypeHM", "T2"}, TypeCase{"SetColTotalTypeHMS", "T3"},
                             TypeCase{"SetColTotalTypeDec", "DE"}}) {
        Configure(c.Action);
        EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrTableColTotalType).Value, c.TotalType);
    }
    config = Read<TMedFileMgr_ConfigTableMenuDecisionInfo>(ev::FileMgr_GetConfigTableMenuDecisionInfo);
    EXPECT_TRUE(config.ColumnShowsTotal);
    EXPECT_EQ(config.ColumnTotalType, "DE");

    // The total's decimal places: numbers a total cannot have change nothing.
    for (const int decimals : {3, -1, 16}) {
        TMedInteger in;
        in.Value = decimals;
        appBus_.Handle(ev::FileMgr_SpecifyTableColTotDecPlaces, &in, nullptr);
    }
    EXPECT_EQ(Table().ColumnDecimals(2), 3);
    EXPECT_TRUE(Table().ColumnDecimalsUserSet(2));
    EXPECT_EQ(Table().ColumnTotalText(2), "16.000");

    Configure("ShowColTotal", false);
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_IsCurrTableColsTotalShowing).Value);
    EXPECT_EQ(Read<TMedString>(ev::FileMgr_GetCurrTableColTotalType).Value, "");
    // An edit action's name is not a configure action.
    Configure("ResetTable");
    EXPECT_EQ(Table().DataColumnCount(), 2);
}

TEST_F(FileManagerTableCommandsTest, EditMenuDecisionInfoFollowsTheCurrentColumn) {
    DocumentWithTable();
    Configure("EnableAnnots", true);
    Configure("ShowLineNums", true);
    struct Case {
        int Column;
        bool InAnnotations;
        bool InFilledDataColumn;
        bool HasColumnId;
    };
    // Columns: line numbers, the two data columns, annotations.
    for (const Case& c : {Case{1, false, false, false}, Case{2, false, true, true}, Case{3, false, true, true},
                          Case{4, true, false, false}}) {
        SCOPED_TRACE(c.Column);
        Table().SetCurrentCell(c.Column, 1);
        const auto info = Read<TMedFileMgr_EditTableMenuDecisionInfo>(ev::FileMgr_GetEditTableMenuDecisionInfo);
        EXPECT_EQ(info.FocusInAnnotationColumn, c.InAnnotations);
        EXPECT_EQ(info.FocusInDataColumnOfFilledTable, c.InFilledDataColumn);
        EXPECT_EQ(info.ColumnHasColumnId, c.HasColumnId);
    }
    // An emptied table still has its column ids, but no data.
    EditAction("EmptyTable");
    Table().SetCurrentCell(2, 1);
    const auto info = Read<TMedFileMgr_EditTableMenuDecisionInfo>(ev::FileMgr_GetEditTableMenuDecisionInfo);
    EXPECT_FALSE(info.FocusInDataColumnOfFilledTable);
    EXPECT_TRUE(info.ColumnHasColumnId);
}

}  // namespace
}  // namespace tally::test
