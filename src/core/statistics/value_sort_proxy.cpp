#include "core/statistics/value_sort_proxy.h"

#include "core/statistics/table_roles.h"

ValueSortProxy::ValueSortProxy(Part part, QObject *parent)
    : QSortFilterProxyModel(parent), part_(part)
{
    setSortRole(ValueRole);
    setDynamicSortFilter(true);
}

bool ValueSortProxy::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const bool pinned = sourceModel()->index(sourceRow, 0, sourceParent).data(PinnedRole).toBool();
    return pinned == (part_ == Part::Pinned);
}

bool ValueSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    // Descending order asks lessThan(right, left); what must come first in
    // both directions is decided by the direction.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    const QVariant a = left.data(ValueRole), b = right.data(ValueRole);
    if (a.isNull() != b.isNull()) // a cell without a value comes last
        return ascending ? b.isNull() : a.isNull();
    if (!a.isNull()) {
        const QPartialOrdering order = QVariant::compare(a, b);
        if (order == QPartialOrdering::Less || order == QPartialOrdering::Greater)
            return order == QPartialOrdering::Less;
    }
    // Ties keep the model's order whatever the sort before was.
    return ascending ? left.row() < right.row() : left.row() > right.row();
}
