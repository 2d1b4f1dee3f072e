#include "ui/widgets/toned_sort_proxy.h"

#include "core/statistics/table_roles.h"
#include "ui/tone_colors.h"

#include <QTableView>

TonedSortProxy::TonedSortProxy(Part part, QObject *parent) : ValueSortProxy(part, parent) {}

QVariant TonedSortProxy::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ForegroundRole || !view_)
        return ValueSortProxy::data(index, role);
    const auto tone = Tone(ValueSortProxy::data(index, ToneRole).toInt());
    if (tone == Tone::Plain)
        return QVariant();
    return ToneColor(tone, view_->palette());
}
