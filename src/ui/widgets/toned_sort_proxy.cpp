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
    const bool alternate = view_->alternatingRowColors() && index.row() % 2 == 1;
    const QColor back =
        view_->palette().color(alternate ? QPalette::AlternateBase : QPalette::Base);
    return ToneColor(tone, back);
}
