#pragma once
// Draws tape cells. An entry line's Entries cell shows its operator at the left edge of the
// cell and its number right-aligned, so operators and numbers each form a straight column, as
// on an adding machine's paper tape. Marks (indicators and the "=" rule of a total indicator
// line) are cut at the cell's edge, never shortened to an ellipsis: a cut "T(1" or rule still
// reads as a paper tape, "…" does not.

#include <QStyledItemDelegate>

namespace tally {

class TTapeItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace tally
