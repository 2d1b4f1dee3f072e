#include "ui/statistics/result_grid.h"

#include "core/statistics/result_grid_model.h"
#include "ui/result_colors.h"
#include "ui/twips.h"
#include "ui/widgets/grid_look.h"
#include "ui/widgets/tab_text.h"

#include <QHeaderView>
#include <QMouseEvent>

ResultGridProxy::ResultGridProxy(ResultGridModel *source, QObject *parent)
    : ValueSortProxy(Part::Body, parent), source_(source)
{
    setSourceModel(source);
}

QVariant ResultGridProxy::data(const QModelIndex &index, int role) const
{
    if (role == Qt::ForegroundRole) {
        return GridTextColor(Tone(ValueSortProxy::data(index, ToneRole).toInt()));
    }
    if (role == Qt::BackgroundRole)
        return source_->HasRecords() && index.row() % 2 == 0 ? kGridTint : kGridBack;
    return ValueSortProxy::data(index, role);
}

ResultGrid::ResultGrid(ResultGridModel *model, QWidget *parent)
    : QTableView(parent), proxy_(new ResultGridProxy(model, this))
{
    SetGridLook(*this);
    setModel(proxy_);
    // Unsorted (the selection's order) until a title is clicked.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    horizontalHeader()->setSectionsClickable(true);
    setSortingEnabled(true);
}

int ResultGrid::Rows() const
{
    return proxy_->rowCount() + 1;
}

int ResultGrid::Cols() const
{
    return proxy_->columnCount();
}

QVariant ResultGrid::cellData(int row, int col, int role) const
{
    if (row == 0)
        return proxy_->headerData(col, Qt::Horizontal, role);
    return proxy_->index(row - 1, col).data(role);
}

QString ResultGrid::TextMatrix(int row, int col) const
{
    return cellData(row, col, Qt::DisplayRole).toString();
}

QColor ResultGrid::CellBackColorAt(int row, int col) const
{
    return cellData(row, col, Qt::BackgroundRole).value<QColor>();
}

QColor ResultGrid::CellForeColorAt(int row, int col) const
{
    return cellData(row, col, Qt::ForegroundRole).value<QColor>();
}

int ResultGrid::Row() const
{
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

int ResultGrid::Col() const
{
    return currentIndex().isValid() ? currentIndex().column() : titleCol_;
}

void ResultGrid::SetTitleCurrent(int col)
{
    titleCol_ = col;
    selectionModel()->clear();
}

void ResultGrid::SelectCells(int row, int col, int rowSel, int colSel)
{
    const QModelIndex from = proxy_->index(row - 1, col), to = proxy_->index(rowSel - 1, colSel);
    selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
}

QString ResultGrid::Clip() const
{
    const std::optional<GridRange> range = SelectedRange(selectionModel()->selection());
    return range ? TabText(*proxy_, *range) : TextMatrix(Row(), Col());
}

int ResultGrid::ColWidth(int col) const
{
    return colWidthTwips_.value(col, int(PixelsToTwips(columnWidth(col))));
}

void ResultGrid::SetColWidth(int col, int twips)
{
    if (colWidthTwips_.size() <= col)
        colWidthTwips_.resize(col + 1, 0);
    colWidthTwips_[col] = twips;
    setColumnWidth(col, Twips(twips));
}

void ResultGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->globalPosition().toPoint());
}
