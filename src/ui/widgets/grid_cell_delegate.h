#pragma once
// Paints the grid's cells with narrow text margins: column widths are fixed in
// twips, and the style's wider margins would cut "2001" in a 500-twip year
// column to "2…". A text that does not fit is never cut silently: it ends in
// "…" and its tooltip shows it whole; it is never squeezed, so that every
// row's text has one size.

#include <QInputMethodEvent>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // Room on each side of a cell's text (a pixel more on the right).
    static constexpr int kMargin = 2;
    // The column width that shows a text whole.
    static int CellWidth(const QFontMetrics &metrics, const QString &text);
    // How a text is shown in a cell of the given width.
    struct Fit {
        QString text;      // as drawn: whole, or elided with "…"
        bool whole = true; // false when elided
    };
    static Fit FitText(const QFontMetrics &metrics, const QString &text, int cellWidth);

    // Text an input method is composing (its preedit) for one cell, drawn in
    // that cell after the text it will join, formatted as the input method
    // asks; longer than the cell, it moves with the caret, and a mark at
    // either edge tells that more is beyond it. Any view with this delegate
    // shows its composition by setting it.
    struct Composition {
        QPersistentModelIndex index;
        QString base; // the cell's text the composed text follows
        QString preedit;
        QList<QInputMethodEvent::Attribute> attributes;
    };
    void setComposition(const Composition &composition) { composition_ = composition; }
    const Composition &composition() const { return composition_; }
    // The caret of a composition in a cell (at the end of `base` when nothing
    // is composed), in the cell rectangle's coordinates.
    static QRect CaretRect(const QRect &cell, const QFont &font, Qt::Alignment alignment,
                           const Composition &composition);

private:
    Composition composition_;
};
