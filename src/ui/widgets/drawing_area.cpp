#include "ui/widgets/drawing_area.h"

#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/twips.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerPixel = 15.0;
constexpr int kStretch = 94; // percent
} // namespace

DrawingArea::DrawingArea(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::Cls()
{
    commands_.clear();
    update();
}

void DrawingArea::SetPicture(const QPixmap &picture)
{
    picture_ = picture;
    update();
}

void DrawingArea::RemovePicture()
{
    picture_ = QPixmap();
    update();
}

void DrawingArea::Print(const QString &text)
{
    DrawCommand c;
    c.kind = DrawCommand::Kind::Text;
    c.x1 = currentX_;
    c.y1 = currentY_;
    c.text = text;
    c.fontSize = fontSize_;
    c.color = foreColor_;
    add(c);
}

void DrawingArea::PrintLabel(const QString &text, Qt::Alignment align)
{
    Print(text);
    commands_.last().align = align;
    commands_.last().label = true;
}

QRectF DrawingArea::TextBox(const DrawCommand &text)
{
    const QFontMetricsF fm(DrawingFont(text.fontSize));
    const QSizeF size(fm.horizontalAdvance(YenForDisplay(text.text)), fm.height());
    QPointF at(text.x1, text.y1);
    if (text.align & Qt::AlignRight)
        at.rx() -= size.width();
    else if (text.align & Qt::AlignHCenter)
        at.rx() -= size.width() / 2;
    if (text.align & Qt::AlignBottom)
        at.ry() -= size.height();
    else if (text.align & Qt::AlignVCenter)
        at.ry() -= size.height() / 2;
    return QRectF(at, size);
}

void DrawingArea::Line(float x1, float y1, float x2, float y2, const QColor &color)
{
    DrawCommand c = stroke(DrawCommand::Kind::Line, color);
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    add(c);
}

void DrawingArea::Circle(float x, float y, float radius, const QColor &color)
{
    DrawCommand c = stroke(DrawCommand::Kind::Circle, color);
    c.x1 = x;
    c.y1 = y;
    c.radius = radius;
    add(c);
}

// A line or circle in the current line style and width.
DrawCommand DrawingArea::stroke(DrawCommand::Kind kind, const QColor &color) const
{
    DrawCommand c;
    c.kind = kind;
    c.color = color;
    c.dotted = drawStyle_ == LineStyle::Dotted;
    c.lineWidth = drawWidth_;
    return c;
}

void DrawingArea::add(const DrawCommand &command)
{
    commands_.append(command);
    update();
}

QFont DrawingArea::DrawingFont(qint16 points)
{
    // Sized in twips so that metrics and painting (in twips) agree exactly.
    // Slightly condensed: the stand-in gothic's Latin letters and digits are
    // wider than those the screens were laid out with, and the longest
    // ranking lines would run off the right edge.
    QFont font = UiFont();
    font.setPixelSize(std::max(1, int(points * kTwipsPerPoint)));
    font.setStretch(kStretch);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double DrawingArea::TextWidthAt(const QString &text, qint16 points)
{
    return QFontMetricsF(DrawingFont(points)).horizontalAdvance(YenForDisplay(text));
}

double DrawingArea::TextWidth(const QString &text) const
{
    return TextWidthAt(text, fontSize_);
}

double DrawingArea::PageScale() const
{
    return std::min(width() / double(kPageWidth), height() / double(kPageHeight));
}

QPointF DrawingArea::PageOrigin() const
{
    const double s = PageScale();
    return {(width() - kPageWidth * s) / 2.0, (height() - kPageHeight * s) / 2.0};
}

QSize DrawingArea::sizeHint() const
{
    return TwipsSize(kPageWidth, kPageHeight);
}

void DrawingArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(PageOrigin());
    p.scale(PageScale(), PageScale());
    p.setClipRect(QRectF(0, 0, kPageWidth, kPageHeight));

    if (!picture_.isNull())
        p.drawPixmap(QRectF(QPointF(0, 0), picture_.deviceIndependentSize() * kTwipsPerPixel),
                     picture_, QRectF(picture_.rect()));

    // How much less than the page a label grows (1 at the page's own size).
    const double labelScale = std::min(1.0, kLabelGrowth / (PageScale() * kTwipsPerPixel));
    for (const DrawCommand &c : commands_) {
        if (c.kind == DrawCommand::Kind::Text) {
            const QFont font = DrawingFont(c.fontSize);
            p.setFont(font);
            p.setPen(c.color);
            const QRectF box = TextBox(c);
            const QPointF at(c.x1, c.y1);
            p.save();
            if (c.label) {
                p.translate(at);
                p.scale(labelScale, labelScale);
                p.translate(-at);
            }
            p.drawText(QPointF(box.left(), box.top() + QFontMetricsF(font).ascent()),
                       YenForDisplay(c.text));
            p.restore();
            continue;
        }
        QPen pen(c.color, c.lineWidth * kTwipsPerPixel);
        pen.setStyle(c.dotted ? Qt::DotLine : Qt::SolidLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        if (c.kind == DrawCommand::Kind::Line)
            p.drawLine(QPointF(c.x1, c.y1), QPointF(c.x2, c.y2));
        else
            p.drawEllipse(QPointF(c.x1, c.y1), c.radius, c.radius);
    }
}
