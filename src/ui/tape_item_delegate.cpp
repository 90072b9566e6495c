#include "ui/tape_item_delegate.h"

#include <QApplication>
#include <QPainter>

#include "engine/lines/line_kinds.h"
#include "ui/tape_table_model.h"

namespace tally {
namespace {

constexpr int kOperatorIndent = 2;

// Marks rather than values: the line-kind indicators and the "=" rule of a total indicator line.
bool IsMark(const TTapeTableModel& model, const QModelIndex& index) {
    const TTapeColumn kind = model.ColumnKind(index.column());
    return kind == TTapeColumn::Indicator ||
           (kind == TTapeColumn::Entries && model.Tape().Lines().HasKind(index.row(), LineKind::kSeparator));
}

}  // namespace

void TTapeItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* model = qobject_cast<const TTapeTableModel*>(index.model());
    if (model != nullptr && IsMark(*model, index)) option->textElideMode = Qt::ElideNone;
}

void TTapeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QVariant op = index.data(TTapeTableModel::EntryOperatorRole);
    if (!op.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text.clear();
    const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);

    // A little room between the grid line and the operator.
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget)
                           .adjusted(kOperatorIndent, 0, 0, 0);
    painter->save();
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(QPalette::Text));
    if (const QVariant foreground = index.data(Qt::ForegroundRole); foreground.canConvert<QBrush>()) {
        painter->setPen(foreground.value<QBrush>().color());
    }
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, op.toString());
    painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                      index.data(TTapeTableModel::EntryNumberRole).toString());
    painter->restore();
}

}  // namespace tally
