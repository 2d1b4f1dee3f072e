#include "ui/monthly_chart/monthly_chart.h"

#include "core/statistics/totals_text.h"
#include "core/util/numbers.h"
#include "ui/app_font.h"
#include "ui/result_colors.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
const QColor kTitleColor(0, 128, 0); // the statistics screens' titles
const QColor kRunningColor(0, 128, 0);
const QColor kYearLines(224, 224, 224);

constexpr qreal kPad = 8;

// Sized in pixels, so that a scaled painter (a printer's page) scales the text
// with the drawing.
QFont pixelFont(qreal points, bool bold = false)
{
    QFont f = UiFont(9);
    f.setPixelSize(std::max(1, qRound(points * 4 / 3)));
    f.setBold(bold);
    return f;
}

struct Extremes {
    qint64 barMax = 0, barMin = 0, lineMax = 0, lineMin = 0;
};

Extremes extremesOf(const QList<MonthPoint> &series)
{
    Extremes e;
    for (const MonthPoint &m : series) {
        e.barMax = std::max(e.barMax, m.Sum.Balance());
        e.barMin = std::min(e.barMin, m.Sum.Balance());
        e.lineMax = std::max(e.lineMax, m.Running);
        e.lineMin = std::min(e.lineMin, m.Running);
    }
    return e;
}

// The share of the height above zero that a range needs; none for no range.
std::optional<qreal> shareAbove(qint64 max, qint64 min)
{
    if (max == min)
        return std::nullopt;
    return qreal(max) / (qreal(max) - qreal(min));
}

// Pixels per yen so that [min, max] fits between top and bottom around zeroY.
qreal scaleFor(qint64 max, qint64 min, qreal top, qreal zeroY, qreal bottom)
{
    qreal s = std::numeric_limits<qreal>::infinity();
    if (max > 0)
        s = std::min(s, (zeroY - top) / qreal(max));
    if (min < 0)
        s = std::min(s, (bottom - zeroY) / -qreal(min));
    return std::isfinite(s) ? std::max<qreal>(s, 0) : 0;
}

QString yenText(qint64 v)
{
    return YenForDisplay(FormatYen(double(v)));
}

// Years between labels (and year lines) when a month is slot pixels wide:
// 1, 2, 5, 10, 20, … whichever first leaves room for a label.
qint32 yearStep(qreal slot, const QFontMetricsF &fm)
{
    const qreal room = fm.horizontalAdvance(u"2000年"_s) + 8;
    for (qint32 factor = 1; factor < 100000; factor *= 10) {
        for (qint32 step : {1, 2, 5}) {
            if (12 * step * factor * slot >= room)
                return step * factor;
        }
    }
    return 100000;
}

// Texts at heights, drawn unless they would overlap one drawn before.
class LabelColumn {
public:
    LabelColumn(QPainter &p, const QFont &font) : p_(p), fm_(font) { p_.setFont(font); }
    // x: the right edge (alignRight) or the left edge of the text.
    void Draw(const QString &text, qreal x, qreal y, bool alignRight, const QColor &colour)
    {
        const qreal w = fm_.horizontalAdvance(text), h = fm_.height();
        const QRectF r(alignRight ? x - w : x, y - h / 2, w, h);
        for (const QRectF &taken : taken_) {
            if (taken.intersects(r))
                return;
        }
        taken_.append(r);
        p_.setPen(colour);
        p_.drawText(r, Qt::AlignCenter, text);
    }

private:
    QPainter &p_;
    QFontMetricsF fm_;
    QList<QRectF> taken_;
};
} // namespace

MonthlyChart::MonthlyChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void MonthlyChart::SetSeries(const QList<MonthPoint> &series, const QString &period)
{
    series_ = series;
    period_ = period;
    update();
}

QSize MonthlyChart::sizeHint() const
{
    return {720, 420};
}

QSize MonthlyChart::minimumSizeHint() const
{
    return {420, 240};
}

