#include "ui/widgets/grid_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QPalette::ColorGroup group =
        (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;

    painter->save();
    painter->setClipRect(opt.rect);
    painter->fillRect(opt.rect, selected ? opt.palette.brush(group, QPalette::Highlight)
                                         : opt.backgroundBrush);
    painter->setFont(opt.font);
    painter->setPen(selected ? opt.palette.color(group, QPalette::HighlightedText)
                             : opt.palette.color(group, QPalette::Text));
    if (!selected) {
        const QVariant fore = index.data(Qt::ForegroundRole);
        if (fore.canConvert<QColor>())
            painter->setPen(fore.value<QColor>());
    }
    // Two pixels of margin, less when the text would not fit otherwise.
    const int advance = QFontMetrics(opt.font).horizontalAdvance(opt.text);
    const int margin = std::clamp((opt.rect.width() - 1 - advance) / 2, 0, 2);
    const QRect area = opt.rect.adjusted(margin, 0, -margin - 1, 0);
    const int flags = int(opt.displayAlignment) | Qt::TextSingleLine;
    if (advance > area.width() && area.width() > 0 && advance * 4 <= area.width() * 5) {
        // The fixed column widths were made for a narrower font: a text a few
        // pixels too wide (a four-digit year) is narrowed rather than cut.
        painter->save();
        painter->translate(area.left(), 0);
        painter->scale(qreal(area.width()) / advance, 1.0);
        painter->drawText(QRect(0, area.top(), advance, area.height()), flags, opt.text);
        painter->restore();
    } else {
        painter->drawText(area, flags, opt.text);
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect.adjusted(0, 0, -1, -1);
        focus.backgroundColor = opt.palette.color(group, QPalette::Base);
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
