#pragma once
// A table model of the core as a view shows it (table_roles.h).

#include "core/statistics/value_sort_proxy.h"

class QTableView;

// A table model's rows sorted on their values, with the tones as colours that
// read well on the rows' backgrounds in the view's palette.
class TonedSortProxy : public ValueSortProxy {
    Q_OBJECT
public:
    TonedSortProxy(Part part, QObject *parent = nullptr);
    // The view whose palette gives the row backgrounds.
    void SetView(const QTableView *view) { view_ = view; }
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const QTableView *view_ = nullptr;
};
