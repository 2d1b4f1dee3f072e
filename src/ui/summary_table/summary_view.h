#pragma once
// The summary window's table: the group rows in a view that scrolls, the
// totals row pinned right below them (at the bottom when the rows fill the
// height), one horizontal scroll bar under both, and the columns shared.
// Empty space is the view's ordinary background.

#include "ui/widgets/toned_sort_proxy.h"

#include <QFrame>
#include <QList>

class QAbstractItemModel;
class QScrollBar;
class QTableView;

class SummaryView : public QFrame {
    Q_OBJECT
public:
    explicit SummaryView(QWidget *parent = nullptr);

    QTableView *Body() const { return body_; }
    QTableView *Pinned() const { return pinned_; }
    QScrollBar *ScrollBar() const { return scrollBar_; }
    void SetModels(QAbstractItemModel *body, QAbstractItemModel *pinned);
    // Drawn in the table while it has no rows.
    void SetEmptyText(const QString &text);
    // The width the columns can share without scrolling.
    int ColumnRoom() const;
    // Columns whose widths together are less than the room are widened
    // evenly to fill it.
    void SetColumnWidths(const QList<int> &widths);

    // The selected cells of the rows or of the totals (else the current cell)
    // in a role of the model: tabs between cells, carriage returns between
    // rows. A null text when there is no cell to copy.
    QString SelectedText(int role) const;
    // The titles, every row in the order shown and the totals, in a role.
    QString AllText(int role) const;

signals:
    // The room for the columns changed (a resize, the vertical scroll bar).
    void columnRoomChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitHeight();
    void followBody();

    QTableView *body_ = nullptr;
    QTableView *pinned_ = nullptr;
    QWidget *pinnedRight_ = nullptr; // beside the totals, under the body's scroll bar
    QScrollBar *scrollBar_ = nullptr;
};
