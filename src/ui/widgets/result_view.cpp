#include "ui/widgets/result_view.h"

#include "core/statistics/table_roles.h"
#include "ui/readable_colors.h"
#include "ui/result_colors.h"
#include "ui/widgets/grid_cell_delegate.h"

#include <QHeaderView>
#include <QTableView>

ResultSortProxy::ResultSortProxy(QAbstractItemModel *source, QTableView *view)
    : QSortFilterProxyModel(view), view_(view)
{
    setSourceModel(source);
    setSortRole(ValueRole);
}

QVariant ResultSortProxy::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ForegroundRole)
        return QSortFilterProxyModel::data(index, role);
    const QVariant tone = QSortFilterProxyModel::data(index, ToneRole);
    if (!tone.isValid() || Tone(tone.toInt()) == Tone::Plain)
        return QVariant();
    const QColor colour = Tone(tone.toInt()) == Tone::Win ? kWinColor : kLossColor;
    return ReadableOn(colour, view_->palette().color(QPalette::Base));
}

ResultSortProxy *ShowResultModel(QTableView *view, QAbstractItemModel *model)
{
    auto *proxy = new ResultSortProxy(model, view);
    view->setModel(proxy);
    view->setItemDelegate(new GridCellDelegate(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone); // the delegate elides, with a tooltip
    view->verticalHeader()->hide();
    // Fixed row heights: rows are never measured.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    return proxy;
}
