#include "ui/entry/compact_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

void CompactCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
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
    painter->drawText(opt.rect.adjusted(margin, 0, -margin - 1, 0),
                      int(opt.displayAlignment) | Qt::TextSingleLine, opt.text);
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
