#pragma once
// The drawing of the monthly chart: one bar per month for its balance (blue
// above zero, red below) and the running total as a line over the same
// months. Each has its own scale, the two zeros lie on one line. Painted with
// QPainter in the manner of the statistics graph (white page, green title,
// black axes, dotted extremes) at any size: on screen, into a picture or onto
// a printer's page.

#include "core/statistics/calendar_sums.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

struct ChartLayout {
    QRectF Plot;         // where bars and line are drawn
    qreal ZeroY = 0;     // the zero of both scales
    QList<QRectF> Bars;  // per month; empty months have height 0
    QList<QPointF> Line; // per month: the running total, above the bar's centre
    qreal BarScale = 0;  // pixels per yen
    qreal LineScale = 0;
};

class MonthlyChart : public QWidget {
    Q_OBJECT
public:
    explicit MonthlyChart(QWidget *parent = nullptr);

    // period: what the title says the months are ("2026年", "全期間").
    void SetSeries(const QList<MonthPoint> &series, const QString &period);
    const QList<MonthPoint> &Series() const { return series_; }

    // Where everything goes on a page of the given size (pixels).
    ChartLayout Layout(const QSizeF &size) const;
    // Paints the whole chart on a page of the given size from the painter's
    // origin; fonts are sized in pixels, so a scaled painter scales them too.
    void Paint(QPainter &p, const QSizeF &size) const;

    // The month under a point of the widget; -1 for none.
    int MonthAt(const QPointF &pos) const;
    QString TipText(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void paintXLabels(QPainter &p, const ChartLayout &layout) const;

    QList<MonthPoint> series_;
    QString period_;
};
