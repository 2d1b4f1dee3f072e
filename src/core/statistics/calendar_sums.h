#pragma once
// Results by calendar day and by month over the whole record table, for the
// calendar and the monthly chart. Records without a real date (an empty or
// impossible date) have no place on a calendar: they are left out and counted.
// A visit that runs past midnight belongs to the date of its record.

#include "core/statistics/play_time_sum.h"
#include "core/statistics/result_sum.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

class Data;

// "h:mm" of the minutes, "—" when no visit has both times.
QString PlayTimeText(const PlayTimeSum &time);
// Yen text of the hourly result ("\1,250", "-\300"), "—" when there is none.
QString HourlyText(const PlayTimeSum &time);

// The visits of one day.
struct DaySum {
    QDate Date;
    ResultSum Sum;
    QList<qint32> Records; // record numbers (from 1), in table order
    PlayTimeSum Time;
};

// One month of the chart: its sums and the running balance at its end.
struct MonthPoint {
    qint32 Year = 0;
    qint32 Month = 0;
    ResultSum Sum;
    qint64 Running = 0;
    PlayTimeSum Time;
};

// A month on a calendar page whose weeks run from Sunday to Saturday.
struct MonthGrid {
    qint32 Year = 0;
    qint32 Month = 0;
    qint32 FirstWeekday = 0; // column of the 1st: 0 = Sunday … 6 = Saturday
    qint32 Days = 0;         // 0 for a month QDate cannot hold

    qint32 Weeks() const { return (FirstWeekday + Days + 6) / 7; }
    qint32 CellOf(qint32 day) const { return FirstWeekday + day - 1; }
    // The day in a cell (row × 7 + column), 0 outside the month.
    qint32 DayAt(qint32 cell) const
    {
        const qint32 day = cell - FirstWeekday + 1;
        return day >= 1 && day <= Days ? day : 0;
    }
};
MonthGrid MakeMonthGrid(qint32 year, qint32 month);

// The date of a record, or an invalid date when it has none that a calendar
// can show (years before 1 included).
QDate RecordDate(qint16 DYear, qint16 DMonth, qint16 DDay);

class CalendarSums {
public:
    // Sums the whole table anew, classifying visits by the draw threshold.
    void Calc(const Data &data, qint32 WakeKin);

    // Records left out for want of a real date.
    qint32 Undated() const { return undated_; }
    // Dated records.
    qint32 Dated() const { return dated_; }

    // The visits of a day; null when there were none.
    const DaySum *Day(const QDate &date) const;
    // The days of a month that have visits, in date order.
    QList<DaySum> DaysOf(qint32 year, qint32 month) const;
    ResultSum Month(qint32 year, qint32 month) const;
    PlayTimeSum MonthTime(qint32 year, qint32 month) const;

    // Years with visits, ascending.
    QList<qint32> Years() const;
    // One point per month, running totals from 0 at the first: the twelve
    // months of a year, or with year 0 every month from the first month with
    // visits to the last. Months without visits are points with empty sums.
    QList<MonthPoint> MonthlySeries(qint32 year) const;

private:
    struct MonthEntry {
        qint32 Index = 0; // year × 12 + month − 1
        ResultSum Sum;
        PlayTimeSum Time;
    };
    const MonthEntry *monthEntry(qint32 index) const;

    QList<DaySum> days_;       // in date order
    QList<MonthEntry> months_; // in date order, months with visits only
    qint32 undated_ = 0;
    qint32 dated_ = 0;
};
