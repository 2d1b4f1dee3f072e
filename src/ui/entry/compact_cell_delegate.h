#pragma once
// Paints the entry grid's cells with narrow text margins: the column widths are
// fixed in twips, and the style's wider margins would cut "2001" in the year
// column to "2…".

#include <QStyledItemDelegate>

class CompactCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
