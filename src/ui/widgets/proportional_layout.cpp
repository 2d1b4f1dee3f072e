#include "ui/widgets/proportional_layout.h"

#include <QWidget>
#include <algorithm>
#include <utility>

ProportionalLayout::ProportionalLayout(QWidget *widget)
{
    setContentsMargins(0, 0, 0, 0);
    addWidget(widget);
}

ProportionalLayout::~ProportionalLayout()
{
    delete item_;
}

void ProportionalLayout::addItem(QLayoutItem *item)
{
    Q_ASSERT(!item_); // one widget only
    delete item_;
    item_ = item;
}

QLayoutItem *ProportionalLayout::itemAt(int index) const
{
    return index == 0 ? item_ : nullptr;
}

QLayoutItem *ProportionalLayout::takeAt(int index)
{
    return index == 0 ? std::exchange(item_, nullptr) : nullptr;
}

int ProportionalLayout::count() const
{
    return item_ ? 1 : 0;
}

QSize ProportionalLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize base = item_ ? item_->sizeHint() : QSize(0, 0);
    return base.grownBy(m);
}

QSize ProportionalLayout::minimumSize() const
{
    return sizeHint();
}

Qt::Orientations ProportionalLayout::expandingDirections() const
{
    return Qt::Horizontal | Qt::Vertical;
}

void ProportionalLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    if (!item_)
        return;
    const QRect room = contentsRect();
    const QSize base = item_->sizeHint();
    if (base.isEmpty())
        return;
    const double scale = std::max(
        1.0, std::min(double(room.width()) / base.width(), double(room.height()) / base.height()));
    const QSize size(int(base.width() * scale + 0.5), int(base.height() * scale + 0.5));
    item_->setGeometry(QRect(room.left() + (room.width() - size.width()) / 2,
                             room.top() + (room.height() - size.height()) / 2, size.width(),
                             size.height()));
}