ChartLayout MonthlyChart::Layout(const QSizeF &size) const
{
    const QFontMetricsF small(pixelFont(9)), title(pixelFont(14));
    const Extremes e = extremesOf(series_);
    qreal leftWidth = small.horizontalAdvance(u"円"_s);
    for (qint64 v : {e.barMax, e.barMin, qint64(0)})
        leftWidth = std::max(leftWidth, small.horizontalAdvance(FormatGrouped(double(v))));
    qreal rightWidth = 0;
    for (qint64 v : {e.lineMax, e.lineMin, qint64(0)})
        rightWidth = std::max(rightWidth, small.horizontalAdvance(FormatGrouped(double(v))));

    ChartLayout layout;
    const qreal left = kPad + leftWidth + kPad;
    const qreal top = kPad + title.height() + kPad + small.height() + kPad;
    const qreal right = size.width() - (kPad + rightWidth + kPad);
    const qreal bottom = size.height() - (kPad + 2 * small.height());
    layout.Plot =
        QRectF(QPointF(left, top), QPointF(std::max(left + 1, right), std::max(top + 1, bottom)));
    const QRectF &plot = layout.Plot;

    // Both zeros on one line: halfway between where each series wants it.
    const std::optional<qreal> barShare = shareAbove(e.barMax, e.barMin);
    const std::optional<qreal> lineShare = shareAbove(e.lineMax, e.lineMin);
    qreal share = 0.5;
    if (barShare && lineShare)
        share = (*barShare + *lineShare) / 2;
    else if (barShare || lineShare)
        share = barShare ? *barShare : *lineShare;
    layout.ZeroY = plot.top() + share * plot.height();
    layout.BarScale = scaleFor(e.barMax, e.barMin, plot.top(), layout.ZeroY, plot.bottom());
    layout.LineScale = scaleFor(e.lineMax, e.lineMin, plot.top(), layout.ZeroY, plot.bottom());

    const qsizetype n = series_.size();
    const qreal slot = n > 0 ? plot.width() / qreal(n) : 0;
    const qreal barWidth = std::max<qreal>(1, slot * 0.7);
    for (qsizetype i = 0; i < n; ++i) {
        const qreal x = plot.left() + (qreal(i) + 0.5) * slot;
        const qreal y = layout.ZeroY - qreal(series_[i].Sum.Balance()) * layout.BarScale;
        layout.Bars.append(QRectF(x - barWidth / 2, std::min(y, layout.ZeroY), barWidth,
                                  std::abs(y - layout.ZeroY)));
        layout.Line.append(QPointF(x, layout.ZeroY - qreal(series_[i].Running) * layout.LineScale));
    }
    return layout;
}

