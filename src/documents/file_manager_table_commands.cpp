// The file manager's commands to the visible document's current table: the table's Edit and
// Configure Table menus, its column total, and the records those menus are set up from. Each
// does nothing, or answers its default, while the document has no table.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "documents/file_manager_table_records.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "table/column_total.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally {

namespace ev = events;

namespace {

constexpr std::string_view kEditTableActions[] = {
    "TableDeleteLine", "TableDeleteCol", "SortLargeToSmall", "SortSmallToLarge", "EmptyTable",
    "ResetTable",      "EditColHeading", "CopyCellToClip",   "Paste",
};
constexpr std::string_view kConfigureTableActions[] = {
    "EnableAnnots", "ShowLineNums", "ShowColTotal", "SetColTotalTypeDec", "SetColTotalTypeHM", "SetColTotalTypeHMS",
};

template <std::size_t N>
bool IsOneOf(const std::string_view (&names)[N], std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// The series total type of the column's total ("DE", "T2", "T3"); empty without a total.
std::string ColumnTotalTypeText(const TResultsTable& table, int column) {
    return std::string(SeriesTotalTypeFor(table.ColumnTotalType(column)));
}

// Shows the tape line that feeds the current column, with its Table Columns cell selected (the
// table manager has put the focus on its annotation, the column's heading).
void ShowLineOfCurrentColumn(TTlyFile& document) {
    const std::optional<TTapeLineRef> line = document.TableManager().EditColumnHeading();
    if (!line) return;
    document.ShowTape(*line->Tape);
    if (line->Tape->IsColumnShown(TTapeColumn::TableColumns)) {
        line->Tape->SelectCell(TTapeColumn::TableColumns, line->Line);
    }
}

}  // namespace

void TFileManager::RegisterTableCommands() {
    commands_.Add(ev::FileMgr_PerformEditTableAction, WithValue<TMedString>([this](const std::string& action) {
                      TTlyFile& document = Visible();
                      if (!IsOneOf(kEditTableActions, action) || document.TableManager().CurrentTable() == nullptr) {
                          return;
                      }
                      if (action == "EditColHeading") {
                          ShowLineOfCurrentColumn(document);
                      } else {
                          document.TableManager().PerformAction(action);
                      }
                      document.Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_PerformConfigureTableAction, [this](TMedRecord* in, TMedRecord*) {
        const auto* toggle = RecordAs<TMedFileMgr_MenuItemToggleAction_DataIn>(in);
        if (toggle == nullptr || !IsOneOf(kConfigureTableActions, toggle->Action)) return;
        TTlyFile& document = Visible();
        TTableManager& tables = document.TableManager();
        if (!tables.PerformAction(toggle->Action, toggle->Checked)) return;
        document.SetStructureModified();
        // The window checks its menu item by the state the table ended in.
        const TResultsTable& table = *tables.CurrentTable();
        TMedBoolean shown;
        if (toggle->Action == "EnableAnnots") {
            shown.Value = table.AnnotationColumn() != 0;
            fileBus_.HandleIfExists(ev::FileMgr_ShowTableAnnotationsState, &shown, nullptr);
        } else if (toggle->Action == "ShowLineNums") {
            shown.Value = table.LineNumberColumn() != 0;
            fileBus_.HandleIfExists(ev::FileMgr_ShowTableLineNumbersState, &shown, nullptr);
        }
        document.Pages().Refresh();
    });
    commands_.Add(ev::FileMgr_SpecifyTableColTotDecPlaces, WithValue<TMedInteger>([this](std::int32_t decimals) {
                      if (Visible().TableManager().CurrentTable() == nullptr) return;
                      Visible().TableManager().SetCurrentColumnDecimals(decimals);
                      Visible().Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_GetCurrTableColTotalType, Answering<TMedString>([this] {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      return table != nullptr ? ColumnTotalTypeText(*table, table->CurrentColumn()) : std::string();
                  }));
    commands_.Add(ev::FileMgr_IsCurrTableColsTotalShowing, Answering<TMedBoolean>([this] {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      return table != nullptr && table->AnyColumnShowsTotal();
                  }));
    // The total's decimal places come through "FileMgr_SpecifyTableColTotDecPlaces"; this one is
    // accepted and does nothing.
    commands_.Add(ev::FileMgr_SetNumberOfTableDecimalPlaces, [](TMedRecord*, TMedRecord*) {});

    commands_.Add(ev::FileMgr_GetEditTableMenuDecisionInfo,
                  Filling<TMedFileMgr_EditTableMenuDecisionInfo>([this](TMedFileMgr_EditTableMenuDecisionInfo& info) {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      if (table == nullptr) return;
                      const int column = table->CurrentColumn();
                      info.FocusInAnnotationColumn = table->IsAnnotationColumn(column);
                      info.FocusInDataColumnOfFilledTable = table->IsDataColumn(column) && table->HasData();
                      info.ColumnHasColumnId = !table->ColumnParams(column).Value(TableKey::kColumnId).empty();
                  }));
    commands_.Add(ev::FileMgr_GetConfigTableMenuDecisionInfo,
                  Filling<TMedFileMgr_ConfigTableMenuDecisionInfo>([this](TMedFileMgr_ConfigTableMenuDecisionInfo& info) {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      if (table == nullptr) return;
                      const int column = table->CurrentColumn();
                      info.ColumnShowsTotal = table->ShowsTotal(column);
                      info.TableUndefined = table->DataColumnCount() == 0;
                      info.HasAnnotationColumn = table->AnnotationColumn() != 0;
                      info.HasLineNumberColumn = table->LineNumberColumn() != 0;
                      info.ColumnTotalType = ColumnTotalTypeText(*table, column);
                  }));
}

}  // namespace tally
