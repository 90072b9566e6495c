#pragma once
// The Qt item model over one tape: a row per line, a column per shown column kind. It follows
// the line store change by change, so the view gets row inserts, removes and data changes, never
// a reset, and a tape of a million lines stays quick to edit.

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"
#include "engine/tape/calculator.h"

namespace tally {

class TTapeTableModel : public QAbstractTableModel, private TLineObserver {
    Q_OBJECT

public:
    // Entries cells of entry lines split into their operator and their number, so a delegate
    // can draw the operators in one column and the numbers right-aligned beside them. Both are
    // invalid for any other cell.
    static constexpr int EntryOperatorRole = Qt::UserRole + 1;
    static constexpr int EntryNumberRole = Qt::UserRole + 2;

    explicit TTapeTableModel(TCalculator& tape, QObject* parent = nullptr);
    ~TTapeTableModel() override;
    TTapeTableModel(const TTapeTableModel&) = delete;
    TTapeTableModel& operator=(const TTapeTableModel&) = delete;

    TCalculator& Tape() const { return tape_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TTapeColumn ColumnKind(int position) const { return columns_.at(static_cast<std::size_t>(position)); }
    // The model column of a column kind; -1 while it is hidden.
    int PositionOf(TTapeColumn kind) const;

    // Brings the model's columns in line with the tape's shown columns, as column removes and
    // inserts. Cheap when nothing changed.
    void SyncColumns();

    // The text of a cell as the tape holds it (the Line column computes its number).
    std::string CellText(LineIndex line, TTapeColumn kind) const;

signals:
    // Row heights of these lines may have changed in the line store.
    void RowHeightsChanged(int firstLine, int lastLine);
    // The tape wrote a line's indicator cell.
    void IndicatorWritten(int line);
    // The tape wrote a line's Entries or Running Total cell (shown in the column `kind`).
    void NumberWritten(int line, TTapeColumn kind);

private:
    void BeforeLinesInserted(LineIndex first, LineIndex count) override;
    void LinesInserted(LineIndex first, LineIndex count) override;
    void BeforeLinesRemoved(LineIndex first, LineIndex count) override;
    void LinesRemoved(LineIndex first, LineIndex count) override;
    void CellChanged(LineIndex line, TLineColumn column) override;
    void LinesChanged(LineIndex first, LineIndex last) override;
    void RowHeightChanged(LineIndex line) override;

    // The operator that opens an entry line's Entries text; empty for other lines.
    std::string_view EntryOperator(LineIndex line) const;

    TCalculator& tape_;
    std::vector<TTapeColumn> columns_;
};

}  // namespace tally
