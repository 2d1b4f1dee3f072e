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
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
// The running total in the green of the titles.
constexpr QColor kRunningColor = kScreenGreen;
const QColor kScaleLines(224, 224, 224);
const QColor kYearLines(200, 200, 200);

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

// The smallest round step (1, 2 or 5 × 10ⁿ) with max ≤ above × step and
// −min ≤ below × step; 0 for a range that is only 0.
qint64 roundStep(qint64 max, qint64 min, qint32 above, qint32 below)
{
    if (max <= 0 && min >= 0)
        return 0;
    for (qint64 power = 1; power <= qint64(1e17); power *= 10) {
        for (const qint64 m : {1, 2, 5}) {
            const qint64 step = m * power;
            if (max <= above * step && -min <= below * step)
                return step;
        }
    }
    return qint64(1e18);
}

// The share of the grid's height a range takes.
double fill(qint64 max, qint64 min, qint64 step, qint32 lines)
{
    return step == 0 ? 1.0 : double(max - min) / (double(step) * lines);
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
} // namespace

ChartGrid MakeChartGrid(qint64 barMax, qint64 barMin, qint64 lineMax, qint64 lineMin,
                        qint32 maxLines)
{
    maxLines = std::max(2, maxLines);
    const bool up = barMax > 0 || lineMax > 0, down = barMin < 0 || lineMin < 0;
    ChartGrid best;
    double bestFill = -1;
    for (qint32 lines = std::max(2, (maxLines + 1) / 2); lines <= maxLines; ++lines) {
        for (qint32 above = 0; above <= lines; ++above) {
            const qint32 below = lines - above;
            if ((up && above == 0) || (down && below == 0) || (!up && !down && above != below))
                continue;
            const qint64 barStep = roundStep(barMax, barMin, above, below);
            const qint64 lineStep = roundStep(lineMax, lineMin, above, below);
            const double f = std::min(fill(barMax, barMin, barStep, lines),
                                      fill(lineMax, lineMin, lineStep, lines));
            if (f > bestFill + 1e-9 || (f > bestFill - 1e-9 && lines > best.Above + best.Below)) {
                bestFill = f;
                // A scale with nothing to show steps like the other (or by 1,000 yen).
                const qint64 fallback = barStep ? barStep : lineStep ? lineStep : 1000;
                best = ChartGrid{above, below, barStep ? barStep : fallback,
                                 lineStep ? lineStep : fallback};
            }
        }
    }
    return best;
}

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

