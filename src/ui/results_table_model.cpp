#include "ui/results_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "ui/qt_text.h"

namespace tally {
namespace {

// Colours are held as 0x00BBGGRR.
QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8) & 0xFFU),
                  static_cast<int>((bgr >> 16) & 0xFFU));
}

QString WithNewlines(const std::string& text) {
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

TResultsTableModel::TResultsTableModel(TResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.AddObserver(this);
}

TResultsTableModel::~TResultsTableModel() { table_.RemoveObserver(this); }

int TResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount() - 1;
}

int TResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColumnCount() - 1;
}

QVariant TResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = TableColumn(index.column());
    const int row = TableRow(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return ToQString(table_.Cell(column, row));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(table_.IsAnnotationColumn(column) ? Qt::AlignLeft | Qt::AlignVCenter
                                                                          : Qt::AlignRight | Qt::AlignVCenter);
        case Qt::FontRole: {
            if (table_.RowType(row) == TTableRowType::Data) return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        case Qt::BackgroundRole:
            if (column == table_.CurrentColumn() && row == table_.CurrentRow()) {
                return QBrush(FromBgr(table_.FocusColor()));
            }
            return {};
        default: return {};
    }
}

bool TResultsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    bool ok = false;
    const std::string text = FromQString(value.toString(), &ok);
    return ok && table_.SetAnnotation(TableRow(index.row()), text);
}

QVariant TResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return WithNewlines(table_.Heading(TableColumn(section)));
}

Qt::ItemFlags TResultsTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (table_.CanEditCell(TableColumn(index.column()), TableRow(index.row()))) flags |= Qt::ItemIsEditable;
    return flags;
}

void TResultsTableModel::TableReshaped() {
    // The table reports after the fact; a reset makes the views ask everything again.
    beginResetModel();
    endResetModel();
    emit Reshaped();
}

void TResultsTableModel::CellChanged(int column, int row) {
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
        return;
    }
    const QModelIndex changed = index(row - 1, column - 1);
    emit dataChanged(changed, changed);
}

}  // namespace tally
