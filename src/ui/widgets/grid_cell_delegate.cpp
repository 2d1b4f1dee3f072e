#include "ui/widgets/grid_cell_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

GridCellDelegate::Fit GridCellDelegate::FitText(const QFontMetrics &metrics, const QString &text,
                                                int cellWidth)
{
    Fit fit;
    fit.text = text;
    // Two pixels of margin, less when the text would not fit otherwise.
    const int advance = metrics.horizontalAdvance(text);
    fit.margin = std::clamp((cellWidth - 1 - advance) / 2, 0, 2);
    const int room = cellWidth - 1 - 2 * fit.margin;
    if (advance <= room || room <= 0)
        return fit;
    if (advance * 4 <= room * 5) {
        // The fixed column widths were made for a narrower font: a text a few
        // pixels too wide (a four-digit year) is narrowed rather than cut.
        fit.scale = qreal(room) / advance;
        return fit;
    }
    fit.text = metrics.elidedText(text, Qt::ElideRight, room);
    fit.whole = false;
    return fit;
}

bool GridCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                 const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        const QString text = index.data(Qt::DisplayRole).toString();
        QFont font = option.font;
        if (const QVariant f = index.data(Qt::FontRole); f.canConvert<QFont>())
            font = f.value<QFont>();
        if (!FitText(QFontMetrics(font), text, option.rect.width()).whole) {
            QToolTip::showText(event->globalPos(), text, view, option.rect);
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

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
    const Fit fit = FitText(QFontMetrics(opt.font), opt.text, opt.rect.width());
    const QRect area = opt.rect.adjusted(fit.margin, 0, -fit.margin - 1, 0);
    const int flags = int(opt.displayAlignment) | Qt::TextSingleLine;
    if (fit.scale < 1.0) {
        const int advance = QFontMetrics(opt.font).horizontalAdvance(fit.text);
        painter->save();
        painter->translate(area.left(), 0);
        painter->scale(fit.scale, 1.0);
        painter->drawText(QRect(0, area.top(), advance, area.height()), flags, fit.text);
        painter->restore();
    } else {
        painter->drawText(area, flags, fit.text);
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
