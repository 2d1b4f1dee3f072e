#pragma once
// Paints the grid's cells with narrow text margins: column widths are fixed in
// twips, and the style's wider margins would cut "2001" in a 500-twip year
// column to "2…". A text that does not fit is never cut silently: a little
// too wide, it is narrowed; far too wide, it ends in "…" and its tooltip shows
// it whole.

#include <QStyledItemDelegate>

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // How a text is shown in a cell of the given width.
    struct Fit {
        QString text;      // as drawn: whole, or elided with "…"
        qreal scale = 1.0; // horizontal narrowing, 1 when none
        int margin = 0;    // on each side
        bool whole = true; // false when elided
    };
    static Fit FitText(const QFontMetrics &metrics, const QString &text, int cellWidth);
};