void MonthlyChart::Paint(QPainter &p, const QSizeF &size) const
{
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const ChartLayout layout = Layout(size);
    const QRectF &plot = layout.Plot;
    const Extremes e = extremesOf(series_);
    const QFont small = pixelFont(9), title = pixelFont(14);
    const QFontMetricsF sm(small), tm(title);

    // Title and legend.
    p.setFont(title);
    p.setPen(kTitleColor);
    const QString heading = u"月別収支"_s;
    p.drawText(QPointF(kPad, kPad + tm.ascent()), heading);
    p.setPen(Qt::black);
    const QString period = u"（"_s + period_ + u"）"_s;
    const qreal periodX = kPad + tm.horizontalAdvance(heading) + kPad;
    p.drawText(QPointF(periodX, kPad + tm.ascent()), period);
    const QString barsText = u"月の収支"_s, lineText = u"累積収支"_s;
    const qreal box = sm.height() * 0.7;
    const qreal legendWidth = 2 * box + 4 + sm.horizontalAdvance(barsText) + 16 + 2 * box + 4 +
                              sm.horizontalAdvance(lineText);
    qreal lx = size.width() - kPad - legendWidth;
    if (lx > periodX + tm.horizontalAdvance(period) + 2 * kPad) {
        const qreal ly = kPad + (tm.height() - box) / 2;
        p.setFont(small);
        p.fillRect(QRectF(lx, ly, box, box), kWinColor);
        p.fillRect(QRectF(lx + box, ly, box, box), kLossColor);
        lx += 2 * box + 4;
        p.setPen(Qt::black);
        p.drawText(QPointF(lx, ly + box / 2 + sm.ascent() - sm.height() / 2), barsText);
        lx += sm.horizontalAdvance(barsText) + 16;
        p.setPen(QPen(kRunningColor, 2));
        p.drawLine(QPointF(lx, ly + box / 2), QPointF(lx + 2 * box, ly + box / 2));
        lx += 2 * box + 4;
        p.setPen(Qt::black);
        p.drawText(QPointF(lx, ly + box / 2 + sm.ascent() - sm.height() / 2), lineText);
    }

    // Year boundaries, when the chart spans years.
    const qsizetype n = series_.size();
    const qreal slot = n > 0 ? plot.width() / qreal(n) : 0;
    if (n > 0 && series_.first().Year != series_.last().Year) {
        p.setPen(QPen(kYearLines, 1));
        const qint32 step = yearStep(slot, sm);
        for (qsizetype i = 1; i < n; ++i) {
            if (series_[i].Month == 1 && series_[i].Year % step == 0) {
                const qreal x = plot.left() + qreal(i) * slot;
                p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            }
        }
    }

    // Dotted lines at the largest and smallest month, as the statistics graph marks its extremes.
    const auto barY = [&](qint64 v) { return layout.ZeroY - qreal(v) * layout.BarScale; };
    const auto lineY = [&](qint64 v) { return layout.ZeroY - qreal(v) * layout.LineScale; };
    QPen dotted(Qt::black, 1, Qt::DotLine);
    p.setPen(dotted);
    for (qint64 v : {e.barMax, e.barMin}) {
        if (v != 0)
            p.drawLine(QPointF(plot.left() - 4, barY(v)), QPointF(plot.right(), barY(v)));
    }

    // Bars: the colour of the sign, a lighter fill when they are wide enough for an outline.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (qsizetype i = 0; i < n; ++i) {
        const QRectF &bar = layout.Bars[i];
        if (bar.height() <= 0)
            continue;
        const QColor colour = series_[i].Sum.Balance() > 0 ? kWinColor : kLossColor;
        if (bar.width() >= 4) {
            p.setPen(colour);
            p.setBrush(colour.lighter(150));
            p.drawRect(bar);
        } else {
            p.fillRect(bar, colour);
        }
    }
    p.setRenderHint(QPainter::Antialiasing);

    // Axes and zero line.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(plot.left(), plot.top() - 4), QPointF(plot.left(), plot.bottom() + 4));
    p.drawLine(QPointF(plot.left() - 4, layout.ZeroY), QPointF(plot.right() + 4, layout.ZeroY));
    p.setPen(QPen(kRunningColor, 1));
    p.drawLine(QPointF(plot.right(), plot.top() - 4), QPointF(plot.right(), plot.bottom() + 4));

    if (n == 0) {
        p.setFont(title);
        p.setPen(Qt::black);
        p.drawText(plot, Qt::AlignCenter, u"表示する記録がありません"_s);
    }

    // The running total.
    if (n > 0) {
        p.setPen(QPen(kRunningColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(layout.Line.constData(), int(layout.Line.size()));
        if (slot >= 8) {
            p.setBrush(Qt::white);
            for (const QPointF &pt : layout.Line)
                p.drawEllipse(pt, 3, 3);
        }
    }

    // Values at the axes: the bars' on the left, the running total's on the right.
    LabelColumn labels(p, small);
    labels.Draw(u"0"_s, plot.left() - 6, layout.ZeroY, true, Qt::black);
    labels.Draw(u"0"_s, plot.right() + 6, layout.ZeroY, false, kRunningColor);
    for (qint64 v : {e.barMax, e.barMin}) {
        if (v != 0)
            labels.Draw(FormatGrouped(double(v)), plot.left() - 6, barY(v), true, Qt::black);
    }
    for (qint64 v : {e.lineMax, e.lineMin}) {
        if (v != 0)
            labels.Draw(FormatGrouped(double(v)), plot.right() + 6, lineY(v), false, kRunningColor);
    }
    labels.Draw(u"円"_s, plot.left() - 6, plot.top() - kPad - sm.height() / 2, true, Qt::black);
    paintXLabels(p, layout);
    p.restore();
}

// Month names under a single year; otherwise the years at their Januaries,
// every year or every 2, 5, 10, … years, as many as there is room for. A
// label that would run into the one before it or out of the plot is left out.
void MonthlyChart::paintXLabels(QPainter &p, const ChartLayout &layout) const
{
    const qsizetype n = series_.size();
    if (n == 0)
        return;
    const QFont small = pixelFont(9);
    const QFontMetricsF fm(small);
    p.setFont(small);
    p.setPen(Qt::black);
    const QRectF &plot = layout.Plot;
    const bool oneYear = series_.first().Year == series_.last().Year;
    const qreal slot = plot.width() / qreal(n);
    const bool longMonths = fm.horizontalAdvance(u"12月"_s) + 4 <= slot;
    const qint32 step = yearStep(slot, fm);
    const qreal y = plot.bottom() + 6;
    qreal lastRight = -std::numeric_limits<qreal>::infinity();
    for (qsizetype i = 0; i < n; ++i) {
        const MonthPoint &m = series_[i];
        QString text;
        qreal left = 0;
        if (oneYear) {
            text = longMonths ? u"%1月"_s.arg(m.Month) : QString::number(m.Month);
            left = plot.left() + (qreal(i) + 0.5) * slot - fm.horizontalAdvance(text) / 2;
        } else if ((m.Month == 1 && m.Year % step == 0) || i == 0) {
            text = u"%1年"_s.arg(m.Year);
            left = plot.left() + qreal(i) * slot;
        } else {
            continue;
        }
        const qreal w = fm.horizontalAdvance(text);
        left = std::max(left, plot.left());
        if (left < lastRight + 6 || left + w > plot.right())
            continue;
        p.drawText(QRectF(left, y, w, fm.height()), Qt::AlignCenter, text);
        lastRight = left + w;
    }
}

void MonthlyChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    Paint(p, size());
}

