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
    bool cutBefore = false; // part of the text lies beyond the cell's left edge
    bool cutAfter = false;  // or its right edge
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

    // Aligned as the cell's text, moved so that the caret stays in the cell;
    // the text may use the margins inside the frame drawn around it.
    const QRect area = cell.adjusted(1, 0, -2, 0);
    const qreal width = line.naturalTextWidth();
    qreal x = area.left();
    if (alignment & Qt::AlignRight)
        x = area.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - width) / 2;
    const qreal caret = line.cursorToX(out.cursor);
    x = std::max(std::min(x, area.right() + 1 - caret), area.left() - caret);
    out.origin = QPointF(x, cell.top() + (cell.height() - line.height()) / 2);
    out.cutBefore = x < area.left() - 1; // a pixel is no loss worth a mark
    out.cutAfter = x + width > area.right() + 2;
}

// A small triangle at the edge of a cell, pointing out of it.
void drawCutMark(QPainter *painter, const QRect &cell, bool left, const QColor &color)
{
    const qreal y = cell.center().y() + 0.5, x = left ? cell.left() + 0.5 : cell.right() + 0.5;
    const qreal in = left ? 4 : -4;
    const QPointF mark[] = {{x, y}, {x + in, y - 4}, {x + in, y + 4}};
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(mark, 3);
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

int GridCellDelegate::CellWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text) + 2 * kMargin + 2; // the right margin's pixel, the line
}

GridCellDelegate::Fit GridCellDelegate::FitText(const QFontMetrics &metrics, const QString &text,
                                                int cellWidth)
{
    Fit fit;
    fit.text = text;
    const int room = cellWidth - 1 - 2 * kMargin;
    if (metrics.horizontalAdvance(text) <= room || room <= 0)
        return fit;
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
        const QColor frame = opt.palette.color(group, QPalette::Highlight);
        if (composed.cutBefore)
            drawCutMark(painter, opt.rect, true, frame);
        if (composed.cutAfter)
            drawCutMark(painter, opt.rect.adjusted(0, 0, -1, 0), false, frame);
        painter->setPen(frame);
        painter->setBrush(Qt::NoBrush);
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
    const QRect area = opt.rect.adjusted(kMargin, 0, -kMargin - 1, 0);
    painter->drawText(area, int(opt.displayAlignment) | Qt::TextSingleLine, fit.text);
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
