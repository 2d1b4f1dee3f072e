#pragma once
// Paints the grid's cells with narrow text margins: column widths are fixed in
// twips, and the style's wider margins would cut "2001" in a 500-twip year
// column to "2…".

#include <QStyledItemDelegate>

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
