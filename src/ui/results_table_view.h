#pragma once
// The results table on screen: a QTableView over the table's model. Column widths come from
// the table; the current cell is the table's current cell; Ctrl+arrows move columns and rows,
// Ctrl+C copies the current cell; a dragged heading moves its column (the owner renumbers the
// tape lines); annotation cells open the in-place editor, and in the annotation column Enter
// goes to the next row, Esc restores the row's annotation and Alt+arrows size the column and
// the row.

#include <QTableView>

#include <functional>
#include <memory>
#include <string_view>

#include "table/results_table.h"
#include "ui/results_table_model.h"

namespace tally {

class IClipboard;

class TResultsTableView : public QTableView {
    Q_OBJECT

public:
    explicit TResultsTableView(QWidget* parent = nullptr);
    ~TResultsTableView() override;

    // Shows the table (null shows nothing); the clipboard serves Ctrl+C.
    void AttachTable(TResultsTable* table, IClipboard* clipboard = nullptr);
    TResultsTableModel* TableModel() const { return model_.get(); }
    // Runs a table command by its action name (the owner renumbers the tape lines after moves);
    // Ctrl+arrows use it.
    void SetActionRunner(std::function<void(std::string_view action)> run) { runAction_ = std::move(run); }
    // Widths, row heights and the current cell from the table.
    void SyncFromTable();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Enter, Esc and the Alt keys of the annotation column; false for any other key.
    bool AnnotationColumnKey(const QKeyEvent& event);
    void ColumnDragged(int logical, int oldVisual, int newVisual);
    void ColumnResized(int column, int oldSize, int newSize);

    std::unique_ptr<TResultsTableModel> model_;
    TResultsTable* table_ = nullptr;
    IClipboard* clipboard_ = nullptr;
    std::function<void(std::string_view)> runAction_;
    bool syncing_ = false;
};

}  // namespace tally
