#pragma once
// Shows a table model of the core (display, value and tone roles, see
// core/statistics/table_roles.h) in a QTableView: sorted on the values, the
// tones of amounts as the result colours, made readable on the view's own
// background, and the grid's cell delegate.

#include <QSortFilterProxyModel>

class QTableView;

class ResultSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // view: whose background the tone colours must read on.
    ResultSortProxy(QAbstractItemModel *source, QTableView *view);

    QVariant data(const QModelIndex &index, int role) const override;

private:
    const QTableView *view_;
};

// Read-only rows of fixed height, no row numbers, the shared cell delegate,
// sorting by a header click (the model's own order until then). Returns the
// proxy, owned by the view.
ResultSortProxy *ShowResultModel(QTableView *view, QAbstractItemModel *model);
