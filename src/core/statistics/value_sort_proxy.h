#pragma once
// Sorts a table model on its ValueRole: numbers as numbers, cells without a
// value last in both directions, ties in the model's own order. A proxy shows
// either the rows of the table or its pinned rows (PinnedRole), so that a
// totals row never moves among the others.

#include <QSortFilterProxyModel>

class ValueSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    enum class Part { Body, Pinned };
    explicit ValueSortProxy(Part part, QObject *parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    Part part_;
};
