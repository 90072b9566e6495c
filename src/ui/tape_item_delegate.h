#pragma once
// Draws tape cells. An entry line's Entries cell shows its operator at the left edge of the
// cell and its number right-aligned, so operators and numbers each form a straight column, as
// on an adding machine's paper tape.

#include <QStyledItemDelegate>

namespace tally {

class TTapeItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace tally
