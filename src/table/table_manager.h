#pragma once
// The table manager: connects tape lines with the results table. A line is assigned to a table
// column by typing the column number into its Table Columns cell; the manager creates, moves or
// deletes the column, keeps every line's TCN in step with its column's place (renumbering),
// copies the numbers of all assigned lines into one new table row on request, and keeps each
// column's heading equal to its line's annotation. It owns the tables (only "Table A" can
// exist) and runs the table commands on the current table.
//
// It reaches the tapes through the getters the document supplies (each answers null or nothing
// while a tape is not enabled), and the document through its bus: "FileObj_GetMaxTableDataCols",
// "FileObj_SetMaxTableDataCols", "FileObj_ConfirmDeleteTableCol", "FileObj_GetDefaultTable...",
// "FileObj_PostMainFormWindowsMsg"; each falls back to a default when nobody answers. It serves
// "TableMgr_IsTableColumnEmpty" and "TableMgr_UpdateTableColHeading" on that bus.
//
// The source is split by purpose: table_manager.cpp (tables, events, settings, commands) and
// table_assignments.cpp (assignments, renumbering, copying, the sweep, headings).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"
#include "engine/lines/table_column_info.h"
#include "engine/tape/table_manager_records.h"
#include "foundation/mediator.h"
#include "table/results_table.h"

namespace tally {

class IClipboard;
class ITextMeasurer;
class TCalculator;

inline constexpr int kDefaultMaxTableDataColumns = 20;
inline constexpr const char* kConfirmDeleteTableColumnText =
    "Confirm delete of table column that contains \r\ndata.  The data in the table column \r\nwill be lost if "
    "you proceed.";

std::string TableColumnLimitText(int maximum);

// The tapes of the document, as far as they are enabled.
struct TTableManagerTapes {
    std::function<TCalculator*()> MainTape;
    std::function<TCalculator*()> MemoryTape;
    std::function<TCalculator*()> SideTape;
    std::function<std::vector<TCalculator*>()> AuxiliaryTapes;
};

struct TTapeLineRef {
    TCalculator* Tape = nullptr;
    LineIndex Line = kNoLine;
};

class TTableManager {
public:
    // The bus may be null (nothing is asked, defaults hold); without a clipboard, copy and
    // paste do nothing and no cut data keeps a column.
    explicit TTableManager(TStMediator* documentBus = nullptr, IClipboard* clipboard = nullptr,
                           const ITextMeasurer* measurer = nullptr);
    ~TTableManager();
    TTableManager(const TTableManager&) = delete;
    TTableManager& operator=(const TTableManager&) = delete;

    TTableManagerTapes& Tapes() { return tapes_; }
    // The enabled tapes: main, memory, side, then the auxiliary tapes.
    std::vector<TCalculator*> EnabledTapes() const;
    // Attaches the hooks through which a tape reports a finished Table Columns cell and an
    // edited annotation, and asks the maximum table column number. The hooks refer to this
    // manager: it must outlive the tape, or the document clears them first.
    void ConnectTape(TCalculator& tape);
    // The source of the random fraction in [0, 1) that column ids are drawn from.
    void SetRandomSource(std::function<long double()> source) { random_ = std::move(source); }
    // Callbacks every table reports to (the column-dragged one renumbers first).
    void SetTableCallbacks(TResultsTableCallbacks callbacks);

    // ---- Tables
    bool CreateTable();
    bool RemoveTable(std::string_view name);
    bool SelectTable(std::string_view name);
    TResultsTable* CurrentTable() const { return current_; }
    const std::vector<std::unique_ptr<TResultsTable>>& Tables() const { return tables_; }

    // ---- Assignments (table_assignments.cpp)
    // The tape's Table Columns cell of the line was changed: add, move or remove its column.
    void ApplyTableColumnCell(TCalculator& tape, LineIndex line);
    // Every line's TCN becomes its column's index; a line whose column is gone loses TCID and
    // TCN; the tapes redisplay their Table Columns cells.
    void RenumberAssignments();
    // One new row holding the number of every assigned line.
    void CopyEntriesToTable();
    // Deletes the data columns no line (and no cut data on the clipboard) is assigned to.
    void RemoveUnassignedColumns();
    void UpdateColumnHeading(TCalculator& tape, LineIndex line);
    bool IsTableColumnEmpty(std::string_view columnId) const;
    // At least one of the ids belongs to a column that is not empty.
    bool AnyColumnHasData(const std::vector<std::string>& columnIds) const;
    // Some line of first..last is assigned to a column that is not empty. Only the assigned
    // lines are read (the store's index of them), so a whole tape costs no more than a line.
    bool AnyLineFeedsData(const TLineStore& lines, LineIndex first, LineIndex last) const;
    bool LineFeedsData(const TLineStore& lines, LineIndex line) const { return AnyLineFeedsData(lines, line, line); }
    std::vector<std::string> TableColumnIds() const;

    // ---- Commands on the current table
    // The action names of the main window's table commands; false for an unknown name or when
    // there is no current table. On/off actions ("EnableAnnots", "ShowLineNums",
    // "ShowColTotal") take `on`.
    bool PerformAction(std::string_view action, bool on = true);
    static bool IsActionName(std::string_view action);
    static bool IsOnOffAction(std::string_view action);
    void DeleteCurrentColumn();
    void ResetCurrentTable();
    void ShowAnnotations(bool on);
    void ShowLineNumbers(bool on);
    // The line assigned to the current column; its annotation cell (or, when annotations are
    // hidden, its Table Columns cell) gets the focus.
    std::optional<TTapeLineRef> EditColumnHeading();
    void SetCurrentColumnDecimals(int decimals);

    // ---- Settings and state of every table
    void SetFocusColor(std::uint32_t color);
    void SetFont(const TFontDescription& font);
    void SetRoundingMethod(TRoundingMethod method);
    void SetShowThousands(bool on);
    bool IsAnyTableModified() const;
    void SetModified(bool modified);
    bool AreAllTablesEmpty() const;
    int MaxDataColumns() const;
    // The maximum data columns, plus one each for shown line numbers and annotations.
    int MaxTableColumn() const;
    void NewDocument();
    void AfterLoad();

private:
    TResultsTable* TableOfColumn(std::string_view columnId, int& column) const;
    TCalculator* EditableTape(const TCalculator* tape) const;
    TResultsTable* EditableTable(const TResultsTable* table) const;
    TTapeTableColumnInfoList CollectAssignments() const;
    std::vector<TResultsTableColumnInfo> CollectColumns() const;
    std::string NewColumnId() const;
    bool ConfirmDeleteColumn() const;
    void RedisplayTape(TCalculator& tape) const;
    void AddColumnForLine(TCalculator& tape, LineIndex line, int column);
    void RemoveColumnOfLine(TCalculator& tape, LineIndex line);
    std::optional<int> CheckedColumnNumber(std::string_view text) const;
    std::string DefaultText(std::string_view eventName) const;
    void RegisterEvents();

    TStMediator* bus_;
    IClipboard* clipboard_;
    const ITextMeasurer* measurer_;
    std::vector<std::unique_ptr<TResultsTable>> tables_;
    TResultsTable* current_ = nullptr;
    TResultsTableCallbacks callbacks_;
    std::uint32_t focusColor_ = 0xFFFF00;
    TFontDescription font_;
    bool showThousands_ = true;
    TRoundingMethod roundingMethod_ = TRoundingMethod::Up;
    std::string lettersInUse_;
    TTableManagerTapes tapes_;
    std::function<long double()> random_;
};

}  // namespace tally