void MonthlyChart::SetPageHeader(const QString &player, const QString &totals)
{
    player_ = player;
    totals_ = totals;
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
    ChartLayout layout;
    const qreal top = kPad + title.height() + kPad + small.height() + kPad;
    const qreal bottom = std::max(top + 1, size.height() - (kPad + 2 * small.height()));
    // Lines at least two and a half labels apart, and no more than ten.
    layout.Grid = MakeChartGrid(e.barMax, e.barMin, e.lineMax, e.lineMin,
                                std::min(10, qint32((bottom - top) / (2.5 * small.height()))));
    const ChartGrid &g = layout.Grid;

    qreal leftWidth = small.horizontalAdvance(u"円"_s), rightWidth = leftWidth;
    for (qint32 k = -g.Below; k <= g.Above; ++k) {
        leftWidth =
            std::max(leftWidth, small.horizontalAdvance(FormatGrouped(double(k * g.BarStep))));
        rightWidth =
            std::max(rightWidth, small.horizontalAdvance(FormatGrouped(double(k * g.LineStep))));
    }
    const qreal left = kPad + leftWidth + kPad;
    const qreal right = std::max(left + 1, size.width() - (kPad + rightWidth + kPad));
    layout.Plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    const QRectF &plot = layout.Plot;

    const qint32 lines = g.Above + g.Below;
    layout.ZeroY = plot.top() + plot.height() * g.Above / lines;
    layout.BarScale = plot.height() / (qreal(g.BarStep) * lines);
    layout.LineScale = plot.height() / (qreal(g.LineStep) * lines);

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

// The title with the period on the left (unless a page header says it), the
// legend on the right.
void MonthlyChart::paintHeading(QPainter &p, const QSizeF &size, bool withTitle) const
{
    const QFont small = pixelFont(9), title = pixelFont(14);
    const QFontMetricsF sm(small), tm(title);
    qreal titleRight = kPad;
    if (withTitle) {
        p.setFont(title);
        p.setPen(kScreenGreen);
        const QString heading = u"月別収支"_s;
        p.drawText(QPointF(kPad, kPad + tm.ascent()), heading);
        p.setPen(Qt::black);
        const QString period = u"（"_s + period_ + u"）"_s;
        const qreal periodX = kPad + tm.horizontalAdvance(heading) + kPad;
        p.drawText(QPointF(periodX, kPad + tm.ascent()), period);
        titleRight = periodX + tm.horizontalAdvance(period);
    }
    const QString barsText = u"月の収支"_s, lineText = u"累積収支"_s;
    const qreal box = sm.height() * 0.7;
    const qreal legendWidth = 2 * box + 4 + sm.horizontalAdvance(barsText) + 16 + 2 * box + 4 +
                              sm.horizontalAdvance(lineText);
    qreal lx = size.width() - kPad - legendWidth;
    if (lx < titleRight + 2 * kPad)
        return;
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

void MonthlyChart::Paint(QPainter &p, const QSizeF &size, bool withTitle) const
{
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const ChartLayout layout = Layout(size);
    const QRectF &plot = layout.Plot;
    const ChartGrid &g = layout.Grid;
    paintHeading(p, size, withTitle);

    // The grid lines, sharp.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kScaleLines, 1));
    const qreal gap = plot.height() / (g.Above + g.Below);
    for (qint32 k = -g.Below; k <= g.Above; ++k) {
        if (k != 0)
            p.drawLine(QPointF(plot.left(), layout.ZeroY - k * gap),
                       QPointF(plot.right(), layout.ZeroY - k * gap));
    }

    // Year boundaries, when the chart spans years.
    const qsizetype n = series_.size();
    const qreal slot = n > 0 ? plot.width() / qreal(n) : 0;
    const QFontMetricsF sm(pixelFont(9));
    const qint32 step = yearStep(slot, sm);
    const bool oneYear = n > 0 && series_.first().Year == series_.last().Year;
    if (n > 0 && !oneYear) {
        p.setPen(QPen(kYearLines, 1));
        for (qsizetype i = 1; i < n; ++i) {
            if (series_[i].Month == 1 && series_[i].Year % step == 0) {
                const qreal x = plot.left() + qreal(i) * slot;
                p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            }
        }
    }

    // Bars: the colour of the sign, a lighter fill when they are wide enough for an outline.
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

    // Axes, the zero line and the foot of the plot with a tick at every
    // month (longer at each year) where the months are wide enough to tell.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(plot.left(), plot.top() - 4), QPointF(plot.left(), plot.bottom()));
    p.drawLine(QPointF(plot.left() - 4, layout.ZeroY), QPointF(plot.right() + 4, layout.ZeroY));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (qsizetype i = 0; i <= n; ++i) {
        const bool yearTick = !oneYear && i < n && series_[i].Month == 1;
        if (!yearTick && slot < 4)
            continue;
        const qreal x = plot.left() + qreal(i) * slot;
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + (yearTick ? 6 : 3)));
    }
    p.setPen(QPen(kRunningColor, 1));
    p.drawLine(QPointF(plot.right(), plot.top() - 4), QPointF(plot.right(), plot.bottom()));
    p.setRenderHint(QPainter::Antialiasing);

    if (n == 0) {
        p.setFont(pixelFont(14));
        p.setPen(Qt::black);
        p.drawText(plot, Qt::AlignCenter, u"表示する記録がありません"_s);
    } else {
        // The running total.
        p.setPen(QPen(kRunningColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(layout.Line.constData(), int(layout.Line.size()));
        if (slot >= 8) {
            p.setBrush(Qt::white);
            for (const QPointF &pt : layout.Line)
                p.drawEllipse(pt, 3, 3);
        }
    }
    paintScales(p, layout);
    paintXLabels(p, layout);
    p.restore();
}

// The round amounts at the grid lines: the bars' on the left in black, the
// running total's on the right in the line's green; "円" over both.
void MonthlyChart::paintScales(QPainter &p, const ChartLayout &layout) const
{
    const QFont small = pixelFont(9);
    const QFontMetricsF fm(small);
    p.setFont(small);
    const QRectF &plot = layout.Plot;
    const ChartGrid &g = layout.Grid;
    const qreal gap = plot.height() / (g.Above + g.Below);
    const auto draw = [&](const QString &text, qreal y, bool left, const QColor &colour) {
        const qreal w = fm.horizontalAdvance(text);
        const qreal x = left ? plot.left() - 6 - w : plot.right() + 6;
        p.setPen(colour);
        p.drawText(QRectF(x, y - fm.height() / 2, w, fm.height()), Qt::AlignCenter, text);
    };
    for (qint32 k = -g.Below; k <= g.Above; ++k) {
        const qreal y = layout.ZeroY - k * gap;
        draw(FormatGrouped(double(k * g.BarStep)), y, true, Qt::black);
        draw(FormatGrouped(double(k * g.LineStep)), y, false, kRunningColor);
    }
    const qreal unitY = plot.top() - kPad - fm.height() / 2;
    draw(u"円"_s, unitY, true, Qt::black);
    draw(u"円"_s, unitY, false, kRunningColor);
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

ChartPage MonthlyChart::PageLayout(const QSizeF &page) const
{
    const QFontMetricsF title(pixelFont(15, true)), line(pixelFont(10));
    ChartPage layout;
    qreal y = 0;
    const auto add = [&](const QString &text, qreal height, qreal gap) {
        layout.Header.append(PageLine{text, QRectF(0, y, page.width(), height)});
        y += height + gap;
    };
    add(u"月別収支　"_s + period_, title.height(), 4);
    if (!player_.isEmpty())
        add(u"プレーヤー　"_s + player_, line.height(), 2);
    if (!totals_.isEmpty())
        add(totals_, line.height(), 0);
    y += kPad;
    layout.Chart = QRectF(0, y, page.width(), std::max<qreal>(1, page.height() - y));
    return layout;
}

qreal MonthlyChart::PageHeaderHeight() const
{
    return PageLayout(QSizeF(100, 1000)).Chart.top();
}

void MonthlyChart::PaintPage(QPainter &p, const QSizeF &page) const
{
    p.save();
    p.fillRect(QRectF(QPointF(0, 0), page), Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    const ChartPage layout = PageLayout(page);
    for (qsizetype i = 0; i < layout.Header.size(); ++i) {
        const PageLine &l = layout.Header[i];
        p.setFont(i == 0 ? pixelFont(15, true) : pixelFont(10));
        p.setPen(i == 0 ? kScreenGreen : QColor(Qt::black));
        p.drawText(l.Rect.adjusted(kPad, 0, -kPad, 0), Qt::AlignLeft | Qt::AlignVCenter, l.Text);
    }
    p.translate(layout.Chart.topLeft());
    Paint(p, layout.Chart.size(), false);
    p.restore();
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
                u"\n回収率 "_s + FormatPercent(m.Sum.Kaishuu, m.Sum.Toushi) + u"\n稼働時間 "_s +
                PlayTimeText(m.Time) + u"  時給 "_s + YenForDisplay(HourlyText(m.Time)) + u'\n';
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
