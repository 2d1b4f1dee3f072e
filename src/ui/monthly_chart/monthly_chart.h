#pragma once
// The drawing of the monthly chart: one bar per month for its balance (blue
// above zero, red below) and the running total as a line over the same
// months. Each has its own scale, read against one grid of horizontal lines:
// both scales step by round amounts from one zero line. Painted with QPainter
// in the manner of the statistics graph (white page, green title, black axes)
// at any size: on screen, or as a page (with a header) into a picture or onto
// a printer's page.

#include "core/statistics/calendar_sums.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

// The grid of both scales: Above lines over the zero line and Below under it,
// a bar step and a line step apart (round amounts: 1, 2 or 5 × 10ⁿ yen).
struct ChartGrid {
    qint32 Above = 1;
    qint32 Below = 1;
    qint64 BarStep = 1000;
    qint64 LineStep = 1000;
};

// The grid for bars over [barMin, barMax] and a line over [lineMin, lineMax]
// (each range holding 0) with at most maxLines steps: the one whose scales
// fill the most of the height, the finer one of two that fill it alike.
ChartGrid MakeChartGrid(qint64 barMax, qint64 barMin, qint64 lineMax, qint64 lineMin,
                        qint32 maxLines);

struct ChartLayout {
    QRectF Plot;         // where bars and line are drawn
    qreal ZeroY = 0;     // the zero of both scales
    ChartGrid Grid;      // its lines at ZeroY − k × Plot.height() / (Above + Below)
    QList<QRectF> Bars;  // per month; empty months have height 0
    QList<QPointF> Line; // per month: the running total, above the bar's centre
    qreal BarScale = 0;  // pixels per yen
    qreal LineScale = 0;
};

// A page: header lines above the chart, which fills the rest of it.
struct PageLine {
    QString Text;
    QRectF Rect;
};
struct ChartPage {
    QList<PageLine> Header; // title and period, player, totals
    QRectF Chart;
};

class MonthlyChart : public QWidget {
    Q_OBJECT
public:
    explicit MonthlyChart(QWidget *parent = nullptr);

    // period: what the title says the months are ("2026年", "全期間").
    void SetSeries(const QList<MonthPoint> &series, const QString &period);
    const QList<MonthPoint> &Series() const { return series_; }
    // What a page says above the chart besides the title: the player, the totals.
    void SetPageHeader(const QString &player, const QString &totals);

    // Where everything goes on a chart of the given size (pixels).
    ChartLayout Layout(const QSizeF &size) const;
    // Paints the chart on an area of the given size from the painter's
    // origin; fonts are sized in pixels, so a scaled painter scales them too.
    // Without the title, the legend stands alone in the top line.
    void Paint(QPainter &p, const QSizeF &size, bool withTitle = true) const;

    // A page of the given size (pixels at 96 per inch): the header, the chart.
    ChartPage PageLayout(const QSizeF &page) const;
    void PaintPage(QPainter &p, const QSizeF &page) const;
    // Height of the header a page has above the chart.
    qreal PageHeaderHeight() const;

    // The month under a point of the widget; -1 for none.
    int MonthAt(const QPointF &pos) const;
    QString TipText(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void paintHeading(QPainter &p, const QSizeF &size, bool withTitle) const;
    void paintScales(QPainter &p, const ChartLayout &layout) const;
    void paintXLabels(QPainter &p, const ChartLayout &layout) const;

    QList<MonthPoint> series_;
    QString period_;
    QString player_;
    QString totals_;
};
