#pragma once
// The Qt item model over a results table: one row per table row below the heading row, one
// column per table column after the fixed column 0; the heading row gives the header texts.
// Numbers are right-aligned, the total rows bold, and only annotation cells of data rows are
// editable.

#include <QAbstractTableModel>

#include "table/results_table.h"

namespace tally {

class TResultsTableModel : public QAbstractTableModel, private TResultsTableObserver {
    Q_OBJECT

public:
    explicit TResultsTableModel(TResultsTable& table, QObject* parent = nullptr);
    ~TResultsTableModel() override;
    TResultsTableModel(const TResultsTableModel&) = delete;
    TResultsTableModel& operator=(const TResultsTableModel&) = delete;

    TResultsTable& Table() const { return table_; }
    // Model places and table places: the table's row 0 and column 0 have no model place.
    static int TableColumn(int modelColumn) { return modelColumn + 1; }
    static int TableRow(int modelRow) { return modelRow + 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Rows or columns changed shape: widths and the current cell must follow.
    void Reshaped();

private:
    void TableReshaped() override;
    void CellChanged(int column, int row) override;

    TResultsTable& table_;
};

}  // namespace tally