int MonthlyChart::MonthAt(const QPointF &pos) const
{
    const ChartLayout layout = Layout(size());
    const QRectF &plot = layout.Plot;
    if (series_.isEmpty() || pos.x() < plot.left() || pos.x() >= plot.right() ||
        pos.y() < plot.top() - kPad || pos.y() > height())
        return -1;
    const qreal slot = plot.width() / qreal(series_.size());
    return std::clamp(int((pos.x() - plot.left()) / slot), 0, int(series_.size()) - 1);
}

QString MonthlyChart::TipText(int index) const
{
    if (index < 0 || index >= series_.size())
        return {};
    const MonthPoint &m = series_[index];
    QString text = u"%1年%2月\n"_s.arg(m.Year).arg(m.Month);
    if (m.Sum.Visits == 0) {
        text += u"来店なし\n"_s;
    } else {
        text += u"収支 "_s + yenText(m.Sum.Balance()) + u"  "_s +
                SeisekiText(qint16(m.Sum.Kachi), qint16(m.Sum.Make), qint16(m.Sum.Wake)) +
                u"\n回収率 "_s + FormatPercent(m.Sum.PayoutRatio()) + u'\n';
    }
    return text + u"累積 "_s + yenText(m.Running);
}

bool MonthlyChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = MonthAt(help->pos());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), TipText(index), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
