#pragma once
// The month page of the calendar window: a title row 日…土 and one row per
// week. A day with visits shows its balance and its number of visits on a
// background tinted by the size of the amount; the chosen day has a frame.

#include "core/statistics/calendar_sums.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>

// What the cell of a day shows.
struct DayCell {
    QString Balance; // yen text as shown ("¥12,345"); empty without visits
    QString Short;   // the balance in 万 or 億 ("+1.2万"), for a cell too narrow
    QString Visits;  // "2回"; empty without visits
    QString Tip;     // the exact figures of the day
    QColor Fore;     // colour of the balance: win, loss or draw
    QColor Back;     // background
};

// The amount as a cell draws it: the exact text when it fits at a readable
// size, otherwise the short one.
struct ShownAmount {
    QString Text;
    qreal Points = 0;
};

// Colour of a balance: win, loss or draw by the draw threshold.
QColor OutcomeColor(qint64 balance, qint32 WakeKin);

// The cell of a day with the given visits; maxAbs is the largest absolute day
// balance of the month, which gets the strongest tint.
DayCell MakeDayCell(const DaySum *day, qint32 WakeKin, qint64 maxAbs);

class CalendarGrid : public QWidget {
    Q_OBJECT
public:
    explicit CalendarGrid(QWidget *parent = nullptr);

    // Shows a month with its days that have visits.
    void SetMonth(const MonthGrid &grid, const QList<DaySum> &days, qint32 WakeKin,
                  const QDate &today);
    void SetSelectedDay(qint32 day);
    const MonthGrid &Grid() const { return grid_; }
    qint32 SelectedDay() const { return selected_; }

    DayCell Cell(qint32 day) const;
    // How the cell of a day draws its amount at the present size: the month's
    // amounts share one size, and one that would need a much smaller size is
    // written short, so one huge day leaves the others as they were.
    ShownAmount Amount(qint32 day) const;
    // Cell (week row × 7 + column) in widget coordinates, below the title row.
    QRectF CellRect(qint32 cell) const;
    // The weekday titles, Sunday first.
    static QStringList WeekdayNames();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void dayClicked(qint32 day);
    // A key the grid does not handle itself: the window moves the day.
    void keyPress(int key);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    qreal titleHeight() const;
    qreal basePointSize() const;
    void fitAmounts();
    qint32 dayAt(const QPointF &pos) const;
    void paintCell(QPainter &p, qint32 cell) const;

    MonthGrid grid_;
    QList<DayCell> cells_;     // by day, index 0 unused
    QList<ShownAmount> shown_; // by day, as fitted to the present size
    QDate today_;
    qint32 selected_ = 0;
    qreal basePoints_ = 9; // day numbers
};
