#include "ui/tape_item_delegate.h"

#include <QApplication>
#include <QPainter>

#include "ui/tape_table_model.h"

namespace tally {
namespace {

constexpr int kOperatorIndent = 2;

}  // namespace

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
