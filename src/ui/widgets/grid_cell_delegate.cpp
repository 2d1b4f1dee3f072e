#include "ui/widgets/grid_cell_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

namespace {
// A composition laid out in one line of its cell: where the line starts, the
// input method's formats and its caret.
struct ComposedLine {
    QTextLayout layout;
    QPointF origin;
    int cursor = 0;
    bool cursorShown = true;
};

void layOut(ComposedLine &out, const QRect &cell, const QFont &font, Qt::Alignment alignment,
            const GridCellDelegate::Composition &c)
{
    const int baseLength = int(c.base.size());
    out.cursor = baseLength + int(c.preedit.size());
    QList<QTextLayout::FormatRange> formats;
    for (const QInputMethodEvent::Attribute &a : c.attributes) {
        if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
            if (format.isValid())
                formats.append({baseLength + a.start, a.length, format});
        } else if (a.type == QInputMethodEvent::Cursor) {
            out.cursor = baseLength + a.start;
            out.cursorShown = a.length != 0;
        }
    }
    if (formats.isEmpty() && !c.preedit.isEmpty()) {
        QTextCharFormat underline; // what is composed, when the method names no format
        underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        formats.append({baseLength, int(c.preedit.size()), underline});
    }
    out.layout.setText(c.base + c.preedit);
    out.layout.setFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    out.layout.setTextOption(option);
    out.layout.setFormats(formats);
    out.layout.beginLayout();
    QTextLine line = out.layout.createLine();
    line.setLineWidth(1e6);
    out.layout.endLayout();

    // Aligned as the cell's text, moved so that the caret stays in the cell.
    const QRect area = cell.adjusted(2, 0, -3, 0);
    const qreal width = line.naturalTextWidth();
    qreal x = area.left();
    if (alignment & Qt::AlignRight)
        x = area.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - width) / 2;
    const qreal caret = line.cursorToX(out.cursor);
    x = std::max(std::min(x, area.right() - caret), area.left() - caret);
    out.origin = QPointF(x, cell.top() + (cell.height() - line.height()) / 2);
}
} // namespace

QRect GridCellDelegate::CaretRect(const QRect &cell, const QFont &font, Qt::Alignment alignment,
                                  const Composition &composition)
{
    ComposedLine composed;
    layOut(composed, cell, font, alignment, composition);
    const QTextLine line = composed.layout.lineAt(0);
    const qreal x = composed.origin.x() + line.cursorToX(composed.cursor);
    return QRectF(x, composed.origin.y(), 1, line.height()).toAlignedRect() & cell;
}

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
    if (!composition_.preedit.isEmpty() && index == composition_.index) {
        // The cell being typed: white, framed, the composition underlined.
        painter->fillRect(opt.rect, Qt::white);
        painter->setPen(Qt::black);
        ComposedLine composed;
        layOut(composed, opt.rect, opt.font, opt.displayAlignment, composition_);
        composed.layout.draw(painter, composed.origin);
        if (composed.cursorShown)
            composed.layout.drawCursor(painter, composed.origin, composed.cursor);
        painter->setPen(opt.palette.color(group, QPalette::Highlight));
        painter->drawRect(opt.rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    painter->fillRect(opt.rect, selected ? opt.palette.brush(group, QPalette::Highlight)
                                         : opt.backgroundBrush);
    painter->setFont(opt.font);
    // A view without the focus draws its cells inactive, which some styles
    // (Adwaita) show in a faded text; only the selection shows it here, the
    // text reads like the rest of its window.
    const bool activeWindow = opt.widget && opt.widget->isActiveWindow();
    painter->setPen(
        selected ? opt.palette.color(group, QPalette::HighlightedText)
                 : opt.palette.color(activeWindow ? QPalette::Active : group, QPalette::Text));
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
