#include "ui/results_table_view.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "platform/clipboard.h"

namespace tally {

TResultsTableView::TResultsTableView(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &TResultsTableView::ColumnDragged);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TResultsTableView::ColumnResized);
}

TResultsTableView::~TResultsTableView() { setModel(nullptr); }

void TResultsTableView::AttachTable(TResultsTable* table, IClipboard* clipboard) {
    setModel(nullptr);
    model_.reset();
    table_ = table;
    clipboard_ = clipboard;
    if (table_ == nullptr) return;
    model_ = std::make_unique<TResultsTableModel>(*table_);
    setModel(model_.get());
    connect(model_.get(), &TResultsTableModel::Reshaped, this, &TResultsTableView::SyncFromTable);
    SyncFromTable();
}

void TResultsTableView::SyncFromTable() {
    if (table_ == nullptr) return;
    syncing_ = true;
    for (int column = 0; column < model_->columnCount(); ++column) {
        setColumnWidth(column, table_->ColumnWidth(TResultsTableModel::TableColumn(column)));
    }
    verticalHeader()->setDefaultSectionSize(table_->DefaultRowHeight());
    for (int row = 0; row < model_->rowCount(); ++row) {
        const int height = table_->RowHeight(TResultsTableModel::TableRow(row));
        if (height > 0) setRowHeight(row, height);
    }
    setCurrentIndex(model_->index(table_->CurrentRow() - 1, table_->CurrentColumn() - 1));
    syncing_ = false;
}

void TResultsTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || table_ == nullptr || !current.isValid()) return;
    table_->SetCurrentCell(TResultsTableModel::TableColumn(current.column()), TResultsTableModel::TableRow(current.row()));
    viewport()->update();
}

void TResultsTableView::ColumnDragged(int /*logical*/, int oldVisual, int newVisual) {
    if (table_ == nullptr || syncing_) return;
    // The table moves the column itself; the header goes back to showing the model's order.
    syncing_ = true;
    horizontalHeader()->moveSection(newVisual, oldVisual);
    syncing_ = false;
    table_->DragColumn(TResultsTableModel::TableColumn(oldVisual), TResultsTableModel::TableColumn(newVisual));
}

void TResultsTableView::ColumnResized(int column, int /*oldSize*/, int newSize) {
    if (table_ != nullptr && !syncing_) table_->SetColumnWidth(TResultsTableModel::TableColumn(column), newSize);
}

bool TResultsTableView::AnnotationColumnKey(const QKeyEvent& event) {
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
    const bool alt = event.modifiers().testFlag(Qt::AltModifier);
    const int key = event.key();
    if (alt) {
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            table_->ChangeCurrentColumnWidth(key == Qt::Key_Right, shift);
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            table_->ChangeCurrentRowHeight(key == Qt::Key_Down, shift);
            return true;
        }
        return false;
    }
    if (key == Qt::Key_Escape) {
        table_->RestoreAnnotation();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !event.modifiers().testFlag(Qt::ControlModifier)) {
        table_->SetCurrentCell(table_->CurrentColumn(), table_->CurrentRow() + (shift ? -1 : 1));
        return true;
    }
    return false;
}

void TResultsTableView::keyPressEvent(QKeyEvent* event) {
    if (table_ == nullptr) {
        QTableView::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && event->key() == Qt::Key_C) {
        if (clipboard_ != nullptr) table_->CopyCurrentCell(*clipboard_);
        return;
    }
    if (table_->IsAnnotationColumn(table_->CurrentColumn()) && AnnotationColumnKey(*event)) {
        SyncFromTable();
        return;
    }
    const char* action = nullptr;
    if (ctrl) {
        switch (event->key()) {
            case Qt::Key_Left: action = "MoveColLeft"; break;
            case Qt::Key_Right: action = "MoveColRight"; break;
            case Qt::Key_Up: action = "MoveLineUp"; break;
            case Qt::Key_Down: action = "MoveLineDown"; break;
            default: break;
        }
    }
    if (action != nullptr && runAction_) {
        runAction_(action);
        SyncFromTable();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace tally
