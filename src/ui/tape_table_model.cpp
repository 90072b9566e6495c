#include "ui/tape_table_model.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <optional>
#include <string>

#include "engine/lines/line_kinds.h"
#include "engine/lines/operator_keys.h"
#include "ui/qt_text.h"

namespace tally {

namespace {

// Numbers read right-aligned, as on a paper tape; texts read from the left.
Qt::Alignment AlignmentOf(TTapeColumn kind) {
    switch (kind) {
        case TTapeColumn::Entries:
        case TTapeColumn::RunningTotal:
        case TTapeColumn::Line:
        case TTapeColumn::TableColumns: return Qt::AlignRight | Qt::AlignVCenter;
        case TTapeColumn::Indicator: return Qt::AlignHCenter | Qt::AlignVCenter;
        case TTapeColumn::Links:
        case TTapeColumn::Annotations: return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Colours are held as 0x00BBGGRR.
QColor ToQColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8) & 0xFFU),
                  static_cast<int>((bgr >> 16) & 0xFFU));
}

}  // namespace

TTapeTableModel::TTapeTableModel(TCalculator& tape, QObject* parent)
    : QAbstractTableModel(parent), tape_(tape), columns_(tape.ShownColumns()) {
    tape_.Lines().AddObserver(this);
}

TTapeTableModel::~TTapeTableModel() { tape_.Lines().RemoveObserver(this); }

int TTapeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tape_.Lines().LineCount();
}

int TTapeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int TTapeTableModel::PositionOf(TTapeColumn kind) const {
    const auto it = std::find(columns_.begin(), columns_.end(), kind);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

std::string TTapeTableModel::CellText(LineIndex line, TTapeColumn kind) const {
    if (kind == TTapeColumn::Line) return std::to_string(line + 1);
    return std::string(tape_.Lines().Cell(line, *LineColumnOf(kind)));
}

std::string_view TTapeTableModel::EntryOperator(LineIndex line) const {
    const TLineStore& lines = tape_.Lines();
    const std::string_view entry = lines.Entries(line);
    if (entry.empty() || !lines.InGroup(line, LineGroup::kEntryLine) || !IsStoredOperator(entry.front())) {
        return {};
    }
    return entry.substr(0, 1);
}

QVariant TTapeTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const LineIndex line = index.row();
    const TTapeColumn kind = ColumnKind(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQString(CellText(line, kind));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(kind));
        case Qt::BackgroundRole:
            return QBrush(ToQColor(tape_.GetCellColor(line)));
        case Qt::ForegroundRole:
            return QBrush(Qt::black);
        case EntryOperatorRole:
        case EntryNumberRole: {
            if (kind != TTapeColumn::Entries) return {};
            const std::string_view op = EntryOperator(line);
            if (op.empty()) return {};
            const std::string_view entry = tape_.Lines().Entries(line);
            return ToQString(role == EntryOperatorRole ? op : entry.substr(op.size()));
        }
        default:
            return {};
    }
}

QVariant TTapeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    if (section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) {
        // Headings break their lines as "\r\n"; Qt breaks at "\n" alone.
        QString heading = ToQString(TCalculator::ColumnHeading(ColumnKind(section)));
        heading.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return heading;
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags TTapeTableModel::flags(const QModelIndex& index) const {
    // Cells are edited only through the grid's one in-place editor, never by Qt's own editors.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TTapeTableModel::SyncColumns() {
    const std::vector<TTapeColumn> wanted = tape_.ShownColumns();
    if (wanted == columns_) return;
    // Both lists follow the same fixed order: remove the columns that went, then insert the
    // new ones at their places.
    for (int position = static_cast<int>(columns_.size()) - 1; position >= 0; --position) {
        const TTapeColumn kind = columns_[static_cast<std::size_t>(position)];
        if (std::find(wanted.begin(), wanted.end(), kind) != wanted.end()) continue;
        beginRemoveColumns({}, position, position);
        columns_.erase(columns_.begin() + position);
        endRemoveColumns();
    }
    for (std::size_t position = 0; position < wanted.size(); ++position) {
        if (position < columns_.size() && columns_[position] == wanted[position]) continue;
        const int at = static_cast<int>(position);
        beginInsertColumns({}, at, at);
        columns_.insert(columns_.begin() + at, wanted[position]);
        endInsertColumns();
    }
}

void TTapeTableModel::BeforeLinesInserted(LineIndex first, LineIndex count) {
    beginInsertRows({}, first, first + count - 1);
}

void TTapeTableModel::LinesInserted(LineIndex, LineIndex) { endInsertRows(); }

void TTapeTableModel::BeforeLinesRemoved(LineIndex first, LineIndex count) {
    beginRemoveRows({}, first, first + count - 1);
}

void TTapeTableModel::LinesRemoved(LineIndex, LineIndex) { endRemoveRows(); }

void TTapeTableModel::CellChanged(LineIndex line, TLineColumn column) {
    for (int position = 0; position < columnCount(); ++position) {
        if (LineColumnOf(ColumnKind(position)) != column) continue;
        const QModelIndex cell = index(line, position);
        emit dataChanged(cell, cell);
    }
    // The indicator decides how an Entries cell splits into operator and number.
    if (column == TLineColumn::Indicator) {
        const int entries = PositionOf(TTapeColumn::Entries);
        emit dataChanged(index(line, entries), index(line, entries));
        emit IndicatorWritten(line);
    }
    if (column == TLineColumn::Entries) emit NumberWritten(line, TTapeColumn::Entries);
    if (column == TLineColumn::RunningTotal) emit NumberWritten(line, TTapeColumn::RunningTotal);
}

void TTapeTableModel::LinesChanged(LineIndex first, LineIndex last) {
    if (columnCount() == 0) return;
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    // Moved lines take their heights with them.
    emit RowHeightsChanged(first, last);
}

void TTapeTableModel::RowHeightChanged(LineIndex line) { emit RowHeightsChanged(line, line); }

}  // namespace tally
